// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/flows/activity_marks.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace wrenfold::ui {

void paintActivityMark(QPainter &painter, const QRectF &box, ActivityMark mark,
                       const QWidget &widget)
{
    const bool dark = widget.palette().color(QPalette::Window).lightness() < 128;
    const QColor color = mark == ActivityMark::mentioned
                             ? (dark ? QColor(0xbf, 0x5a, 0xf2) : QColor(0xaf, 0x52, 0xde))
                             : (dark ? QColor(0x30, 0xd1, 0x58) : QColor(0x28, 0xa7, 0x45));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(box);
    if (mark == ActivityMark::completed) {
        QPainterPath check;
        const qreal w = box.width();
        check.moveTo(box.left() + w * 0.28, box.top() + w * 0.52);
        check.lineTo(box.left() + w * 0.44, box.top() + w * 0.68);
        check.lineTo(box.left() + w * 0.73, box.top() + w * 0.35);
        QPen pen(Qt::white, std::max(1.2, w * 0.13), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(check);
    }
    painter.restore();
}

QPixmap activityMarkPixmap(ActivityMark mark, int side, const QWidget &widget)
{
    const qreal ratio = widget.devicePixelRatioF();
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintActivityMark(painter, QRectF(0.5, 0.5, side - 1, side - 1), mark, widget);
    return pixmap;
}

} // namespace wrenfold::ui
