// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The once-a-second look at the selected day's file and the three ways out of a conflict.
#include "app/app_model.h"

#include "core/file_io.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace wrenfold::app {

void AppModel::watchNote()
{
    reloadNoteIfChangedExternally();
    reloadFlowsIfChangedExternally();
    // A notes folder that vanished under typed text is back: save at once.
    if (m_waitingForRoot && QFileInfo(m_store.root()).isDir() && !m_saveTimer.isActive()) {
        m_waitingForRoot = false;
        if (hasUnsavedText() && !m_noteConflict)
            flushNote();
    }
    // A safety net for states reached without a save (resolutions, take-overs).
    if (!m_saveTimer.isActive() && !m_recoveryTimer.isActive())
        keepEditorTextRecoverable();
}

void AppModel::reloadNoteIfChangedExternally()
{
    // The file the editor's text belongs to (the selected day's, once it is loaded).
    const QString path = m_notePath;
    const auto stamp = fileStamp(path);
    // A deleted file is left alone until one exists again.
    if (!stamp || isKnown(path, stamp))
        return;
    auto fileText = core::readUtf8File(path);
    if (!fileText)
        return; // tried again on the next tick
    m_knownNotePath = path;
    m_knownNoteModificationDate = stamp;
    m_knownNoteText = *fileText;

    if (*fileText == m_noteText) {
        m_lastSyncedNoteText = *fileText;
        m_saveTimer.stop();
        return;
    }
    if (m_noteText == m_lastSyncedNoteText) {
        // A save still waiting holds older text than the file now does.
        m_saveTimer.stop();
        setNoteText(*fileText);
        m_lastSyncedNoteText = *fileText;
        refreshNoteListsAround(path);
        return;
    }
    raiseConflict(m_noteText, *fileText);
}

void AppModel::raiseConflict(const QString &local, const QString &external)
{
    // A save still waiting must never write over the other side's text.
    m_saveTimer.stop();
    // Only one conflict can wait. One left from a day no longer shown is kept both first;
    // if its copy still cannot be written, this one is kept both at once instead of
    // replacing it, so neither editor text is lost.
    if (m_noteConflict && m_conflictPath != m_notePath && !keepConflictOfOtherDay(m_notePath)) {
        // Should that copy fail too, the file counts as unseen, so no save overwrites it.
        if (!keepBoth(local, external))
            m_knownNoteModificationDate.reset();
        return;
    }
    m_conflictPath = m_notePath;
    setNoteConflict(ExternalEditConflict{QUuid::createUuid(), local, external});
}

QString AppModel::currentFileText(const QString &fallback) const
{
    // The file may have changed again since the conflict was raised; its newest text is
    // the one that must survive.
    auto fileText = core::readUtf8File(m_notePath);
    return fileText ? *fileText : fallback;
}

void AppModel::resolveConflictUsingExternal()
{
    if (!m_noteConflict)
        return;
    if (m_conflictPath != m_notePath) {
        // The conflict's day is no longer in the editor and its file already holds the
        // other side's text: there is nothing to take over or write.
        setNoteConflict(std::nullopt);
        return;
    }
    m_saveTimer.stop();
    const QString external = currentFileText(m_noteConflict->external);
    setNoteText(external);
    m_lastSyncedNoteText = external;
    updateKnownNoteModificationDate(external);
    setNoteConflict(std::nullopt);
}

void AppModel::resolveConflictKeepingLocal()
{
    if (!m_noteConflict)
        return;
    if (m_conflictPath != m_notePath) {
        // The editor now shows another day: writing would put the text under that day.
        // The conflict's own note gets the text as a preserved copy instead.
        keepConflictOfOtherDay(m_notePath);
        return;
    }
    m_saveTimer.stop();
    const QString local = m_noteConflict->local;
    setNoteText(local);
    // Cleared first so the flush writes instead of keeping both; if the file changed yet
    // again meanwhile, the flush raises a fresh conflict rather than overwrite it.
    setNoteConflict(std::nullopt);
    flushNote();
}

void AppModel::resolveConflictKeepingBoth()
{
    if (!m_noteConflict)
        return;
    if (m_conflictPath != m_notePath) {
        keepConflictOfOtherDay(m_notePath);
        return;
    }
    m_saveTimer.stop();
    keepBoth(m_noteConflict->local, m_noteConflict->external);
}

bool AppModel::keepConflictOfOtherDay(const QString &path)
{
    if (!m_noteConflict || m_conflictPath == path)
        return true;
    auto copy = writePreservedCopy(m_conflictPath, m_noteConflict->local);
    if (!copy) {
        setErrorMessage(copy.error().message);
        return false;
    }
    setNoteConflict(std::nullopt);
    refreshNoteListsAround(m_conflictPath);
    setErrorMessage(tr("Both versions were kept. The preserved copy is listed in Journal."));
    return true;
}

bool AppModel::keepBoth(const QString &local, const QString &external)
{
    auto copy = writePreservedCopy(m_notePath, local);
    if (!copy) {
        setErrorMessage(copy.error().message);
        return false;
    }
    const QString newest = currentFileText(external);
    setNoteText(newest);
    m_lastSyncedNoteText = newest;
    updateKnownNoteModificationDate(newest);
    refreshNoteListsAround(m_notePath);
    // A conflict about another day's note still waits for its own answer.
    if (m_conflictPath == m_notePath)
        setNoteConflict(std::nullopt);
    setErrorMessage(tr("Both versions were kept. The preserved copy is listed in Journal."));
    return true;
}

core::Result<QString> AppModel::writePreservedCopy(const QString &notePath,
                                                   const QString &text) const
{
    // A vanished notes folder is never made anew, not even for a copy; that holds for the
    // folder a conflict's note came from too, which may no longer be the chosen one.
    if (notePath.startsWith(m_store.root() + u'/')) {
        if (auto missing = m_store.checkRoot())
            return *missing;
    }
    const QFileInfo note(notePath);
    const QString folder = note.absolutePath();
    // Day files sit three folders below their notes folder ("Journal/2026/03").
    const QString notesRoot = QDir::cleanPath(folder + u"/../../.."_s);
    if (!notePath.startsWith(m_store.root() + u'/') && !QFileInfo(notesRoot).isDir()) {
        return core::Error{tr("The notes folder “%1” is missing. Reconnect its disk, or "
                              "choose another folder.")
                               .arg(QDir::toNativeSeparators(notesRoot))};
    }
    if (auto error = core::makeFolders(folder))
        return *error;
    const QString stem = folder + u'/' + note.completeBaseName() + u".local-"_s +
                         QDateTime::currentDateTimeUtc().toString(u"yyyy-MM-dd'T'HH-mm-ss"_s);
    // One-second names collide; a counter keeps every earlier copy.
    QString path = stem + u".md"_s;
    for (int counter = 2; QFileInfo::exists(path); ++counter)
        path = stem + u'-' + QString::number(counter) + u".md"_s;
    if (auto error = core::writeFileDurably(path, text.toUtf8()))
        return *error;
    return path;
}

} // namespace wrenfold::app
