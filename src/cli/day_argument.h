// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace wrenfold::cli {

/// A day named on the command line, relative to `today`: "2026-03-05", "today",
/// "yesterday", "tomorrow" or "-N" for N days back ("-0" is today). Anything else,
/// "2026-02-30" and "+3" included, gives nullopt.
std::optional<QDate> parseDay(const QString &text, const QDate &today);

/// The first day of a month named on the command line: "2026-03", or any form `parseDay`
/// takes ("today" gives this month). Anything else gives nullopt.
std::optional<QDate> parseMonth(const QString &text, const QDate &today);

} // namespace wrenfold::cli
