// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QStringList>

#include <functional>

namespace wrenfold::platform {

/// The user's answer to the calendar permission question.
enum class CalendarAccessAnswer {
    allow,
    dontAllow,
};

/// Asks the user whether Wrenfold may read their calendars. The ui layer shows a dialog
/// with "Allow" and "Don't Allow"; tests answer it themselves.
class CalendarAccessPrompt {
public:
    virtual ~CalendarAccessPrompt() = default;

    /// Names `sourceNames` (never empty) to the user and calls `answer` exactly once, either
    /// before returning or later from the event loop. Closing the dialog without choosing
    /// counts as "Don't Allow".
    virtual void askForCalendarAccess(const QStringList &sourceNames,
                                      std::function<void(CalendarAccessAnswer)> answer) = 0;
};

} // namespace wrenfold::platform
