// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/flows/flows_view.h"

#include "app/app_model.h"
#include "ui/flows/flow_texts.h"
#include "ui/icons.h"
#include "ui/widgets/empty_state_panel.h"
#include "ui/widgets/text_styles.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

// Rows built at a time: about two screenfuls of a 760-pixel window.
constexpr qsizetype kRowBatch = 12;

QLabel *plainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

FlowRow::FlowRow(const core::FlowItem &flow, QWidget *parent) : QFrame(parent), m_flow(flow)
{
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(flow.title);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(12);

    auto *first = new QHBoxLayout;
    first->setSpacing(8);
    auto *title = plainLabel(flow.title, this);
    applyTextStyle(title, TextStyle::title3);
    title->setWordWrap(true);
    first->addWidget(title, 0, Qt::AlignVCenter);
    m_archived = new QLabel(tr("Archived"), this);
    applyTextStyle(m_archived, TextStyle::caption);
    applySecondaryColor(m_archived);
    m_archived->setVisible(!flow.isActive);
    first->addWidget(m_archived, 0, Qt::AlignVCenter);
    first->addStretch(1);

    m_menu = new QMenu(this);
    m_edit = m_menu->addAction(tr("Edit Flow…"));
    m_archive = m_menu->addAction(flow.isActive ? tr("Archive Flow") : tr("Restore Flow"));
    m_menu->addSeparator();
    m_delete = m_menu->addAction(tr("Delete Flow…"));
    m_delete->setShortcut(QKeySequence::Delete);
    m_delete->setShortcutVisibleInContextMenu(true);
    connect(m_edit, &QAction::triggered, this, [this] { emit editRequested(m_flow); });
    connect(m_archive, &QAction::triggered, this, [this] { emit archiveRequested(m_flow); });
    connect(m_delete, &QAction::triggered, this, [this] { emit deleteRequested(m_flow); });

    m_menuButton = new QToolButton(this);
    m_menuButton->setIcon(symbolIcon(u"ellipsis.circle"_s));
    if (m_menuButton->icon().isNull())
        m_menuButton->setText(u"…"_s);
    m_menuButton->setAutoRaise(true);
    m_menuButton->setPopupMode(QToolButton::InstantPopup);
    m_menuButton->setStyleSheet(u"QToolButton::menu-indicator { image: none; width: 0; }"_s);
    m_menuButton->setMenu(m_menu);
    m_menuButton->setAccessibleName(tr("Flow actions"));
    m_menuButton->setToolTip(tr("Flow actions"));
    first->addWidget(m_menuButton, 0, Qt::AlignTop);
    column->addLayout(first);

    if (!flow.detail.isEmpty() || !flow.nextStep.isEmpty()) {
        auto *lines = new QGridLayout;
        lines->setHorizontalSpacing(16);
        lines->setVerticalSpacing(8);
        auto addLine = [&](const QString &name, const QString &value) {
            const int row = lines->rowCount();
            auto *label = new QLabel(name, this);
            applySecondaryColor(label);
            lines->addWidget(label, row, 0, Qt::AlignTop | Qt::AlignLeft);
            auto *text = plainLabel(value, this);
            text->setWordWrap(true);
            text->setTextInteractionFlags(Qt::TextSelectableByMouse);
            text->setAccessibleName(name);
            lines->addWidget(text, row, 1, Qt::AlignTop);
        };
        if (!flow.detail.isEmpty())
            addLine(tr("Current note"), flow.detail);
        if (!flow.nextStep.isEmpty())
            addLine(tr("Next step"), flow.nextStep);
        lines->setColumnStretch(1, 1);
        column->addLayout(lines);
    }

    if (flow.tracksHabit) {
        auto *habitRow = new QHBoxLayout;
        habitRow->setSpacing(8);
        auto *icon = new QLabel(this);
        const int side = QFontMetrics(textStyleFont(TextStyle::caption)).height();
        icon->setPixmap(symbolIcon(u"checkmark.circle"_s).pixmap(side, side));
        habitRow->addWidget(icon);
        m_habit = new QLabel(habitText(flow.habitSchedule), this);
        applyTextStyle(m_habit, TextStyle::caption);
        applySecondaryColor(m_habit);
        habitRow->addWidget(m_habit);
        habitRow->addStretch(1);
        column->addLayout(habitRow);
    }

    auto *last = new QHBoxLayout;
    last->setSpacing(8);
    const QDate updated = flow.updatedAt.toLocalTime().date();
    m_lastActivity = new QLabel(tr("Last activity %1").arg(abbreviatedDate(updated)), this);
    applyTextStyle(m_lastActivity, TextStyle::caption);
    applySecondaryColor(m_lastActivity);
    last->addWidget(m_lastActivity);
    last->addStretch(1);
    m_open = new QPushButton(tr("Open Flow"), this);
    m_addToToday = new QPushButton(tr("Add to Today’s Journal"), this);
    last->addWidget(m_open);
    last->addWidget(m_addToToday);
    column->addLayout(last);
    connect(m_open, &QPushButton::clicked, this, [this] { emit openRequested(m_flow); });
    connect(m_addToToday, &QPushButton::clicked, this,
            [this] { emit addToTodayRequested(m_flow); });
}

void FlowRow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        emit deleteRequested(m_flow);
        return;
    case Qt::Key_Up:
        emit moveFocusRequested(-1);
        return;
    case Qt::Key_Down:
        emit moveFocusRequested(+1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit openRequested(m_flow);
        return;
    case Qt::Key_Menu:
        m_menu->popup(mapToGlobal(QPoint(width() / 2, height() / 2)));
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

void FlowRow::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    QFrame::mousePressEvent(event);
}

void FlowRow::contextMenuEvent(QContextMenuEvent *event)
{
    setFocus(Qt::PopupFocusReason);
    m_menu->popup(event->globalPos());
}

void FlowRow::paintEvent(QPaintEvent *event)
{
    if (hasFocus()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor fill = palette().color(QPalette::Highlight);
        fill.setAlphaF(0.14);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
        painter.fillPath(shape, fill);
    }
    QFrame::paintEvent(event);
}

void FlowRow::focusInEvent(QFocusEvent *event)
{
    update();
    QFrame::focusInEvent(event);
}

void FlowRow::focusOutEvent(QFocusEvent *event)
{
    update();
    QFrame::focusOutEvent(event);
}

FlowsView::FlowsView(app::AppModel &model, QWidget *parent) : QWidget(parent), m_model(model)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);

    auto *header = new QHBoxLayout;
    auto *titles = new QVBoxLayout;
    titles->setSpacing(4);
    auto *title = new QLabel(tr("Flows"), this);
    applyTextStyle(title, TextStyle::largeTitle);
    titles->addWidget(title);
    auto *subtitle = new QLabel(tr("Keep track of things that develop over time."), this);
    applySecondaryColor(subtitle);
    titles->addWidget(subtitle);
    header->addLayout(titles);
    header->addStretch(1);
    m_newFlow = new QPushButton(symbolIcon(u"plus"_s), tr("New Flow"), this);
    m_newFlow->setToolTip(
        tr("New Flow (%1)")
            .arg(
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N).toString(QKeySequence::NativeText)));
    header->addWidget(m_newFlow, 0, Qt::AlignBottom);
    column->addLayout(header);
    connect(m_newFlow, &QPushButton::clicked, this, [this] { m_model.setPresentNewFlow(true); });

    m_empty = new EmptyStatePanel(u"arrow.triangle.branch"_s, tr("No flows yet"),
                                  tr("Add something you want to return to over time."), {}, this);
    column->addWidget(m_empty, 1);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list = new QWidget(m_scroll);
    m_rowsLayout = new QVBoxLayout(m_list);
    m_rowsLayout->setContentsMargins(0, 0, 0, 0);
    m_rowsLayout->setSpacing(0);
    m_rowsLayout->addStretch(1);
    m_scroll->setWidget(m_list);
    column->addWidget(m_scroll, 1);

    // Later rows are built as the list scrolls towards them: thousands of rows of widgets
    // at once would keep the window from appearing for seconds.
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &FlowsView::buildRowsNearTheEnd, Qt::QueuedConnection);
    connect(m_scroll->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            &FlowsView::buildRowsNearTheEnd, Qt::QueuedConnection);
    // Tab into the last built row builds the next batch, so Tab goes on through the list.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && !m_rows.isEmpty() && m_rows.last()->isAncestorOf(now) &&
            m_rows.size() < m_model.flows().size())
            buildMoreRows(m_rows.size() + kRowBatch);
    });
    connect(&m_model, &app::AppModel::flowsChanged, this, &FlowsView::rebuild);
    rebuild();
}

void FlowsView::rebuild()
{
    QUuid focusedId;
    qsizetype focusedIndex = -1;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i]->hasFocus()) {
            focusedId = m_rows[i]->flowId();
            focusedIndex = i;
        }
    }

    // A row whose flow is unchanged stays; only changed and new flows get new rows, so a
    // change to one flow of thousands builds one row, not thousands.
    QHash<QUuid, FlowRow *> unchanged;
    for (FlowRow *row : std::as_const(m_rows))
        unchanged.insert(row->flowId(), row);
    while (QLayoutItem *item = m_rowsLayout->takeAt(0))
        delete item;
    const QList<core::FlowItem> &flows = m_model.flows();
    // As many rows as were built (the user may have scrolled far), at least a first batch.
    const qsizetype count = std::min(flows.size(), std::max(m_rows.size(), kRowBatch));
    QList<FlowRow *> rows;
    rows.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        FlowRow *row = unchanged.value(flows[i].id);
        if (row && row->flow() == flows[i])
            unchanged.remove(flows[i].id);
        else
            row = makeRow(flows[i]);
        rows.append(row);
    }
    // Rows go later: the one whose menu or button started this change is still on the
    // stack.
    for (FlowRow *row : std::as_const(unchanged)) {
        row->hide();
        row->deleteLater();
    }
    m_rows.clear();
    for (FlowRow *row : std::as_const(rows))
        appendRow(row);
    m_rowsLayout->addStretch(1);
    while (m_dividers.size() > std::max<qsizetype>(0, m_rows.size() - 1)) {
        QFrame *divider = m_dividers.takeLast();
        divider->hide();
        divider->deleteLater();
    }

    m_empty->setVisible(flows.isEmpty());
    m_scroll->setVisible(!flows.isEmpty());

    if (focusedIndex >= 0) {
        qsizetype again = -1;
        for (qsizetype i = 0; i < m_rows.size(); ++i)
            if (m_rows[i]->flowId() == focusedId)
                again = i;
        // A deleted row hands the focus to the row that took its place.
        focusRow(again >= 0 ? again : std::min(focusedIndex, m_rows.size() - 1));
    }
}

FlowRow *FlowsView::makeRow(const core::FlowItem &flow)
{
    auto *row = new FlowRow(flow, m_list);
    connect(row, &FlowRow::editRequested, this,
            [this](const core::FlowItem &flow) { m_model.setEditingFlow(flow); });
    connect(row, &FlowRow::archiveRequested, this,
            [this](const core::FlowItem &flow) { m_model.archiveFlow(flow); });
    connect(row, &FlowRow::deleteRequested, this, &FlowsView::confirmDelete);
    connect(row, &FlowRow::openRequested, this,
            [this](const core::FlowItem &flow) { m_model.setReviewingFlow(flow); });
    connect(row, &FlowRow::addToTodayRequested, this,
            [this](const core::FlowItem &flow) { m_model.addFlowToToday(flow); });
    connect(row, &FlowRow::moveFocusRequested, this,
            [this, row](int step) { focusRow(m_rows.indexOf(row) + step); });
    return row;
}

void FlowsView::appendRow(FlowRow *row)
{
    // Before the closing stretch, if there is one.
    const int at =
        m_rows.isEmpty() ? m_rowsLayout->count() : m_rowsLayout->indexOf(m_rows.last()) + 1;
    if (!m_rows.isEmpty()) {
        if (m_dividers.size() < m_rows.size()) {
            auto *divider = new QFrame(m_list);
            divider->setFrameShape(QFrame::HLine);
            divider->setFrameShadow(QFrame::Sunken);
            m_dividers.append(divider);
        }
        QFrame *divider = m_dividers[m_rows.size() - 1];
        m_rowsLayout->insertWidget(at, divider);
        divider->show();
    }
    m_rowsLayout->insertWidget(m_rows.isEmpty() ? at : at + 1, row);
    row->show(); // a layout would show it only on a later event-loop turn
    if (!m_rows.isEmpty()) {
        // A row built later would come last in the window's Tab order, after widgets made
        // since; it goes right after the row above it.
        const auto inRow = [](const QWidget *rowWidget, QWidget *widget) {
            return widget == rowWidget || rowWidget->isAncestorOf(widget);
        };
        QWidget *previous = m_rows.last();
        while (inRow(m_rows.last(), previous->nextInFocusChain()))
            previous = previous->nextInFocusChain();
        QList<QWidget *> chain{row};
        while (inRow(row, chain.last()->nextInFocusChain()))
            chain.append(chain.last()->nextInFocusChain());
        for (QWidget *widget : std::as_const(chain)) {
            QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    }
    m_rows.append(row);
}

void FlowsView::buildMoreRows(qsizetype upTo)
{
    const QList<core::FlowItem> &flows = m_model.flows();
    const qsizetype count = std::min(flows.size(), upTo);
    for (qsizetype i = m_rows.size(); i < count; ++i)
        appendRow(makeRow(flows[i]));
}

void FlowsView::buildRowsNearTheEnd()
{
    // Rows are built a batch at a time while less than a screenful lies below the view.
    const QScrollBar *bar = m_scroll->verticalScrollBar();
    if (m_rows.size() < m_model.flows().size() &&
        bar->maximum() - bar->value() < m_scroll->viewport()->height())
        buildMoreRows(m_rows.size() + kRowBatch);
}

void FlowsView::focusRow(qsizetype index)
{
    if (index >= m_rows.size() && index < m_model.flows().size())
        buildMoreRows(index + kRowBatch);
    if (index < 0 || index >= m_rows.size()) {
        if (m_rows.isEmpty())
            m_newFlow->setFocus();
        return;
    }
    m_rows[index]->setFocus(Qt::OtherFocusReason);
    // A row built just now has its place only once the list is laid out.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    m_scroll->ensureWidgetVisible(m_rows[index], 0, 0);
}

QMessageBox *FlowsView::deleteConfirmation() const
{
    return m_confirmation;
}

void FlowsView::confirmDelete(const core::FlowItem &flow)
{
    if (m_confirmation)
        return;
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Delete Flow"),
                                tr("Delete “%1”?").arg(flow.title), QMessageBox::NoButton, this);
    box->setTextFormat(Qt::PlainText);
    box->setInformativeText(tr("Its monthly reviews are deleted with it. Mentions and habit "
                               "marks in your journal stay as they are."));
    QPushButton *remove = box->addButton(tr("Delete"), QMessageBox::DestructiveRole);
    QPushButton *keep = box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    box->setDefaultButton(keep);
    box->setEscapeButton(keep);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    const QUuid id = flow.id;
    connect(box, &QMessageBox::finished, this, [this, box, remove, id] {
        if (box->clickedButton() != remove)
            return;
        core::FlowItem doomed;
        doomed.id = id;
        m_model.deleteFlow(doomed);
    });
    m_confirmation = box;
    box->open();
}

} // namespace wrenfold::ui
