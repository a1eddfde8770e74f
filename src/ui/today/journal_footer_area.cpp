// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/today/journal_footer_area.h"

#include <QEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace wrenfold::ui {
namespace {

// The writing area comes first: the cards and habits take at most this share of the
// pane and scroll within it.
constexpr double kShareOfPane = 0.3;
constexpr int kMinimumCap = 120;

} // namespace

JournalFooterArea::JournalFooterArea(QWidget *pane, QWidget *parent)
    : QScrollArea(parent), m_pane(pane)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    viewport()->setAutoFillBackground(false);
    // Tab goes to the cards' and habits' own controls (the area scrolls them into view);
    // the area itself would be a stop with nothing to show or say.
    setFocusPolicy(Qt::NoFocus);

    m_content = new QWidget(this);
    m_content->setAutoFillBackground(false);
    m_column = new QVBoxLayout(m_content);
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(12);
    setWidget(m_content);
    m_content->installEventFilter(this);
    if (m_pane)
        m_pane->installEventFilter(this);
    hide();
}

void JournalFooterArea::addPart(QWidget *part)
{
    part->setParent(m_content);
    m_column->addWidget(part);
    part->installEventFilter(this);
    refreshVisibility();
}

int JournalFooterArea::heightCap() const
{
    const int paneHeight = m_pane ? m_pane->height() : 0;
    return std::max(kMinimumCap, static_cast<int>(paneHeight * kShareOfPane));
}

QSize JournalFooterArea::sizeHint() const
{
    const QSize content = m_content->sizeHint();
    return {content.width(), std::min(content.height(), heightCap())};
}

QSize JournalFooterArea::minimumSizeHint() const
{
    return {0, std::min(m_content->sizeHint().height(), kMinimumCap)};
}

bool JournalFooterArea::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == m_pane) {
            setMaximumHeight(heightCap());
            updateGeometry();
        }
        break;
    case QEvent::LayoutRequest:
        if (watched == m_content)
            updateGeometry();
        break;
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (watched != m_pane && watched != m_content)
            refreshVisibility();
        break;
    default:
        break;
    }
    return QScrollArea::eventFilter(watched, event);
}

void JournalFooterArea::refreshVisibility()
{
    bool anyShown = false;
    for (int i = 0; i < m_column->count(); ++i) {
        if (QWidget *part = m_column->itemAt(i)->widget(); part && !part->isHidden())
            anyShown = true;
    }
    if (anyShown == isHidden())
        setVisible(anyShown);
    updateGeometry();
}

} // namespace wrenfold::ui
