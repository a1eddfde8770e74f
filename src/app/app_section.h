// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace wrenfold::app {

/// The five sections of the main window's sidebar, in sidebar order.
enum class AppSection { today, calendar, journal, flows, perspectives };

/// "today", "calendar", "journal", "flows", "perspectives".
QString rawValue(AppSection section);
/// Exact, case-sensitive match of the raw values; anything else gives nullopt.
std::optional<AppSection> appSectionFromRawValue(const QString &raw);
/// All five cases in sidebar order.
const QList<AppSection> &allAppSections();
/// The sidebar title, translated ("Today", "Calendar", ...).
QString title(AppSection section);
/// The symbol name the sidebar draws an icon for ("sun.max", "calendar", "book.pages",
/// "arrow.triangle.branch", "circle.hexagongrid"); the ui maps it to a theme icon.
QString symbolName(AppSection section);

} // namespace wrenfold::app
