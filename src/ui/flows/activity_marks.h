// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QPixmap>
#include <QRectF>

class QPainter;
class QWidget;

namespace wrenfold::ui {

/// The two marks of a flow's day: a purple dot for a mention, a green disc with a check
/// for a completed habit. Drawn by hand so that they keep their colours under every icon
/// theme, in shades that read on light and dark palettes.
enum class ActivityMark { mentioned, completed };

void paintActivityMark(QPainter &painter, const QRectF &box, ActivityMark mark,
                       const QWidget &widget);

/// The mark as a `side`×`side` pixmap at the widget's device pixel ratio.
QPixmap activityMarkPixmap(ActivityMark mark, int side, const QWidget &widget);

} // namespace wrenfold::ui
