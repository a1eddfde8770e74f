// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/widgets/text_styles.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace wrenfold::ui {

QFont textStyleFont(TextStyle style)
{
    QFont font = QApplication::font();
    const qreal base = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    auto scaled = [&](qreal factor, QFont::Weight weight) {
        font.setPointSizeF(base * factor);
        font.setWeight(weight);
        return font;
    };
    switch (style) {
    case TextStyle::largeTitle:
        return scaled(2.0, QFont::Bold);
    case TextStyle::title2:
        return scaled(1.6, QFont::Bold);
    case TextStyle::title3:
        return scaled(1.3, QFont::Bold);
    case TextStyle::headline:
        return scaled(1.1, QFont::Bold);
    case TextStyle::subheadline:
        return scaled(1.0, QFont::DemiBold);
    case TextStyle::body:
        return scaled(1.0, QFont::Normal);
    case TextStyle::caption:
        return scaled(0.85, QFont::Normal);
    }
    return font;
}

void applyTextStyle(QWidget *widget, TextStyle style)
{
    widget->setFont(textStyleFont(style));
}

void applySecondaryColor(QWidget *widget)
{
    QPalette palette = widget->palette();
    const QColor secondary = palette.color(QPalette::PlaceholderText);
    palette.setColor(QPalette::WindowText, secondary);
    palette.setColor(QPalette::Text, secondary);
    widget->setPalette(palette);
}

QColor cardFillColor(const QWidget *widget)
{
    QColor color = widget->palette().color(QPalette::WindowText);
    color.setAlphaF(0.06);
    return color;
}

} // namespace wrenfold::ui
