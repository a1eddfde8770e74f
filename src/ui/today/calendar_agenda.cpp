// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/today/calendar_agenda.h"

#include "app/app_model.h"
#include "platform/calendar_store.h"
#include "ui/icons.h"
#include "ui/today/day_format.h"
#include "ui/widgets/empty_state_panel.h"
#include "ui/widgets/text_styles.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

constexpr int kTimeRole = Qt::UserRole;
constexpr int kColorRole = Qt::UserRole + 1;

// One event row: an 8-pixel dot in the calendar's colour beside the title and, below it,
// the time line in the caption font and the secondary colour.
class EventDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        background.icon = QIcon();
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

        const QRect area = option.rect.adjusted(kPadding, kPadding, -kPadding, -kPadding);
        const QFont titleFont = option.font;
        const QFont captionFont = textStyleFont(TextStyle::caption);
        const QFontMetrics titleMetrics(titleFont);
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette &palette = option.palette;

        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(index.data(kColorRole).value<QColor>());
        const int dotTop = area.top() + (titleMetrics.height() - kDot) / 2;
        painter->drawEllipse(QRect(area.left(), dotTop, kDot, kDot));

        const QRect text = area.adjusted(kDot + 10, 0, 0, 0);
        painter->setFont(titleFont);
        painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QString title = titleMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                      Qt::ElideRight, text.width());
        painter->drawText(QRect(text.left(), text.top(), text.width(), titleMetrics.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, title);

        painter->setFont(captionFont);
        painter->setPen(selected ? palette.color(QPalette::HighlightedText)
                                 : palette.color(QPalette::PlaceholderText));
        const QFontMetrics captionMetrics(captionFont);
        painter->drawText(QRect(text.left(), text.top() + titleMetrics.height() + 3, text.width(),
                                captionMetrics.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, index.data(kTimeRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        const int height = QFontMetrics(option.font).height() + 3 +
                           QFontMetrics(textStyleFont(TextStyle::caption)).height() + 2 * kPadding;
        return {200, height};
    }

private:
    static constexpr int kPadding = 6;
    static constexpr int kDot = 8;
};

} // namespace

CalendarAgenda::CalendarAgenda(app::AppModel &model, std::function<void()> openCalendarSettings,
                               QWidget *parent)
    : QWidget(parent), m_model(model), m_openCalendarSettings(std::move(openCalendarSettings))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(12);

    auto *header = new QHBoxLayout;
    header->setSpacing(8);
    auto *headerIcon = new QLabel(this);
    headerIcon->setPixmap(symbolIcon(u"calendar"_s).pixmap(18, 18));
    header->addWidget(headerIcon);
    auto *headerLabel = new QLabel(tr("Calendar"), this);
    applyTextStyle(headerLabel, TextStyle::headline);
    header->addWidget(headerLabel);
    header->addStretch(1);
    column->addLayout(header);

    m_body = new QStackedWidget(this);

    m_accessOff = new EmptyStatePanel(
        u"calendar.badge.exclamationmark"_s, tr("Calendar access is off"),
        tr("Wrenfold can still be used as a journal. Allow calendar access in Settings to see "
           "your schedule here."),
        tr("Open Calendar Settings"), m_body);
    connect(m_accessOff, &EmptyStatePanel::buttonClicked, this, [this] {
        if (m_openCalendarSettings)
            m_openCalendarSettings();
    });
    m_body->addWidget(m_accessOff);

    m_noEvents = new EmptyStatePanel(u"calendar"_s, tr("No calendar events"), {}, {}, m_body);
    m_body->addWidget(m_noEvents);

    m_connect = new EmptyStatePanel(u"calendar"_s, tr("Show your calendar"),
                                    tr("Your events stay in your calendar. Wrenfold reads them "
                                       "only after you choose to connect."),
                                    tr("Connect Calendar"), m_body);
    connect(m_connect, &EmptyStatePanel::buttonClicked, this, [this] {
        // Queued, so the click finishes before a permission dialog runs its own loop.
        QTimer::singleShot(0, &m_model, [model = &m_model] { model->requestCalendarAccess(); });
    });
    m_body->addWidget(m_connect);

    // A read that answers at once should not flash a message.
    m_loading = new QWidget(m_body);
    auto *loadingColumn = new QVBoxLayout(m_loading);
    m_loadingLabel = new QLabel(tr("Loading events…"), m_loading);
    applyTextStyle(m_loadingLabel, TextStyle::caption);
    m_loadingLabel->setForegroundRole(QPalette::PlaceholderText);
    m_loadingLabel->setAlignment(Qt::AlignCenter);
    m_loadingLabel->hide();
    loadingColumn->addWidget(m_loadingLabel);
    loadingColumn->addStretch(1);
    m_body->addWidget(m_loading);
    m_loadingDelay = new QTimer(this);
    m_loadingDelay->setSingleShot(true);
    m_loadingDelay->setInterval(300);
    connect(m_loadingDelay, &QTimer::timeout, m_loadingLabel, &QWidget::show);

    m_list = new QListWidget(m_body);
    m_list->setAccessibleName(tr("Calendar events"));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setItemDelegate(new EventDelegate(m_list));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->viewport()->setAutoFillBackground(false);
    m_list->setAutoFillBackground(false);
    m_body->addWidget(m_list);

    column->addWidget(m_body, 1);

    m_cutNote = new QLabel(tr("Only the first %1 events of this day are shown.")
                               .arg(QLocale().toString(qlonglong(platform::maxEventsPerQuery))),
                           this);
    applyTextStyle(m_cutNote, TextStyle::caption);
    m_cutNote->setForegroundRole(QPalette::PlaceholderText);
    m_cutNote->setWordWrap(true);
    m_cutNote->hide();
    column->addWidget(m_cutNote);

    connect(&m_model, &app::AppModel::calendarStatusChanged, this, &CalendarAgenda::refresh);
    connect(&m_model, &app::AppModel::calendarItemsChanged, this, &CalendarAgenda::refresh);
    connect(&m_model, &app::AppModel::calendarLoadingChanged, this, &CalendarAgenda::refresh);
    refresh();
}

void CalendarAgenda::refresh()
{
    using platform::CalendarAuthorization;
    const CalendarAuthorization status = m_model.calendarStatus();
    const QList<platform::CalendarItem> &items = m_model.calendarItems();

    const bool isLoading = status == CalendarAuthorization::fullAccess && items.isEmpty() &&
                           m_model.isCalendarLoading();
    if (!isLoading) {
        m_loadingDelay->stop();
        m_loadingLabel->hide();
    }
    if (isLoading) {
        if (m_state != State::loading)
            m_loadingDelay->start();
        m_state = State::loading;
        m_body->setCurrentWidget(m_loading);
    } else if (status == CalendarAuthorization::restricted ||
               status == CalendarAuthorization::denied) {
        m_state = State::accessOff;
        m_body->setCurrentWidget(m_accessOff);
    } else if (status == CalendarAuthorization::fullAccess && items.isEmpty()) {
        m_state = State::noEvents;
        m_body->setCurrentWidget(m_noEvents);
    } else if (status == CalendarAuthorization::fullAccess) {
        m_state = State::events;
        showItems(items);
        m_body->setCurrentWidget(m_list);
    } else {
        m_state = State::connect;
        m_body->setCurrentWidget(m_connect);
    }
    if (m_state != State::events)
        showItems({});
    m_cutNote->setVisible(m_state == State::events && m_model.isCalendarCut());
}

void CalendarAgenda::showItems(const QList<platform::CalendarItem> &items)
{
    // The model announces one answer more than once (items, then the end of loading).
    if (items.isSharedWith(m_shownItems) && m_list->count() == items.size())
        return;
    m_shownItems = items;
    m_list->clear();
    const QLocale locale;
    // Filled before they join the list, so the view is told once per row, not per field.
    for (const platform::CalendarItem &event : items) {
        auto *item = new QListWidgetItem(event.title);
        const QString time = eventTimeText(event, locale);
        item->setData(kTimeRole, time);
        item->setData(kColorRole,
                      event.color.isValid() ? event.color : palette().color(QPalette::Highlight));
        item->setData(Qt::AccessibleTextRole, QString(event.title + u", "_s + time));
        item->setToolTip(QString(event.title + u"\n"_s + time));
        m_list->addItem(item);
    }
}

} // namespace wrenfold::ui
