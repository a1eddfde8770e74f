// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "platform/calendar_store.h"

#include <QDateTime>
#include <QTimeZone>

#include <atomic>
#include <memory>
#include <optional>

namespace wrenfold::app {

/// The model's side of reading calendar files off the GUI thread: the parsed files, kept
/// here between reads, and the one read at a time.
struct CalendarReads {
    struct Request {
        platform::CalendarQuery query;
        QDateTime start;
        QDateTime end;
        QTimeZone zone;
        quint64 generation = 0;
    };

    CalendarReads() = default;
    CalendarReads(const CalendarReads &) = delete;
    CalendarReads &operator=(const CalendarReads &) = delete;
    /// A read still running stops before its next file; its answer finds no model.
    ~CalendarReads() { cancelled->store(true); }

    /// Handed to each read and taken back, brought up to date, with its answer.
    platform::CalendarCache cache;
    /// Counts requests; an answer counts only while it answers the newest one.
    quint64 generation = 0;
    /// Asked for while another read ran; only the newest waits.
    std::optional<Request> pending;
    bool isReading = false;
    /// Start of the interval whose events `calendarItems` holds (invalid when none), and of
    /// the newest one asked for.
    QDateTime shownStart;
    QDateTime requestedStart;
    std::shared_ptr<std::atomic<bool>> cancelled = std::make_shared<std::atomic<bool>>(false);
};

} // namespace wrenfold::app
