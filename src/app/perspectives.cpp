// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The selected day's perspectives: insert, answer, remove, write through. The file may be
// edited elsewhere too: each write first looks at it and builds on what it holds now.
#include "app/app_model.h"
#include "core/file_io.h"
#include "core/perspective_catalogue.h"
#include "core/perspective_markdown.h"

#include <QDir>

#include <algorithm>

namespace wrenfold::app {

namespace {

using Entries = QList<core::DailyPerspectiveEntry>;

std::optional<core::DailyPerspectiveEntry> entryOf(const Entries &entries, core::PerspectiveID id)
{
    for (const core::DailyPerspectiveEntry &entry : entries) {
        if (entry.perspectiveID == id)
            return entry;
    }
    return std::nullopt;
}

// The identifiers whose entry differs between the two lists.
QList<core::PerspectiveID> changedIDs(const Entries &before, const Entries &after)
{
    QList<core::PerspectiveID> ids;
    for (const Entries *list : {&before, &after}) {
        for (const core::DailyPerspectiveEntry &entry : *list) {
            if (!ids.contains(entry.perspectiveID) &&
                entryOf(before, entry.perspectiveID) != entryOf(after, entry.perspectiveID))
                ids.append(entry.perspectiveID);
        }
    }
    return ids;
}

} // namespace

void AppModel::insertPerspective(const core::Perspective &perspective)
{
    if (entryOf(m_perspectiveEntries, perspective.id))
        return;
    // The entry keeps the texts of the language in force now, as the file will.
    const core::DailyPerspectiveEntry added{perspective.id, perspective.name,
                                            perspective.localizedTitle(),
                                            perspective.localizedJournalPrompt(), QString()};
    changePerspectives([&](Entries &entries) {
        if (!entryOf(entries, added.perspectiveID))
            entries.append(added);
    });
}

void AppModel::updatePerspectiveResponse(const QString &response, core::PerspectiveID id)
{
    if (!entryOf(m_perspectiveEntries, id))
        return;
    changePerspectives([&](Entries &entries) {
        auto found = std::find_if(entries.begin(), entries.end(),
                                  [id](const auto &entry) { return entry.perspectiveID == id; });
        if (found != entries.end())
            found->response = response;
    });
}

void AppModel::removePerspective(core::PerspectiveID id)
{
    changePerspectives([id](Entries &entries) {
        entries.removeIf([id](const auto &entry) { return entry.perspectiveID == id; });
    });
}

void AppModel::addPerspectiveToToday(const core::Perspective &perspective)
{
    const core::Calendar &calendar = m_services.calendar;
    if (calendar.dayOf(m_selectedDate) != calendar.dayOf(QDateTime::currentDateTime()))
        showDay(QDateTime::currentDateTime());
    insertPerspective(perspective);
    setSelection(AppSection::today);
}

void AppModel::savePerspectives()
{
    changePerspectives([](Entries &) {});
}

void AppModel::changePerspectives(const std::function<void(Entries &)> &change)
{
    // The list came from the day's file. When that file exists but cannot be read, the
    // list is not what it holds, and writing it would destroy the user's answers.
    const QString path = m_store.perspectivesURL(m_selectedDate);
    const core::Result<QString> current = m_store.loadPerspectives(m_selectedDate);
    if (!current) {
        setErrorMessage(current.error().message);
        return;
    }
    Entries entries = m_perspectiveEntries;
    const bool changedElsewhere =
        path != m_knownPerspectivesPath || *current != m_knownPerspectivesText;
    if (changedElsewhere && !current->isEmpty()) {
        // Another editor changed the file: its blocks are taken over and this change is
        // made on top of them. Where both changed the same answer, or the file holds text
        // the blocks cannot carry, its version is kept beside it first.
        const Entries known = core::PerspectiveMarkdown::entries(m_knownPerspectivesText);
        const Entries theirs = core::PerspectiveMarkdown::entries(*current);
        entries = theirs;
        change(entries);
        bool keepTheirs = core::PerspectiveMarkdown::document(theirs) != *current;
        for (core::PerspectiveID id : changedIDs(theirs, entries)) {
            if (path == m_knownPerspectivesPath && entryOf(theirs, id) != entryOf(known, id))
                keepTheirs = true;
        }
        if (keepTheirs && entries != theirs) {
            auto copy = writePreservedCopy(path, *current);
            if (!copy) {
                setErrorMessage(copy.error().message);
                return;
            }
            tellUser(tr("The day's perspectives were also changed in another app. That "
                        "version was kept in “%1”.")
                         .arg(QDir::toNativeSeparators(*copy)));
        }
    } else {
        change(entries);
    }
    setPerspectiveEntries(entries);
    const QString document = core::PerspectiveMarkdown::document(entries);
    if (auto error = m_store.savePerspectives(document, m_selectedDate)) {
        setErrorMessage(error->message);
        return;
    }
    m_knownPerspectivesPath = path;
    m_knownPerspectivesText = document;
}

} // namespace wrenfold::app
