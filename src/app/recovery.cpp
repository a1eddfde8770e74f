// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Unsaved text in the recovery store: written whenever the editor holds text that is not
// in its note, removed once the note or a preserved copy holds it, and turned into
// preserved copies beside their notes when found later (after a crash or a failed save).
#include "app/app_model.h"

#include "core/file_io.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace wrenfold::app {

namespace {

// True when the note, or a preserved copy beside it, already holds the text.
bool isBesideItsNote(const core::RecoveredText &entry)
{
    if (entry.text.trimmed().isEmpty())
        return true; // nothing worth keeping
    auto note = core::readUtf8File(entry.notePath);
    if (note && *note == entry.text)
        return true;
    const QFileInfo info(entry.notePath);
    const QDir folder = info.absoluteDir();
    const auto copies = folder.entryList({info.completeBaseName() + u".local-*.md"_s}, QDir::Files);
    for (const QString &name : copies) {
        auto copy = core::readUtf8File(folder.filePath(name));
        if (copy && *copy == entry.text)
            return true;
    }
    return false;
}

} // namespace

QString AppModel::recoveryFile() const
{
    if (!hasUnsavedText() || m_recoveryFile.isEmpty() || m_recoveryFileText != m_noteText)
        return {};
    return m_recoveryFile;
}

bool AppModel::keepEditorTextRecoverable()
{
    m_recoveryTimer.stop();
    if (!hasUnsavedText() || m_notePath.isEmpty()) {
        dropRecovery();
        return true;
    }
    if (!m_recoveryFile.isEmpty() && m_recoveryFileText == m_noteText)
        return true;
    if (m_recoveryFile.isEmpty())
        m_recoveryFile = m_recovery.newFile(m_notePath);
    if (auto error = m_recovery.save(m_recoveryFile, m_notePath, m_store.root(), m_noteText)) {
        // Said once while it keeps failing, not after every pause in typing.
        if (!m_recoveryFailing)
            tellUser(error->message);
        m_recoveryFailing = true;
        return false;
    }
    m_recoveryFailing = false;
    m_recoveryFileText = m_noteText;
    return true;
}

bool AppModel::leaveTextInRecovery()
{
    if (!keepEditorTextRecoverable()) {
        tellUser(tr("Your text could not be kept anywhere else, so it stays on screen."));
        return false;
    }
    const QString file = m_recoveryFile;
    // The file now belongs to the note left behind; the editor starts afresh.
    m_recoveryFile.clear();
    m_recoveryFileText.clear();
    m_lastSyncedNoteText = m_noteText;
    tellUser(tr("Your unsaved text is kept in “%1” until it can be put beside its note.")
                 .arg(QDir::toNativeSeparators(file)));
    return true;
}

void AppModel::dropRecovery()
{
    if (m_recoveryFile.isEmpty())
        return;
    // A file that cannot be removed only means a duplicate preserved copy later.
    (void)m_recovery.remove(m_recoveryFile);
    m_recoveryFile.clear();
    m_recoveryFileText.clear();
}

void AppModel::settleRecoveredTexts(const QString &notePath)
{
    int copies = 0;
    bool kept = false;
    const QList<core::RecoveredText> entries = m_recovery.entries();
    for (const core::RecoveredText &entry : entries) {
        if (entry.file == m_recoveryFile || (!notePath.isEmpty() && entry.notePath != notePath))
            continue;
        if (isBesideItsNote(entry)) {
            (void)m_recovery.remove(entry.file);
            continue;
        }
        // It waits for a vanished notes folder to come back.
        if (!entry.notesRoot.isEmpty() && !QFileInfo(entry.notesRoot).isDir()) {
            kept = true;
            continue;
        }
        auto copy = writePreservedCopy(entry.notePath, entry.text);
        if (!copy) {
            kept = true;
            continue;
        }
        (void)m_recovery.remove(entry.file);
        ++copies;
    }
    if (copies > 0) {
        refreshNoteLists();
        tellUser(tr("Text that had not reached its note was kept as a separate Markdown file. "
                    "The preserved copy is listed in Journal."));
    }
    if (kept && notePath.isEmpty()) {
        tellUser(tr("Text that could not be saved in its notes folder is kept in “%1” until "
                    "that folder can be written again.")
                     .arg(QDir::toNativeSeparators(m_recovery.folder())));
    }
}

void AppModel::tellUser(const QString &message)
{
    if (!m_errorMessage || m_errorMessage->isEmpty())
        setErrorMessage(message);
    else if (!m_errorMessage->contains(message))
        setErrorMessage(*m_errorMessage + u"\n\n"_s + message);
}

} // namespace wrenfold::app
