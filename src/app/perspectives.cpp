// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The selected day's perspectives: insert, answer, remove, write through.
#include "app/app_model.h"
#include "core/perspective_catalogue.h"
#include "core/perspective_markdown.h"

#include <algorithm>

namespace wrenfold::app {

void AppModel::insertPerspective(const core::Perspective &perspective)
{
    for (const core::DailyPerspectiveEntry &entry : std::as_const(m_perspectiveEntries)) {
        if (entry.perspectiveID == perspective.id)
            return;
    }
    QList<core::DailyPerspectiveEntry> entries = m_perspectiveEntries;
    // The entry keeps the texts of the language in force now, as the file will.
    entries.append({perspective.id, perspective.name, perspective.localizedTitle(),
                    perspective.localizedJournalPrompt(), QString()});
    setPerspectiveEntries(entries);
    savePerspectives();
}

void AppModel::updatePerspectiveResponse(const QString &response, core::PerspectiveID id)
{
    QList<core::DailyPerspectiveEntry> entries = m_perspectiveEntries;
    auto found = std::find_if(entries.begin(), entries.end(),
                              [id](const auto &entry) { return entry.perspectiveID == id; });
    if (found == entries.end())
        return;
    found->response = response;
    setPerspectiveEntries(entries);
    savePerspectives();
}

void AppModel::removePerspective(core::PerspectiveID id)
{
    QList<core::DailyPerspectiveEntry> entries = m_perspectiveEntries;
    entries.removeIf([id](const auto &entry) { return entry.perspectiveID == id; });
    setPerspectiveEntries(entries);
    savePerspectives();
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
    // The list came from the day's file. When that file exists but cannot be read, the
    // list is not what it holds, and writing it would destroy the user's answers.
    const core::Result<QString> current = m_store.loadPerspectives(m_selectedDate);
    if (!current) {
        setErrorMessage(current.error().message);
        return;
    }
    const QString document = core::PerspectiveMarkdown::document(m_perspectiveEntries);
    if (auto error = m_store.savePerspectives(document, m_selectedDate))
        setErrorMessage(error->message);
}

} // namespace wrenfold::app
