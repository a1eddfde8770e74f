// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QIcon>
#include <QStringList>
#include <QStringView>

namespace wrenfold::ui {

/// The icon drawn for a symbol name used across the screens ("sun.max", "chevron.left",
/// "checkmark.square.fill", ...), taken from the desktop's icon theme. Each symbol maps to
/// a short list of freedesktop names tried in order, then to a style icon where one fits.
/// An unknown symbol, or one the theme and the style both lack, gives a null QIcon, so
/// callers keep their text label.
QIcon symbolIcon(QStringView symbol);

/// The freedesktop icon names tried for `symbol`, best first; empty for an unknown symbol.
QStringList themeNamesForSymbol(QStringView symbol);

/// Every symbol name the table knows, in table order (for checks that each one resolves).
QStringList knownSymbols();

/// Outside a full desktop session (a bare X server, a minimal window manager) Qt reports
/// no icon theme or only "hicolor", which holds almost none of the names above; this
/// selects Adwaita in that case and makes it the fallback theme in every case. Call once
/// after the QApplication exists; harmless to call again.
void installIconThemeFallback();

} // namespace wrenfold::ui
