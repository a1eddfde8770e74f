// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace wrenfold::ui {

/// The type scale the screens share, relative to the application font so that the
/// desktop's font size setting scales everything together.
enum class TextStyle { largeTitle, title2, title3, headline, subheadline, body, caption };

/// The font for `style`, derived from the application's default font.
QFont textStyleFont(TextStyle style);

/// Gives `widget` the style's font.
void applyTextStyle(QWidget *widget, TextStyle style);

/// Dims `widget`'s text to the palette's secondary text colour (placeholder text colour,
/// which every Qt style defines and which follows light and dark palettes).
void applySecondaryColor(QWidget *widget);

/// A faint fill for cards that reads on light and dark palettes: the text colour at low
/// opacity.
QColor cardFillColor(const QWidget *widget);

} // namespace wrenfold::ui
