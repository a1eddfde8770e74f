// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/widgets/rounded_panel.h"

#include <QPainter>
#include <QPainterPath>

namespace wrenfold::ui {

RoundedPanel::RoundedPanel(qreal radius, QPalette::ColorRole role, qreal opacity, QWidget *parent)
    : QWidget(parent), m_radius(radius), m_role(role), m_opacity(opacity)
{}

void RoundedPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = palette().color(m_role);
    fill.setAlphaF(fill.alphaF() * m_opacity);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), m_radius, m_radius);
}

} // namespace wrenfold::ui
