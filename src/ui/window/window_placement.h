// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QRect>
#include <QSize>

class QSettings;
class QWidget;

namespace wrenfold::ui {

/// `wanted` moved and shrunk until it lies inside `available` (a screen's work area);
/// a rectangle already inside comes back unchanged.
QRect fittedInto(const QRect &wanted, const QRect &available);

/// Gives the main window the size and position it had when it last closed (or
/// `defaultSize`, centred, the first time), never larger than the work area of the screen
/// it lands on. Call before showing it.
void restoreWindowPlacement(QWidget &window, QSettings &settings, QSize defaultSize);

/// Remembers the window's size, position and maximised state for the next start.
void saveWindowPlacement(const QWidget &window, QSettings &settings);

} // namespace wrenfold::ui
