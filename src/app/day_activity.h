// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QDate>
#include <QString>

namespace wrenfold::app {

/// What one day holds, as the calendar grid marks it.
struct DayActivity {
    bool hasJournal = false; ///< the note has anything besides white space
    int completedHabits = 0; ///< checked habit marker lines in the habits file
    int flowMentions = 0;    ///< flow mention markers in the note

    friend bool operator==(const DayActivity &, const DayActivity &) = default;
};

/// One flow on one day, as the flow detail's month grid marks it.
struct FlowDayActivity {
    bool mentioned = false; ///< the note mentions the flow
    bool habitDone = false; ///< the habits file has a checked line for the flow

    friend bool operator==(const FlowDayActivity &, const FlowDayActivity &) = default;
};

/// One day found by the journal search. `date` is also its identity: a day appears at
/// most once in one result list.
struct JournalSearchResult {
    QDate date;
    QString excerpt; ///< the trimmed line of the first match, or the first useful line

    QDate id() const { return date; }
    friend bool operator==(const JournalSearchResult &, const JournalSearchResult &) = default;
};

} // namespace wrenfold::app
