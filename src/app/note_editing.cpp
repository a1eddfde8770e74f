// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Loading the selected day's note, the debounced save and the immediate save. Every save
// first looks at the file: what another application wrote is taken over or offered as a
// conflict, never overwritten.
#include "app/app_model.h"

#include "core/perspective_markdown.h"
#include "platform/workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace wrenfold::app {

std::optional<NoteFileStamp> AppModel::fileStamp(const QString &path)
{
    return core::fileStampOf(path);
}

bool AppModel::isKnown(const QString &path, const std::optional<NoteFileStamp> &stamp) const
{
    if (path != m_knownNotePath || stamp != m_knownNoteModificationDate)
        return false;
    if (!stamp)
        return true;
    // File times advance in coarse ticks (a few milliseconds), so a same-sized write right
    // after the model's own can leave every attribute equal. While the stamp is that
    // young, the text decides.
    const qint64 ageNs = QDateTime::currentMSecsSinceEpoch() * 1'000'000 - stamp->modifiedNs;
    constexpr qint64 settledNs = 2'000'000'000;
    if (ageNs > settledNs || ageNs < -settledNs)
        return true;
    auto text = core::readUtf8File(path);
    return text && *text == m_knownNoteText;
}

void AppModel::showDay(const QDateTime &date)
{
    flushNote();
    setSelectedDate(date);
    loadNote();
    loadCalendarIfAuthorized();
}

void AppModel::goToToday()
{
    showDay(QDateTime::currentDateTime());
    setSelection(AppSection::today);
}

void AppModel::loadNote()
{
    const QString path = m_store.noteURL(m_selectedDate);
    // A reload must not drop what was typed: the waiting save goes out first.
    if (m_saveTimer.isActive())
        savePendingNote();
    if (path == m_notePath && hasUnsavedText()) {
        // That save failed (or a conflict waits): the file's older text must not replace
        // what was typed. It stays in the editor, and on disk in recovery.
        keepEditorTextRecoverable();
        loadDayPerspectives();
        return;
    }
    if (!settleLeftDay(path)) {
        // The text could be kept nowhere else: the editor stays on its day.
        setSelectedDate(m_noteDate);
        return;
    }
    // Text of this day left behind earlier, by a failed save or a crash.
    settleRecoveredTexts(path);

    auto note = m_store.loadNote(m_selectedDate);
    if (!note) {
        setErrorMessage(note.error().message);
        if (m_notePath != path) {
            // Never show (and later save) another day's text under this day. The
            // unreadable file stays unknown, so no save will write over it.
            m_noteDate = m_selectedDate;
            m_notePath = path;
            setNoteText({});
            m_lastSyncedNoteText.clear();
            m_knownNoteModificationDate.reset();
            m_knownNotePath.clear();
            m_knownNoteText.clear();
        }
        // The day's perspectives are their own file: show them even when the note is
        // unreadable, so a later change is not written over answers already there.
        loadDayPerspectives();
        return;
    }
    m_noteDate = m_selectedDate;
    m_notePath = path;
    setNoteText(note->body);

    if (auto error = migrateLegacyContentIfNeeded()) {
        setErrorMessage(error->message);
        // Never keep the previous day's perspectives under this day.
        loadDayPerspectives();
        return;
    }

    if (!loadDayPerspectives())
        return;

    m_lastSyncedNoteText = m_noteText;
    updateKnownNoteModificationDate(m_noteText);
}

bool AppModel::loadDayPerspectives()
{
    auto perspectives = m_store.loadPerspectives(m_selectedDate);
    if (!perspectives) {
        setErrorMessage(perspectives.error().message);
        setPerspectiveEntries({});
        return false;
    }
    m_knownPerspectivesPath = m_store.perspectivesURL(m_selectedDate);
    m_knownPerspectivesText = *perspectives;
    setPerspectiveEntries(core::PerspectiveMarkdown::entries(*perspectives));
    return true;
}

bool AppModel::settleLeftDay(const QString &path)
{
    // A conflict about another day (or folder) can no longer be answered for it: keep both.
    if (m_noteConflict && m_conflictPath != path) {
        const bool editorHoldsLocal = m_conflictPath == m_notePath;
        if (keepConflictOfOtherDay(path) && editorHoldsLocal) {
            // The copy now holds the editor's text.
            m_lastSyncedNoteText = m_noteText;
            dropRecovery();
            return true;
        }
        // Otherwise the editor's own day is checked below like any other; a conflict
        // that still waits keeps its text in memory, the recovery store on disk.
    }
    if (m_notePath == path)
        return true;
    if (!hasUnsavedText() || m_notePath.isEmpty()) {
        dropRecovery();
        return true;
    }
    // Text whose save failed before the day changed is kept beside its own note.
    if (!m_noteConflict || m_conflictPath != m_notePath) {
        auto copy = writePreservedCopy(m_notePath, m_noteText);
        if (copy) {
            m_lastSyncedNoteText = m_noteText;
            dropRecovery();
            refreshNoteListsAround(m_notePath);
            setErrorMessage(tr("Your unsaved text was kept as a separate Markdown file. The "
                               "preserved copy is listed in Journal."));
            return true;
        }
        setErrorMessage(copy.error().message);
    }
    // Its folder cannot be written (a full or read-only disk, a vanished folder).
    return leaveTextInRecovery();
}

void AppModel::noteChanged(const QString &text)
{
    setNoteText(text);
    // Edits that arrive while a conflict waits (keys already on their way, a flow
    // mention) belong to the editor's side of it; its answers keep what is on screen.
    if (m_noteConflict && m_conflictPath == m_notePath && m_noteConflict->local != text) {
        ExternalEditConflict conflict = *m_noteConflict;
        conflict.local = text;
        setNoteConflict(conflict);
    }
    m_pendingSaveDate = m_noteDate;
    m_pendingSaveText = text;
    m_saveTimer.start();
    // Unlike the save, not pushed back by each keystroke: text typed without a pause
    // reaches the recovery store all the same.
    if (!m_recoveryTimer.isActive())
        m_recoveryTimer.start();
}

void AppModel::savePendingNote()
{
    m_saveTimer.stop();
    // A waiting conflict is answered by the user, not by a timer. One about a day no
    // longer shown does not hold up the saves of the day in the editor.
    if (m_noteConflict && m_conflictPath == m_store.noteURL(m_pendingSaveDate))
        return;
    writeNote(m_pendingSaveDate, m_pendingSaveText, FlushMode::interactive);
    keepEditorTextRecoverable();
}

void AppModel::flushNote()
{
    m_saveTimer.stop();
    writeNote(m_noteDate, m_noteText, FlushMode::interactive);
    keepEditorTextRecoverable();
}

void AppModel::flushNoteForShutdown()
{
    m_saveTimer.stop();
    writeNote(m_noteDate, m_noteText, FlushMode::unattended);
    keepEditorTextRecoverable();
}

void AppModel::writeNote(const QDateTime &date, const QString &text, FlushMode mode)
{
    const QString path = m_store.noteURL(date);
    if (path != m_notePath) {
        writeOtherDayNote(path, date, text);
        return;
    }
    if (m_noteConflict && m_conflictPath == path) {
        // Flushing means the editor's text must be safe now; without an answer the only
        // lossless choice is to keep both.
        keepBoth(m_noteText, m_noteConflict->external);
        return;
    }

    const auto stamp = fileStamp(path);
    if (stamp && !isKnown(path, stamp)) {
        handleChangedFile(path, *stamp, text, mode);
        return;
    }
    // Looking at a day is no reason to create its file.
    if (!stamp && text.isEmpty() && !QFileInfo::exists(path)) {
        m_lastSyncedNoteText = text;
        updateKnownNoteModificationDate(text);
        return;
    }

    // Checked once more at the moment of replacing: a save by another program since the
    // look above ends up as a preserved copy, never under this text.
    auto saved = m_store.saveNote(core::DailyNote{date, text}, expectedNoteFile(stamp));
    if (!saved) {
        setErrorMessage(saved.error().message);
        // With its file gone (removed by another program, or out of reach), the note no
        // longer holds the text: it counts as unsaved, so it is kept elsewhere.
        if (!stamp && !text.isEmpty())
            m_lastSyncedNoteText.clear();
        // The watch step saves again as soon as a vanished notes folder is back.
        m_waitingForRoot = !QFileInfo(m_store.root()).isDir();
        if (keepEditorTextRecoverable()) {
            tellUser(tr("Until it can be saved, your text is kept in “%1”.")
                         .arg(QDir::toNativeSeparators(m_recoveryFile)));
        }
        return;
    }
    m_waitingForRoot = false;
    updateKnownNoteModificationDate(text);
    m_lastSyncedNoteText = text;
    refreshNoteListsAround(path);
    if (!saved->keptCopy.isEmpty())
        tellUser(tr("Both versions were kept. The preserved copy is listed in Journal."));
}

core::ExpectedFile AppModel::expectedNoteFile(const std::optional<NoteFileStamp> &stamp) const
{
    // Only a stamp that passed `isKnown` comes here, so the known text goes with it.
    if (!stamp)
        return {};
    return {stamp, m_knownNoteText};
}

void AppModel::handleChangedFile(const QString &path, const NoteFileStamp &stamp,
                                 const QString &text, FlushMode mode)
{
    auto fileText = core::readUtf8File(path);
    if (!fileText) {
        // Nothing typed here: leave the other application's file as it is.
        if (text == m_lastSyncedNoteText)
            return;
        // A file that cannot be read is never written over: its content is unknown.
        if (mode == FlushMode::interactive) {
            setErrorMessage(fileText.error().message);
            return;
        }
        auto copy = writePreservedCopy(path, text);
        if (!copy) {
            setErrorMessage(copy.error().message);
            return;
        }
        m_lastSyncedNoteText = text;
        refreshNoteListsAround(path);
        return;
    }

    m_knownNotePath = path;
    m_knownNoteModificationDate = stamp;
    m_knownNoteText = *fileText;
    if (*fileText == text) {
        m_lastSyncedNoteText = text;
        refreshNoteListsAround(path);
        return;
    }
    if (text == m_lastSyncedNoteText) {
        setNoteText(*fileText);
        m_lastSyncedNoteText = *fileText;
        refreshNoteListsAround(path);
        return;
    }
    if (mode == FlushMode::interactive) {
        raiseConflict(text, *fileText);
        return;
    }
    keepBoth(text, *fileText);
}

void AppModel::writeOtherDayNote(const QString &path, const QDateTime &date, const QString &text)
{
    // The model keeps no bookkeeping for a day it does not show, so it writes only where
    // that cannot lose anything: a missing file, a file it knows, or the same text.
    const auto stamp = fileStamp(path);
    if (!stamp && text.isEmpty())
        return;
    if (stamp && !isKnown(path, stamp)) {
        auto fileText = core::readUtf8File(path);
        if (fileText && *fileText == text)
            return;
        auto copy = writePreservedCopy(path, text);
        if (!copy)
            setErrorMessage(copy.error().message);
        else
            setErrorMessage(
                tr("Both versions were kept. The preserved copy is listed in Journal."));
        refreshNoteListsAround(path);
        return;
    }
    auto saved = m_store.saveNote(core::DailyNote{date, text}, expectedNoteFile(stamp));
    if (!saved) {
        setErrorMessage(saved.error().message);
        return;
    }
    refreshNoteListsAround(path);
    if (!saved->keptCopy.isEmpty())
        tellUser(tr("Both versions were kept. The preserved copy is listed in Journal."));
}

void AppModel::updateKnownNoteModificationDate(const QString &fileText)
{
    m_knownNoteText = fileText;
    m_knownNotePath = m_notePath;
    m_knownNoteModificationDate = fileStamp(m_knownNotePath);
}

void AppModel::refreshNoteLists()
{
    m_noteListings.rescanAll(m_store);
    setNoteDates(m_noteListings.dates());
    setPreservedCopies(m_noteListings.preservedCopies());
}

void AppModel::refreshNoteListsAround(const QString &notePath)
{
    m_noteListings.rescanFolderOf(notePath);
    setNoteDates(m_noteListings.dates());
    setPreservedCopies(m_noteListings.preservedCopies());
}

void AppModel::openCurrentNoteExternally()
{
    flushNote();
    const QString path = m_notePath;
    // The flush leaves an empty day without a file; opening it elsewhere needs one.
    if (!QFileInfo::exists(path) && !m_noteConflict && m_noteText.isEmpty()) {
        if (auto error = m_store.saveNote(core::DailyNote{m_noteDate, m_noteText})) {
            setErrorMessage(error->message);
        } else {
            updateKnownNoteModificationDate(m_noteText);
            m_lastSyncedNoteText = m_noteText;
            refreshNoteListsAround(path);
        }
    }
    if (!QFileInfo(path).isFile()) {
        setErrorMessage(tr("The journal file could not be created."));
        return;
    }
    if (m_services.workspace)
        m_services.workspace->openFile(path);
}

} // namespace wrenfold::app
