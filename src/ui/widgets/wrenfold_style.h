// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QColor>
#include <QProxyStyle>

class QPalette;

namespace wrenfold::ui {

/// The few places where Wrenfold draws differently from the desktop's style, the same in
/// light and dark palettes: soft one-pixel separators and splitter lines with a wide grab
/// area, check boxes whose empty box stays visible on dark palettes, and a clear focus
/// ring on list rows. Everything else is the desktop style's own.
class WrenfoldStyle final : public QProxyStyle {
    Q_OBJECT
public:
    /// Wraps the style named `baseStyle` (the application's current one when empty).
    explicit WrenfoldStyle(const QString &baseStyle = {});

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
};

/// The colour of separators and panel edges: the text colour faded into the window colour,
/// so it reads as a soft line on any palette.
QColor separatorColor(const QPalette &palette);

/// Installs `WrenfoldStyle` over the current style. Harmless to call again.
void installWrenfoldStyle();

} // namespace wrenfold::ui
