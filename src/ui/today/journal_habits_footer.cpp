// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/today/journal_habits_footer.h"

#include "app/app_model.h"
#include "ui/icons.h"
#include "ui/widgets/text_styles.h"

#include <QAbstractListModel>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QRawFont>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <functional>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

// Rows are spaced like the column of check boxes they replace: 12 between rows, 2
// between a title and its "Weekly" caption.
constexpr int kRowSpacing = 12;
constexpr int kCaptionSpacing = 2;
constexpr int kWeeklyRole = Qt::UserRole;

// The check box of a row as a QCheckBox in `view` would draw it; the rectangle is at the
// origin, as wide and high as the box with its title needs.
QStyleOptionButton checkBoxOption(const QWidget *view, const QString &title, bool checked)
{
    QStyleOptionButton option;
    option.initFrom(view);
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    // A title's "&" is text, not a keyboard mnemonic.
    option.text = QString(title).replace(u'&', u"&&"_s);
    option.state |= checked ? QStyle::State_On : QStyle::State_Off;
    const QSize text =
        view->style()
            ->itemTextRect(option.fontMetrics, QRect(), Qt::TextShowMnemonic, false, option.text)
            .size();
    option.rect = QRect(
        QPoint(), view->style()->sizeFromContents(QStyle::CT_CheckBox, &option, text, nullptr));
    return option;
}

QStyleOptionButton checkBoxOption(const QWidget *view, const QModelIndex &index)
{
    return checkBoxOption(view, index.data(Qt::DisplayRole).toString(),
                          index.data(Qt::CheckStateRole).toInt() == Qt::Checked);
}

class HabitRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const Metrics &metrics = metricsFor(option.widget);
        const QString title = index.data(Qt::DisplayRole).toString();
        // Laying out every title's text would cost more than the rest of start-up with
        // thousands of habits; one line of the font's own characters is as high as any.
        int height = isOneLineInFont(title, metrics.font)
                         ? metrics.oneLineBox
                         : checkBoxOption(option.widget, title, false).rect.height();
        if (index.data(kWeeklyRole).toBool())
            height += kCaptionSpacing + metrics.caption;
        if (index.row() + 1 < index.model()->rowCount())
            height += kRowSpacing;
        // The width is the view's: a long title is cut off at its edge, never scrolled to.
        return {0, height};
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
        QStyleOptionButton box = boxIn(option, index);
        if (view && view->hasFocus() && view->currentIndex() == index)
            box.state |= QStyle::State_HasFocus;
        painter->save();
        painter->setFont(option.widget->font());
        // The box is drawn as a check box, not as a list row, so it looks the same.
        option.widget->style()->drawControl(QStyle::CE_CheckBox, &box, painter, nullptr);
        if (index.data(kWeeklyRole).toBool()) {
            // Lined up with the title, not with the box, and dimmed like secondary text.
            const int indent =
                option.widget->style()->subElementRect(QStyle::SE_CheckBoxContents, &box).left() -
                box.rect.left();
            const QRect caption(box.rect.left() + indent, box.rect.bottom() + 1 + kCaptionSpacing,
                                option.rect.width() - indent, metricsFor(option.widget).caption);
            QPalette palette = box.palette;
            palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
            painter->setFont(textStyleFont(TextStyle::caption));
            option.widget->style()->drawItemText(painter, caption, Qt::AlignLeft | Qt::AlignVCenter,
                                                 palette, box.state & QStyle::State_Enabled,
                                                 JournalHabitsFooter::tr("Weekly"),
                                                 QPalette::WindowText);
        }
        painter->restore();
    }

    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            // Like a check box: a click counts when pressed and released on the box or its
            // title; the view still makes the row current and takes the focus.
            const auto *mouse = static_cast<QMouseEvent *>(event);
            m_pressed = mouse->button() == Qt::LeftButton &&
                                boxIn(option, index).rect.contains(mouse->position().toPoint())
                            ? QPersistentModelIndex(index)
                            : QPersistentModelIndex();
            return false;
        }
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const bool clicked = m_pressed == index && mouse->button() == Qt::LeftButton &&
                                 boxIn(option, index).rect.contains(mouse->position().toPoint());
            m_pressed = QPersistentModelIndex();
            return clicked && model->setData(index, {}, Qt::CheckStateRole);
        }
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent *>(event)->key();
            return (key == Qt::Key_Space || key == Qt::Key_Select) &&
                   model->setData(index, {}, Qt::CheckStateRole);
        }
        default:
            return false;
        }
    }

private:
    static QStyleOptionButton boxIn(const QStyleOptionViewItem &option, const QModelIndex &index)
    {
        QStyleOptionButton box = checkBoxOption(option.widget, index);
        const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
        const int width = view ? view->viewport()->width() : option.rect.width();
        box.rect = QRect(option.rect.topLeft(),
                         QSize(std::min(box.rect.width(), width), box.rect.height()));
        return box;
    }

    struct Metrics {
        QFont viewFont;
        const QStyle *style = nullptr;
        QRawFont font;
        int oneLineBox = 0;
        int caption = 0;
    };

    const Metrics &metricsFor(const QWidget *view) const
    {
        if (m_metrics.style != view->style() || m_metrics.viewFont != view->font()) {
            m_metrics.viewFont = view->font();
            m_metrics.style = view->style();
            m_metrics.font = QRawFont::fromFont(view->font());
            m_metrics.oneLineBox = checkBoxOption(view, u"X"_s, false).rect.height();
            // As high as a label of the caption (its line, not the font's bare height).
            QLabel caption(JournalHabitsFooter::tr("Weekly"));
            applyTextStyle(&caption, TextStyle::caption);
            m_metrics.caption = caption.sizeHint().height();
        }
        return m_metrics;
    }

    // Text without line breaks whose characters all come from `font` itself (no fallback
    // font, which may be taller).
    static bool isOneLineInFont(const QString &text, const QRawFont &font)
    {
        if (text.isEmpty() || !font.isValid())
            return false;
        for (const QChar c : text) {
            if (c.unicode() < 0x20 || c.isSurrogate() || c == QChar::LineSeparator ||
                c == QChar::ParagraphSeparator || !font.supportsCharacter(c))
                return false;
        }
        return true;
    }

    QPersistentModelIndex m_pressed;
    mutable Metrics m_metrics;
};

// The list lays out its rows once per change and is as high as all of them: the footer
// area around it does the scrolling, as it does for the perspective cards.
class HabitListView final : public QListView {
public:
    using QListView::QListView;
    int rowsHeight() const { return contentsSize().height(); }
};

} // namespace

/// The due habits with their checked marks, as last read from the model.
class HabitListModel final : public QAbstractListModel {
public:
    struct Row {
        core::FlowItem habit;
        bool done = false;
    };

    /// Runs when the user clicks or presses Space on a row; the footer toggles and reads
    /// the marks again.
    std::function<void(const core::FlowItem &)> toggle;

    /// True when the rows had to be laid out again (other habits, order or titles).
    bool setRows(const QList<core::FlowItem> &habits, const QList<bool> &done)
    {
        bool sameLayout = habits.size() == m_rows.size();
        for (qsizetype i = 0; sameLayout && i < habits.size(); ++i) {
            const core::FlowItem &shown = m_rows[i].habit;
            sameLayout = habits[i].id == shown.id && habits[i].title == shown.title &&
                         (habits[i].habitSchedule == core::HabitSchedule::weekly) ==
                             (shown.habitSchedule == core::HabitSchedule::weekly);
        }
        if (!sameLayout)
            beginResetModel();
        m_rows.resize(habits.size());
        for (qsizetype i = 0; i < habits.size(); ++i)
            m_rows[i] = Row{habits[i], done.value(i)};
        if (!sameLayout)
            endResetModel();
        else if (!m_rows.isEmpty())
            emit dataChanged(index(0), index(int(m_rows.size()) - 1), {Qt::CheckStateRole});
        return !sameLayout;
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }

    Qt::ItemFlags flags(const QModelIndex &) const override
    {
        return Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_rows.size())
            return {};
        const Row &row = m_rows[index.row()];
        const bool weekly = row.habit.habitSchedule == core::HabitSchedule::weekly;
        switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return row.habit.title;
        case Qt::AccessibleDescriptionRole:
            return weekly ? JournalHabitsFooter::tr("Weekly") : QVariant();
        case Qt::CheckStateRole:
            return row.done ? Qt::Checked : Qt::Unchecked;
        case kWeeklyRole:
            return weekly;
        default:
            return {};
        }
    }

    // Whatever state is asked for, a click toggles; the files then say what is shown.
    bool setData(const QModelIndex &index, const QVariant &, int role) override
    {
        if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= m_rows.size() ||
            !toggle)
            return false;
        toggle(m_rows[index.row()].habit);
        return true;
    }

private:
    QList<Row> m_rows;
};

JournalHabitsFooter::JournalHabitsFooter(app::AppModel &model, QWidget *parent)
    : QWidget(parent), m_model(model)
{
    setAccessibleName(tr("Today’s habits"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    outer->addWidget(divider);

    auto *column = new QVBoxLayout;
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(12);
    outer->addLayout(column);

    auto *header = new QHBoxLayout;
    header->setSpacing(8);
    auto *icon = new QLabel(this);
    icon->setPixmap(symbolIcon(u"checkmark.circle"_s).pixmap(16, 16));
    header->addWidget(icon);
    auto *title = new QLabel(tr("Today’s habits"), this);
    applyTextStyle(title, TextStyle::subheadline);
    header->addWidget(title);
    header->addStretch(1);
    column->addLayout(header);

    m_rows = new HabitListModel;
    m_rows->setParent(this);
    m_rows->toggle = [this](const core::FlowItem &shown) {
        // What counts is the habit as scheduled now and what the files say afterwards.
        const QList<core::FlowItem> current = m_model.scheduledHabits();
        for (const core::FlowItem &flow : current) {
            if (flow.id == shown.id) {
                m_model.toggleHabit(flow);
                break;
            }
        }
        refresh();
    };
    auto *list = new HabitListView(this);
    m_list = list;
    m_list->setAccessibleName(tr("Today’s habits"));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->viewport()->setAutoFillBackground(false);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setAutoScroll(false);
    m_list->setItemDelegate(new HabitRowDelegate(m_list));
    m_list->setModel(m_rows);
    column->addWidget(m_list);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &JournalHabitsFooter::keepCurrentRowInView);
    m_list->installEventFilter(this);

    connect(&m_model, &app::AppModel::flowsChanged, this, &JournalHabitsFooter::refresh);
    connect(&m_model, &app::AppModel::selectedDateChanged, this, &JournalHabitsFooter::refresh);
    // Checked marks live in the habits files, not in a property: the model announces them
    // with a bare modelChanged(). Keystrokes also end in modelChanged(), and re-reading
    // the habits files for each of those would be wasted work.
    connect(&m_model, &app::AppModel::noteTextChanged, this,
            &JournalHabitsFooter::onNoteTextChanged);
    connect(&m_model, &app::AppModel::modelChanged, this, &JournalHabitsFooter::onModelChanged);
    refresh();
}

void JournalHabitsFooter::onModelChanged()
{
    if (m_skipNextModelChange) {
        m_skipNextModelChange = false;
        return;
    }
    refresh();
}

bool JournalHabitsFooter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::FocusIn)
        keepCurrentRowInView();
    return QWidget::eventFilter(watched, event);
}

void JournalHabitsFooter::keepCurrentRowInView()
{
    // The footer area scrolls, not the list: show the current row there.
    const QModelIndex current = m_list->currentIndex();
    for (QWidget *up = parentWidget(); current.isValid() && up; up = up->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(up); area && area->widget()) {
            const QRect row = m_list->visualRect(current);
            const QPoint centre = m_list->viewport()->mapTo(area->widget(), row.center());
            area->ensureVisible(centre.x(), centre.y(), 0, row.height() / 2);
            return;
        }
    }
}

void JournalHabitsFooter::refresh()
{
    const QList<core::FlowItem> habits = m_model.scheduledHabits();
    if (m_rows->setRows(habits, m_model.habitsCompleted(habits))) {
        static_cast<HabitListView *>(m_list)->doItemsLayout();
        m_list->setFixedHeight(
            habits.isEmpty() ? 0 : static_cast<HabitListView *>(m_list)->rowsHeight());
    }

    if (habits.isEmpty())
        hide();
    else if (parentWidget())
        show();
}

} // namespace wrenfold::ui
