// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/flows/flow_detail_view.h"

#include "app/app_model.h"
#include "ui/flows/activity_marks.h"
#include "ui/flows/flow_texts.h"
#include "ui/flows/growing_text_edit.h"
#include "ui/icons.h"
#include "ui/widgets/text_styles.h"

#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

constexpr int kMarkSize = 9;

QWidget *legendItem(ActivityMark mark, const QString &text, QWidget *parent)
{
    auto *item = new QWidget(parent);
    auto *row = new QHBoxLayout(item);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    auto *icon = new QLabel(item);
    const int side = QFontMetrics(textStyleFont(TextStyle::caption)).ascent();
    icon->setPixmap(activityMarkPixmap(mark, side, *parent));
    row->addWidget(icon);
    auto *label = new QLabel(text, item);
    applyTextStyle(label, TextStyle::caption);
    row->addWidget(label);
    item->setAccessibleName(text);
    return item;
}

} // namespace

FlowDayTile::FlowDayTile(const QDate &day, bool mentioned, bool completed, QWidget *parent)
    : QWidget(parent), m_day(day), m_mentioned(mentioned), m_completed(completed)
{
    setFont(textStyleFont(TextStyle::caption));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QString name = QLocale().toString(day, QLocale::LongFormat);
    if (mentioned)
        name += u", "_s + tr("Mentioned");
    if (completed)
        name += u", "_s + tr("Completed");
    setAccessibleName(name);
}

QSize FlowDayTile::sizeHint() const
{
    return {44, std::max(40, fontMetrics().height() + kMarkSize + 4 + 12)};
}

QSize FlowDayTile::minimumSizeHint() const
{
    return {24, sizeHint().height()};
}

void FlowDayTile::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    painter.fillPath(shape, palette().color(QPalette::Base));
    QColor border = palette().color(QPalette::WindowText);
    border.setAlphaF(0.10);
    painter.setPen(border);
    painter.drawPath(shape);

    const QRect inner = rect().adjusted(6, 6, -6, -6);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, QString::number(m_day.day()));
    int x = inner.left();
    const int y = inner.top() + fontMetrics().height() + 4;
    for (const auto &[shown, mark] : {std::pair{m_mentioned, ActivityMark::mentioned},
                                      std::pair{m_completed, ActivityMark::completed}}) {
        if (!shown)
            continue;
        paintActivityMark(painter, QRectF(x, y, kMarkSize, kMarkSize), mark, *this);
        x += kMarkSize + 3;
    }
}

FlowDetailView::FlowDetailView(app::AppModel &model, const core::FlowItem &flow, QWidget *parent)
    : QWidget(parent), m_model(&model), m_flow(flow)
{
    const core::Calendar &calendar = model.store().calendar();
    const QDate today = calendar.dayOf(QDateTime::currentDateTime());
    m_month = QDate(today.year(), today.month(), 1);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(24, 24, 24, 24);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(4);
    auto *title = new QLabel(flow.title, this);
    title->setTextFormat(Qt::PlainText);
    applyTextStyle(title, TextStyle::title2);
    titles->addWidget(title);
    auto *subtitle = new QLabel(tr("Monthly Flow Review"), this);
    applySecondaryColor(subtitle);
    titles->addWidget(subtitle);
    header->addLayout(titles);
    header->addStretch(1);
    m_done = new QPushButton(tr("Done"), this);
    m_done->setDefault(true);
    header->addWidget(m_done, 0, Qt::AlignTop);
    outer->addLayout(header);
    connect(m_done, &QPushButton::clicked, this, &FlowDetailView::done);

    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    outer->addWidget(divider);

    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *body = new QWidget(scroll);
    auto *column = new QVBoxLayout(body);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(24);

    auto *monthBar = new QHBoxLayout;
    m_previous = new QToolButton(body);
    m_previous->setIcon(symbolIcon(u"chevron.left"_s));
    m_previous->setAutoRaise(true);
    m_previous->setAccessibleName(tr("Previous month"));
    m_previous->setToolTip(tr("Previous month"));
    monthBar->addWidget(m_previous);
    m_monthTitle = new QLabel(body);
    applyTextStyle(m_monthTitle, TextStyle::title3);
    monthBar->addWidget(m_monthTitle);
    m_next = new QToolButton(body);
    m_next->setIcon(symbolIcon(u"chevron.right"_s));
    m_next->setAutoRaise(true);
    m_next->setAccessibleName(tr("Next month"));
    m_next->setToolTip(tr("Next month"));
    monthBar->addWidget(m_next);
    monthBar->addStretch(1);
    monthBar->addWidget(legendItem(ActivityMark::mentioned, tr("Mentioned"), body));
    monthBar->addSpacing(12);
    m_completedLegend = legendItem(ActivityMark::completed, tr("Completed"), body);
    m_completedLegend->setVisible(flow.tracksHabit);
    monthBar->addWidget(m_completedLegend);
    column->addLayout(monthBar);
    connect(m_previous, &QToolButton::clicked, this, [this] { changeMonth(-1); });
    connect(m_next, &QToolButton::clicked, this, [this] { changeMonth(+1); });

    m_grid = new QGridLayout;
    m_grid->setSpacing(4);
    const QLocale locale;
    for (int offset = 0; offset < 7; ++offset) {
        const int qtDay = (int(calendar.firstDayOfWeek) - 1 + offset) % 7 + 1;
        auto *name = new QLabel(locale.standaloneDayName(qtDay, QLocale::NarrowFormat), body);
        QFont font = textStyleFont(TextStyle::caption);
        font.setWeight(QFont::DemiBold);
        name->setFont(font);
        applySecondaryColor(name);
        name->setAlignment(Qt::AlignCenter);
        name->setAccessibleName(locale.standaloneDayName(qtDay, QLocale::LongFormat));
        m_grid->addWidget(name, 0, offset);
        m_grid->setColumnStretch(offset, 1);
    }
    column->addLayout(m_grid);

    const std::array<QString, 5> titlesOfFields{tr("Why this matters"), tr("What I’m noticing"),
                                                tr("What may affect it"), tr("Looking back"),
                                                tr("What I want to carry forward")};
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        auto *section = new QVBoxLayout;
        section->setSpacing(8);
        auto *heading = new QLabel(titlesOfFields[i], body);
        applyTextStyle(heading, TextStyle::headline);
        section->addWidget(heading);
        m_fields[i] = new GrowingTextEdit(2, 5, GrowingTextEdit::ReturnKey::newLine, body);
        m_fields[i]->setPlaceholderText(titlesOfFields[i]);
        m_fields[i]->setAccessibleName(titlesOfFields[i]);
        heading->setBuddy(m_fields[i]);
        connect(m_fields[i], &GrowingTextEdit::submitRequested, this, &FlowDetailView::done);
        section->addWidget(m_fields[i]);
        column->addLayout(section);
    }
    column->addStretch(1);
    scroll->setWidget(body);
    outer->addWidget(scroll, 1);

    setMinimumSize(560, 480);
    loadReview();
    rebuildGrid();
}

FlowDetailView::~FlowDetailView()
{
    // Torn down with its window (the application quitting) without a close: keep what
    // was typed, but write nothing when nothing changed.
    if (!m_finished && m_model && review() != m_model->review(m_flow, monthStart()))
        storeReview();
}

QDateTime FlowDetailView::monthStart() const
{
    return m_model ? m_model->store().calendar().startOfDay(m_month) : QDateTime();
}

core::FlowReview FlowDetailView::review() const
{
    return {m_fields[0]->toPlainText(), m_fields[1]->toPlainText(), m_fields[2]->toPlainText(),
            m_fields[3]->toPlainText(), m_fields[4]->toPlainText()};
}

void FlowDetailView::storeReview()
{
    if (m_model)
        m_model->updateReview(review(), m_flow, monthStart());
}

void FlowDetailView::loadReview()
{
    const core::FlowReview stored =
        m_model ? m_model->review(m_flow, monthStart()) : core::FlowReview{};
    const std::array<QString, 5> texts{stored.whyThisMatters, stored.noticing, stored.mayAffect,
                                       stored.lookingBack, stored.carryForward};
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setPlainText(texts[i]);
}

void FlowDetailView::changeMonth(int offset)
{
    storeReview();
    const QDate moved = m_month.addMonths(offset);
    if (!moved.isValid())
        return;
    m_month = moved;
    loadReview();
    rebuildGrid();
}

void FlowDetailView::done()
{
    if (m_finished)
        return;
    m_finished = true;
    storeReview();
    if (m_model)
        m_model->setReviewingFlow(std::nullopt);
}

void FlowDetailView::onSheetFinished()
{
    if (m_finished)
        return;
    m_finished = true;
    storeReview();
}

void FlowDetailView::showEvent(QShowEvent *event)
{
    if (auto *sheet = qobject_cast<QDialog *>(window()))
        connect(sheet, &QDialog::finished, this, &FlowDetailView::onSheetFinished,
                Qt::UniqueConnection);
    QWidget::showEvent(event);
}

void FlowDetailView::rebuildGrid()
{
    for (QWidget *cell : std::as_const(m_gridCells)) {
        m_grid->removeWidget(cell);
        cell->deleteLater();
    }
    m_gridCells.clear();
    m_tiles.clear();
    m_monthTitle->setText(ui::monthTitle(m_month));
    if (!m_model)
        return;

    const core::Calendar &calendar = m_model->store().calendar();
    const int leading = (m_month.dayOfWeek() - int(calendar.firstDayOfWeek) + 7) % 7;
    QWidget *body = m_monthTitle->parentWidget();
    int position = 0;
    for (; position < leading; ++position) {
        auto *gap = new QWidget(body);
        gap->setFixedHeight(44);
        m_grid->addWidget(gap, 1 + position / 7, position % 7);
        m_gridCells.append(gap);
        if (isVisible())
            gap->show();
    }
    for (int day = 1; day <= m_month.daysInMonth(); ++day, ++position) {
        const QDate date(m_month.year(), m_month.month(), day);
        const app::FlowDayActivity activity = m_model->activity(m_flow, calendar.startOfDay(date));
        auto *tile = new FlowDayTile(date, activity.mentioned, activity.habitDone, body);
        m_grid->addWidget(tile, 1 + position / 7, position % 7);
        m_gridCells.append(tile);
        if (isVisible())
            tile->show();
        m_tiles.append(tile);
    }
}

} // namespace wrenfold::ui
