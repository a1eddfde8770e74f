// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/calendar.h"
#include "core/markdown_store.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdio>

class QSettings;

namespace wrenfold::cli {

/// One command line, split: the command, its words and its options.
struct Arguments {
    QString command;
    QStringList positional;
    QSet<QString> flags;            ///< "--json", "--undo"
    QHash<QString, QString> values; ///< "--date" -> "yesterday"
};

/// What every command works on: the notes folder as the app would choose it, the user's
/// calendar, the app's settings, and where output goes.
struct Session {
    core::MarkdownStore store;
    QSettings *settings = nullptr;
    QDate today;
    std::FILE *out = stdout;
    std::FILE *err = stderr;

    const core::Calendar &calendar() const { return store.calendar(); }
    QString root() const { return store.root(); }

    void print(const QString &text) const;
    /// "wrenfold: <message>" on stderr.
    void warn(const QString &message) const;
    /// warn(message); returns `userError`.
    int fail(const QString &message) const;
};

/// A command's name, words, options and what runs it.
struct Command {
    const char *name;
    const char *synopsis; ///< "show [DATE]"
    const char *summary;  ///< one sentence, translated when shown
    QStringList flags;
    QStringList valued;
    int minWords = 0;
    int maxWords = 0; ///< -1: any number
    int (*run)(const Session &, const Arguments &) = nullptr;
};

/// Every command, in the order the help lists them.
const QList<Command> &commands();

} // namespace wrenfold::cli
