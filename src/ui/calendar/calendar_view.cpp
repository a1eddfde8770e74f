// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/calendar/calendar_view.h"

#include "app/app_model.h"
#include "ui/calendar/month_layout.h"
#include "ui/icons.h"
#include "ui/today/day_format.h"
#include "ui/widgets/text_styles.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

constexpr int kPositions = 42;

QToolButton *monthButton(const QString &symbol, const QString &fallback, const QString &label,
                         QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setIcon(symbolIcon(symbol));
    if (button->icon().isNull())
        button->setText(fallback);
    button->setToolTip(label);
    button->setAccessibleName(label);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QLabel *legendItem(const QPixmap &mark, const QString &text, QWidget *parent, QHBoxLayout *row)
{
    auto *icon = new QLabel(parent);
    icon->setPixmap(mark);
    row->addWidget(icon);
    auto *label = new QLabel(text, parent);
    applyTextStyle(label, TextStyle::caption);
    row->addWidget(label);
    row->addSpacing(12);
    return label;
}

} // namespace

CalendarView::CalendarView(app::AppModel &model, QWidget *parent) : QWidget(parent), m_model(model)
{
    m_icons = ActivityIcons::make(12, this);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    auto *page = new QWidget(scroll);
    scroll->setWidget(page);

    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);

    auto *header = new QHBoxLayout;
    header->setSpacing(8);
    m_previous = monthButton(u"chevron.left"_s, u"<"_s, tr("Previous month"), page);
    connect(m_previous, &QToolButton::clicked, this, [this] { moveMonth(-1); });
    header->addWidget(m_previous);
    m_title = new QLabel(page);
    applyTextStyle(m_title, TextStyle::largeTitle);
    m_title->setMinimumWidth(m_title->fontMetrics().horizontalAdvance(u"September 0000"_s));
    header->addWidget(m_title);
    m_next = monthButton(u"chevron.right"_s, u">"_s, tr("Next month"), page);
    connect(m_next, &QToolButton::clicked, this, [this] { moveMonth(1); });
    header->addWidget(m_next);
    header->addStretch(1);
    m_today = new QPushButton(tr("Today"), page);
    connect(m_today, &QPushButton::clicked, this, &CalendarView::showToday);
    header->addWidget(m_today);
    column->addLayout(header);

    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(8);
    m_grid->setVerticalSpacing(8);
    const QStringList names = weekdayNames(m_model.store().calendar().firstDayOfWeek);
    QFont weekdayFont = textStyleFont(TextStyle::caption);
    weekdayFont.setWeight(QFont::DemiBold);
    for (int column = 0; column < 7; ++column) {
        auto *name = new QLabel(names.at(column), page);
        name->setFont(weekdayFont);
        applySecondaryColor(name);
        m_grid->addWidget(name, 0, column);
        m_grid->setColumnStretch(column, 1);
        m_grid->setColumnMinimumWidth(column, 10);
        m_weekdays << name;
    }
    for (int position = 0; position < kPositions; ++position) {
        auto *cell = new DayCell(m_icons, page);
        cell->hide();
        cell->installEventFilter(this);
        connect(cell, &DayCell::clicked, this, [this, cell] { pick(cell->day()); });
        m_grid->addWidget(cell, 1 + position / 7, position % 7);
        m_cells << cell;
    }
    column->addLayout(m_grid);

    auto *legend = new QHBoxLayout;
    legend->setSpacing(8);
    legendItem(m_icons.journal, tr("Journal entry"), page, legend);
    legendItem(m_icons.habit, tr("Completed habit"), page, legend);
    legendItem(m_icons.flow, tr("Flow mentioned"), page, legend);
    legend->addStretch(1);
    column->addLayout(legend);
    column->addStretch(1);

    // Page Up / Page Down turn the month from anywhere on the screen; on a day they carry
    // the focus to the same day of that month.
    auto turnPage = [this](int months) {
        auto *cell = qobject_cast<DayCell *>(focusWidget());
        if (cell && cell->day().isValid())
            focusDay(cell->day().addMonths(months));
        else
            moveMonth(months);
    };
    for (const auto &[key, months] : {std::pair{Qt::Key_PageUp, -1}, {Qt::Key_PageDown, 1}}) {
        auto *shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [turnPage, months] { turnPage(months); });
    }

    // Several model signals often arrive together (a save refreshes the note list and
    // the preserved copies); one pass over the grid answers them all.
    m_refresh = new QTimer(this);
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(0);
    connect(m_refresh, &QTimer::timeout, this, &CalendarView::refreshCells);
    connect(&m_model, &app::AppModel::modelChanged, m_refresh, qOverload<>(&QTimer::start));

    const core::Calendar &calendar = m_model.store().calendar();
    showMonth(calendar.dayOf(QDateTime::currentDateTime()));
}

void CalendarView::moveMonth(int months)
{
    if (months == 0)
        return;
    const QDate moved = m_visibleMonth.addMonths(months);
    if (moved.isValid())
        showMonth(moved);
}

void CalendarView::showToday()
{
    const QDateTime now = QDateTime::currentDateTime();
    showMonth(m_model.store().calendar().dayOf(now));
    m_model.showDay(now);
}

DayCell *CalendarView::cellFor(const QDate &day) const
{
    if (!day.isValid() || day.year() != m_visibleMonth.year() ||
        day.month() != m_visibleMonth.month())
        return nullptr;
    const int lead = leadingEmptyCells(m_visibleMonth, m_model.store().calendar().firstDayOfWeek);
    return m_cells.at(lead + day.day() - 1);
}

void CalendarView::showMonth(const QDate &month)
{
    const QDate first(month.year(), month.month(), 1);
    if (!first.isValid())
        return;
    m_visibleMonth = first;
    m_title->setText(monthTitle(first));
    refreshCells();
}

void CalendarView::refreshCells()
{
    m_refresh->stop();
    const core::Calendar &calendar = m_model.store().calendar();
    const QDate selected = calendar.dayOf(m_model.selectedDate());
    const int lead = leadingEmptyCells(m_visibleMonth, calendar.firstDayOfWeek);
    const int days = m_visibleMonth.daysInMonth();
    for (int position = 0; position < kPositions; ++position) {
        DayCell *cell = m_cells.at(position);
        const int dayNumber = position - lead + 1;
        const bool shown = dayNumber >= 1 && dayNumber <= days;
        if (shown) {
            const QDate day = m_visibleMonth.addDays(dayNumber - 1);
            cell->setDay(day, m_model.activity(calendar.startOfDay(day)), day == selected);
        }
        // Leading positions stay in the layout as clear space; trailing ones collapse.
        const bool keepsSpace = position < lead;
        cell->setVisible(shown || keepsSpace);
        cell->setEnabled(shown);
        cell->setFocusPolicy(shown ? Qt::StrongFocus : Qt::NoFocus);
        if (!shown)
            cell->setDay({}, {}, false);
    }
}

void CalendarView::pick(const QDate &day)
{
    const core::Calendar &calendar = m_model.store().calendar();
    if (!day.isValid() || day == calendar.dayOf(m_model.selectedDate()))
        return;
    m_model.showDay(withDay(m_model.selectedDate().toTimeZone(calendar.timeZone), day));
}

void CalendarView::focusDay(const QDate &day)
{
    if (!day.isValid())
        return;
    if (!cellFor(day))
        showMonth(day);
    if (DayCell *cell = cellFor(day))
        cell->setFocus(Qt::TabFocusReason);
}

bool CalendarView::eventFilter(QObject *watched, QEvent *event)
{
    auto *cell = qobject_cast<DayCell *>(watched);
    if (!cell || event->type() != QEvent::KeyPress || !cell->day().isValid())
        return QWidget::eventFilter(watched, event);
    const QDate day = cell->day();
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Left:
        focusDay(day.addDays(layoutDirection() == Qt::RightToLeft ? 1 : -1));
        return true;
    case Qt::Key_Right:
        focusDay(day.addDays(layoutDirection() == Qt::RightToLeft ? -1 : 1));
        return true;
    case Qt::Key_Up:
        focusDay(day.addDays(-7));
        return true;
    case Qt::Key_Down:
        focusDay(day.addDays(7));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pick(day);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

} // namespace wrenfold::ui
