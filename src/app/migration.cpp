// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Moving habit marks and perspective blocks that older versions kept inside the note into
// the day's own habits and perspectives files, with a one-time backup of the note.
#include "app/app_model.h"

#include "core/file_io.h"
#include "core/markdown_text.h"
#include "core/perspective_catalogue.h"
#include "core/perspective_markdown.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace wrenfold::app {

namespace {

struct ExtractedContent {
    QStringList habitLines;
    QList<core::DailyPerspectiveEntry> entries;
    QString note;
};

/// Takes the legacy lines out of `text`; pure, so the files are touched only afterwards.
ExtractedContent extractLegacyContent(const QString &text)
{
    ExtractedContent result;
    QStringList lines = text.split(u'\n');

    QStringList kept;
    for (const QString &line : std::as_const(lines)) {
        if (line.contains(u"<!-- vesk-habit:"))
            result.habitLines << line;
        else
            kept << line;
    }
    lines = kept;

    for (const core::Perspective &record : core::perspectives()) {
        const QString marker = u"<!-- vesk-perspective: "_s + core::rawValue(record.id) + u" -->"_s;
        const qsizetype start = lines.indexOf(marker);
        if (start < 0)
            continue;
        qsizetype end = start + 1;
        while (end < lines.size() && !lines[end].startsWith(u"<!-- vesk-perspective:") &&
               !lines[end].startsWith(u"<!-- vesk-flow:"))
            ++end;

        const QString prompt = record.localizedJournalPrompt();
        bool answered = false;
        qsizetype cut = end;
        for (qsizetype index = start + 1; index < end; ++index) {
            const QString line = core::trimmedSpacesAndNewlines(lines[index]);
            // Notes written before a change of language still carry the English prompt.
            if (line == prompt || line == record.journalPrompt) {
                answered = false;
                continue;
            }
            if (line.isEmpty() || line.startsWith(u"## "))
                continue;
            if (answered) {
                cut = index;
                break;
            }
            result.entries << core::DailyPerspectiveEntry{record.id, record.name,
                                                          record.localizedTitle(), prompt, line};
            answered = true;
        }
        lines.remove(start, cut - start);
    }

    static const QRegularExpression blankRuns(u"\n{3,}"_s);
    QString note = lines.join(u'\n');
    note.replace(blankRuns, u"\n\n"_s);
    note = core::trimmedSpacesAndNewlines(note);
    if (!note.isEmpty())
        note += u'\n';
    result.note = note;
    return result;
}

/// The day's current habits text with the moved lines after it; lines it already has are
/// not repeated.
QString mergedHabits(const QString &existing, const QStringList &moved)
{
    const QStringList existingLines = existing.split(u'\n');
    QStringList added;
    for (const QString &line : moved) {
        if (!existingLines.contains(line) && !added.contains(line))
            added << line;
    }
    if (added.isEmpty())
        return existing;
    QString result = existing;
    if (!result.isEmpty() && !result.endsWith(u'\n'))
        result += u'\n';
    return result + added.join(u'\n') + u'\n';
}

/// The day's current perspectives with the moved answers added. A perspective answered in
/// both places keeps both answers; text the block reader does not understand is kept
/// word for word.
QString mergedPerspectives(const QString &existing, const QList<core::DailyPerspectiveEntry> &moved)
{
    if (core::isBlank(existing))
        return core::PerspectiveMarkdown::document(moved);

    QList<core::DailyPerspectiveEntry> entries = core::PerspectiveMarkdown::entries(existing);
    if (core::PerspectiveMarkdown::document(entries) != existing)
        return existing + core::separatorBeforeSection(existing) +
               core::PerspectiveMarkdown::document(moved);

    for (const core::DailyPerspectiveEntry &entry : moved) {
        auto same = std::find_if(entries.begin(), entries.end(), [&](const auto &candidate) {
            return candidate.perspectiveID == entry.perspectiveID;
        });
        if (same == entries.end())
            entries << entry;
        else if (same->response.isEmpty())
            same->response = entry.response;
        else if (!same->response.contains(entry.response))
            same->response += u"\n\n"_s + entry.response;
    }
    return core::PerspectiveMarkdown::document(entries);
}

} // namespace

core::Status AppModel::migrateLegacyContentIfNeeded()
{
    if (!m_noteText.contains(u"vesk-habit:") && !m_noteText.contains(u"vesk-perspective:"))
        return std::nullopt;

    const QString original = m_noteText;
    const ExtractedContent extracted = extractLegacyContent(original);

    const QString backupFolder = m_rootURL + u"/Migration Backups"_s;
    if (auto error = core::makeFolders(backupFolder))
        return error;
    const QString backup =
        backupFolder + u'/' + QFileInfo(m_store.noteURL(m_selectedDate)).fileName();
    // The first backup holds the oldest text of the day and is never replaced.
    const QFileInfo backupInfo(backup);
    if (backupInfo.exists() && !backupInfo.isFile()) {
        return core::Error{tr("The backup “%1” could not be written: %2.")
                               .arg(backup, core::describeFileError(EISDIR))};
    }
    if (!backupInfo.exists()) {
        if (auto error = core::writeFileDurably(backup, original.toUtf8()))
            return error;
    }

    if (!extracted.habitLines.isEmpty()) {
        // An unreadable habits file is never replaced: its content would be lost.
        auto existing = m_store.loadHabits(m_selectedDate);
        if (!existing)
            return existing.error();
        const QString habits = mergedHabits(*existing, extracted.habitLines);
        if (habits != *existing) {
            if (auto error = m_store.saveHabits(habits, m_selectedDate))
                return error;
        }
    }

    if (!extracted.entries.isEmpty()) {
        auto existing = m_store.loadPerspectives(m_selectedDate);
        if (!existing)
            return existing.error();
        const QString perspectives = mergedPerspectives(*existing, extracted.entries);
        if (perspectives != *existing) {
            if (auto error = m_store.savePerspectives(perspectives, m_selectedDate))
                return error;
        }
    }

    setNoteText(extracted.note);
    return m_store.saveNote(core::DailyNote{m_selectedDate, m_noteText});
}

} // namespace wrenfold::app
