// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/perspectives/perspectives_view.h"

#include "app/app_model.h"
#include "core/perspective_catalogue.h"
#include "ui/widgets/text_styles.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

constexpr int gridPadding = 24;
constexpr int gridSpacing = 16;
constexpr int minimumColumnWidth = 290;
constexpr int cardPadding = 16;
constexpr int cardMinimumHeight = 130;
constexpr qreal cardRadius = 14;

} // namespace

PerspectiveCatalogueCard::PerspectiveCatalogueCard(app::AppModel &model,
                                                   const core::Perspective &perspective,
                                                   QWidget *parent)
    : QWidget(parent), m_id(perspective.id)
{
    const QString title = perspective.localizedTitle();
    const QString explanation = perspective.localizedExplanation();
    setAccessibleName(perspective.name);
    setAccessibleDescription(title + u". "_s + explanation);
    setMinimumHeight(cardMinimumHeight);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::MinimumExpanding);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(cardPadding, cardPadding, cardPadding, cardPadding);
    column->setSpacing(8);

    // The practice's own name is a proper name: never translated.
    auto *name = new QLabel(perspective.name, this);
    applyTextStyle(name, TextStyle::title3);
    column->addWidget(name);

    auto *titleLabel = new QLabel(title, this);
    titleLabel->setWordWrap(true);
    applyTextStyle(titleLabel, TextStyle::headline);
    applySecondaryColor(titleLabel);
    column->addWidget(titleLabel);

    auto *explanationLabel = new QLabel(explanation, this);
    explanationLabel->setWordWrap(true);
    explanationLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(explanationLabel);

    column->addStretch(1);

    m_add = new QPushButton(tr("Add to Today’s Journal"), this);
    m_add->setAccessibleDescription(perspective.name);
    connect(m_add, &QPushButton::clicked, this,
            [&model, record = perspective] { model.addPerspectiveToToday(record); });
    column->addWidget(m_add, 0, Qt::AlignLeft);
}

void PerspectiveCatalogueCard::paintEvent(QPaintEvent *)
{
    // A faint rounded card that reads in light and dark palettes alike.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = palette().color(QPalette::WindowText);
    fill.setAlphaF(0.07);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cardRadius, cardRadius);
}

PerspectivesView::PerspectivesView(app::AppModel &model, QWidget *parent) : QWidget(parent)
{
    setAccessibleName(tr("Perspectives"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *heading = new QLabel(tr("Perspectives"), this);
    heading->setFont(textStyleFont(TextStyle::largeTitle));
    heading->setContentsMargins(gridPadding, gridPadding, gridPadding, 0);
    column->addWidget(heading);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(m_scroll, 1);

    auto *content = new QWidget(m_scroll);
    auto *contentColumn = new QVBoxLayout(content);
    contentColumn->setContentsMargins(gridPadding, gridPadding, gridPadding, gridPadding);
    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(gridSpacing);
    m_grid->setVerticalSpacing(gridSpacing);
    contentColumn->addLayout(m_grid);
    contentColumn->addStretch(1);

    for (const core::Perspective &perspective : core::perspectives())
        m_cards.append(new PerspectiveCatalogueCard(model, perspective, content));
    m_scroll->setWidget(content);
    arrange();
}

int PerspectivesView::columnsFor(int width)
{
    const int room = width - 2 * gridPadding;
    return std::max(1, (room + gridSpacing) / (minimumColumnWidth + gridSpacing));
}

void PerspectivesView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    arrange();
}

void PerspectivesView::arrange()
{
    // The vertical scroll bar may come and go with the layout; reckon without it so the
    // count does not flip back and forth at the edge.
    const int columns =
        columnsFor(m_scroll->width() - m_scroll->verticalScrollBar()->sizeHint().width());
    if (columns == m_columns)
        return;
    for (PerspectiveCatalogueCard *card : std::as_const(m_cards))
        m_grid->removeWidget(card);
    for (int column = 0; column < m_columns; ++column)
        m_grid->setColumnStretch(column, 0);
    m_columns = columns;
    for (qsizetype i = 0; i < m_cards.size(); ++i)
        m_grid->addWidget(m_cards[i], int(i / columns), int(i % columns));
    for (int column = 0; column < columns; ++column)
        m_grid->setColumnStretch(column, 1);
}

} // namespace wrenfold::ui
