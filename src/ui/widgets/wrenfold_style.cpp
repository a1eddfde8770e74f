// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/widgets/wrenfold_style.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>

namespace wrenfold::ui {
namespace {

// Wide enough to grab comfortably, drawn as a single soft line in the middle.
constexpr int splitterGrabWidth = 7;

QColor mixed(const QColor &over, const QColor &under, qreal amount)
{
    return QColor::fromRgbF(float(over.redF() * amount + under.redF() * (1 - amount)),
                            float(over.greenF() * amount + under.greenF() * (1 - amount)),
                            float(over.blueF() * amount + under.blueF() * (1 - amount)));
}

void drawCheckBox(const QStyleOption &option, QPainter &painter)
{
    const QPalette &palette = option.palette;
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool on = option.state & (QStyle::State_On | QStyle::State_NoChange);
    const qreal side = std::min(option.rect.width(), option.rect.height()) - 2;
    QRectF box(0, 0, side, side);
    box.moveCenter(QRectF(option.rect).center());

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor accent = palette.color(QPalette::Highlight);
    // The empty box's edge is the text colour at half strength: visible on any palette.
    QColor edge =
        on ? accent : mixed(palette.color(QPalette::Text), palette.color(QPalette::Base), 0.5);
    QColor fill = on ? accent : palette.color(QPalette::Base);
    if (!enabled) {
        edge.setAlphaF(0.4f);
        fill.setAlphaF(0.4f);
    }
    painter.setPen(QPen(edge, 1.5));
    painter.setBrush(fill);
    painter.drawRoundedRect(box.adjusted(0.75, 0.75, -0.75, -0.75), 3, 3);
    if (on) {
        QPen mark(palette.color(QPalette::HighlightedText), std::max(1.5, side / 8));
        mark.setCapStyle(Qt::RoundCap);
        mark.setJoinStyle(Qt::RoundJoin);
        painter.setPen(mark);
        if (option.state & QStyle::State_NoChange) {
            painter.drawLine(QPointF(box.left() + side * 0.28, box.center().y()),
                             QPointF(box.right() - side * 0.28, box.center().y()));
        } else {
            QPainterPath tick;
            tick.moveTo(box.left() + side * 0.25, box.top() + side * 0.52);
            tick.lineTo(box.left() + side * 0.43, box.top() + side * 0.70);
            tick.lineTo(box.left() + side * 0.76, box.top() + side * 0.32);
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(tick);
        }
    }
    painter.restore();
}

} // namespace

QColor separatorColor(const QPalette &palette)
{
    return mixed(palette.color(QPalette::WindowText), palette.color(QPalette::Window), 0.16);
}

WrenfoldStyle::WrenfoldStyle(const QString &baseStyle)
    : QProxyStyle(
          QStyleFactory::create(baseStyle.isEmpty() ? QApplication::style()->name() : baseStyle))
{}

int WrenfoldStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                               const QWidget *widget) const
{
    if (metric == PM_SplitterWidth)
        return splitterGrabWidth;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void WrenfoldStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                  QPainter *painter, const QWidget *widget) const
{
    if (element == PE_IndicatorCheckBox && option) {
        drawCheckBox(*option, *painter);
        return;
    }
    // A list row with the keyboard focus gets a ring that reads on and off the highlight.
    const auto *view = qobject_cast<const QAbstractItemView *>(widget);
    if (element == PE_FrameFocusRect && option && view) {
        // Around the whole row (the style passes the text's rectangle only); the lists
        // that take the focus have one column.
        const QRect row(0, option->rect.top(), view->viewport()->width(), option->rect.height());
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const bool selected = option->state & State_Selected;
        painter->setPen(QPen(
            option->palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(row).adjusted(2, 2, -2, -2), 4, 4);
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void WrenfoldStyle::drawControl(ControlElement element, const QStyleOption *option,
                                QPainter *painter, const QWidget *widget) const
{
    if (element == CE_Splitter && option) {
        // A one-pixel line in the middle of the grab area; the accent while hovered.
        const bool hovered = option->state & State_MouseOver;
        const QColor line =
            hovered ? option->palette.color(QPalette::Highlight) : separatorColor(option->palette);
        const QRect area = option->rect;
        const bool sideBySide = option->state & State_Horizontal;
        const int width = hovered ? 3 : 1;
        if (sideBySide)
            painter->fillRect(area.center().x() - width / 2, area.top(), width, area.height(),
                              line);
        else
            painter->fillRect(area.left(), area.center().y() - width / 2, area.width(), width,
                              line);
        return;
    }
    if (element == CE_ShapedFrame && option) {
        const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
        if (frame && (frame->frameShape == QFrame::HLine || frame->frameShape == QFrame::VLine)) {
            const QRect area = option->rect;
            const QColor line = separatorColor(option->palette);
            if (frame->frameShape == QFrame::HLine)
                painter->fillRect(area.left(), area.center().y(), area.width(), 1, line);
            else
                painter->fillRect(area.center().x(), area.top(), 1, area.height(), line);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void installWrenfoldStyle()
{
    if (qobject_cast<WrenfoldStyle *>(QApplication::style()))
        return;
    QApplication::setStyle(new WrenfoldStyle);
}

} // namespace wrenfold::ui
