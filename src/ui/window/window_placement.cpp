// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/window/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QWidget>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

const QString geometryKey = u"mainWindowGeometry"_s;

} // namespace

QRect fittedInto(const QRect &wanted, const QRect &available)
{
    if (available.isEmpty())
        return wanted;
    QRect fitted(wanted.topLeft(), wanted.size().boundedTo(available.size()));
    fitted.moveLeft(
        std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(
        std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}

namespace {
// The work area less the title bar the desktop puts above the window.
QRect roomFor(const QWidget &window, const QScreen *screen)
{
    if (!screen)
        return {};
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return screen->availableGeometry().adjusted(0, titleBar, 0, 0);
}
} // namespace

void restoreWindowPlacement(QWidget &window, QSettings &settings, QSize defaultSize)
{
    const QByteArray saved = settings.value(geometryKey).toByteArray();
    // restoreGeometry keeps a window on some screen but not its size within it: a size
    // saved on a larger monitor, or at a smaller scale factor, would open past the edges.
    if (saved.isEmpty() || !window.restoreGeometry(saved)) {
        const QRect available = roomFor(window, QGuiApplication::primaryScreen());
        QRect wanted(QPoint(), defaultSize);
        wanted.moveCenter(available.center());
        window.setGeometry(fittedInto(wanted, available));
        return;
    }
    if (window.isMaximized() || window.isFullScreen())
        return;
    QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    window.setGeometry(fittedInto(window.geometry(), roomFor(window, screen)));
}

void saveWindowPlacement(const QWidget &window, QSettings &settings)
{
    settings.setValue(geometryKey, window.saveGeometry());
}

} // namespace wrenfold::ui
