// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/editor/journal_mode.h"

#include <QCoreApplication>

namespace wrenfold::ui {

QString rawValue(JournalMode mode)
{
    switch (mode) {
    case JournalMode::write:
        return QStringLiteral("write");
    case JournalMode::preview:
        return QStringLiteral("preview");
    }
    return {};
}

QString title(JournalMode mode)
{
    switch (mode) {
    case JournalMode::write:
        return QCoreApplication::translate("JournalMode", "Write");
    case JournalMode::preview:
        return QCoreApplication::translate("JournalMode", "Preview");
    }
    return {};
}

const QList<JournalMode> &allJournalModes()
{
    static const QList<JournalMode> modes{JournalMode::write, JournalMode::preview};
    return modes;
}

} // namespace wrenfold::ui
