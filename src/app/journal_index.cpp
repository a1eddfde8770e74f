// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "app/journal_index.h"

#include "app/search_text.h"
#include "core/flow_markdown.h"
#include "core/habit_markdown.h"

#include <QFile>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace wrenfold::app {

namespace {

qint64 nanoseconds(const timespec &time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

qint64 nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}

bool isBlank(QStringView text)
{
    for (QChar c : text) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

int countCompletedHabits(QStringView habits)
{
    int count = 0;
    for (QStringView line : habits.tokenize(u'\n')) {
        if ((line.startsWith(u"- [x]") || line.startsWith(u"- [X]")) &&
            line.contains(u"vesk-habit:"))
            ++count;
    }
    return count;
}

} // namespace

// Folders opened for the length of one call. Looking a file up by name in an open folder
// skips walking the whole path again for each of thousands of notes.
class JournalIndex::OpenFolders {
public:
    OpenFolders() = default;
    OpenFolders(const OpenFolders &) = delete;
    OpenFolders &operator=(const OpenFolders &) = delete;
    ~OpenFolders()
    {
        for (int fd : std::as_const(m_fds)) {
            if (fd >= 0)
                ::close(fd);
        }
    }

    /// stat(2) of `path`, through its folder when that folder could be opened.
    int stat(const QByteArray &path, qsizetype slash, struct stat *info)
    {
        if (slash <= 0)
            return ::stat(path.constData(), info);
        const QByteArrayView folder(path.constData(), slash);
        if (m_lastFd == -2 || folder != QByteArrayView(m_lastFolder)) {
            m_lastFolder = folder.toByteArray();
            auto found = m_fds.constFind(m_lastFolder);
            if (found == m_fds.constEnd())
                found = m_fds.insert(m_lastFolder, ::open(m_lastFolder.constData(),
                                                          O_PATH | O_DIRECTORY | O_CLOEXEC));
            m_lastFd = *found;
        }
        if (m_lastFd < 0)
            return ::stat(path.constData(), info);
        return ::fstatat(m_lastFd, path.constData() + slash + 1, info, 0);
    }

private:
    QHash<QByteArray, int> m_fds;
    QByteArray m_lastFolder;
    int m_lastFd = -2;
};

JournalIndex::JournalIndex(core::MarkdownStore store) : m_store(std::move(store)) {}

void JournalIndex::setStore(core::MarkdownStore store)
{
    m_store = std::move(store);
    m_paths.clear();
    m_notes.clear();
    m_habits.clear();
}

const JournalIndex::DayPaths &JournalIndex::pathsFor(const QDate &day)
{
    auto found = m_paths.constFind(day);
    if (found != m_paths.constEnd())
        return *found;
    DayPaths paths;
    paths.instant = m_store.calendar().startOfDay(day);
    paths.note = QFile::encodeName(m_store.noteURL(paths.instant));
    paths.habits = QFile::encodeName(m_store.habitsURL(paths.instant));
    paths.noteSlash = paths.note.lastIndexOf('/');
    paths.habitsSlash = paths.habits.lastIndexOf('/');
    return *m_paths.insert(day, paths);
}

core::Result<QString> JournalIndex::read(Kind kind, const QDateTime &instant) const
{
    if (kind == Kind::habits)
        return m_store.loadHabits(instant);
    core::Result<core::DailyNote> note = m_store.loadNote(instant);
    if (!note)
        return note.error();
    return std::move(note).value().body;
}

JournalIndex::KeptFile &JournalIndex::file(Kind kind, const QDate &day, OpenFolders *folders)
{
    const DayPaths &paths = pathsFor(day);
    QHash<QDate, KeptFile> &kept = kind == Kind::note ? m_notes : m_habits;
    const QByteArray &path = kind == Kind::note ? paths.note : paths.habits;

    // Look before reading: a change after this point gives the file a newer stamp than the
    // one kept, so the next call reads it again.
    struct stat info {};
    FileStamp stamp;
    if (m_store.root().isEmpty()) {
        // No notes folder: the store answers (with its error), nothing is looked up.
        m_scratch = KeptFile{};
        core::Result<QString> text = read(kind, paths.instant);
        if (text)
            m_scratch.text = std::move(text).value();
        else
            m_scratch.error = text.error();
        return m_scratch;
    }
    const qsizetype slash = kind == Kind::note ? paths.noteSlash : paths.habitsSlash;
    if ((folders ? folders->stat(path, slash, &info) : ::stat(path.constData(), &info)) == 0) {
        stamp = {qint64(info.st_dev), qint64(info.st_ino), qint64(info.st_size),
                 nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
    } else if (errno == ENOENT || errno == ENOTDIR) {
        // No file reads as the empty text; nothing to keep.
        kept.remove(day);
        m_scratch = KeptFile{};
        return m_scratch;
    }
    // Any other failure leaves a zero stamp, which is never kept: the store reports it.

    auto found = kept.find(day);
    if (found != kept.end() && stamp.inode != 0 && found->stamp == stamp)
        return *found;

    KeptFile fresh;
    fresh.stamp = stamp;
    core::Result<QString> text = read(kind, paths.instant);
    if (text)
        fresh.text = std::move(text).value();
    else
        fresh.error = text.error();

    // A text is kept only once its file has stood still for a while. File systems store
    // times in ticks (a few milliseconds on ext4, two seconds on FAT), so a rewrite of
    // equal size within one tick could otherwise keep an outdated text.
    const qint64 settledBefore = nowNs() - m_settleNs;
    const bool settled = stamp.modifiedNs < settledBefore && stamp.changedNs < settledBefore;
    if (!settled || stamp.inode == 0) {
        kept.remove(day);
        m_scratch = std::move(fresh);
        return m_scratch;
    }
    return *kept.insert(day, std::move(fresh));
}

QList<JournalSearchResult> JournalIndex::journalResults(const QList<QDate> &dates,
                                                        const QString &query)
{
    const QString trimmed = query.trimmed();
    const QString needle = foldForSearch(trimmed);
    const QByteArray needleUtf8 = needle.toUtf8();
    const QString emptyNote = firstUsefulLineOf(QString());
    QList<JournalSearchResult> results;
    QSet<QDate> seen;
    seen.reserve(dates.size());
    OpenFolders folders;
    for (const QDate &day : dates) {
        if (seen.contains(day))
            continue;
        seen.insert(day);

        KeptFile &note = file(Kind::note, day, &folders);
        if (note.error)
            continue;
        if (trimmed.isEmpty()) {
            if (!note.hasUsefulLine) {
                note.usefulLine = usefulLineIn(note.text);
                note.hasUsefulLine = true;
            }
            results.append({day, note.usefulLine ? *note.usefulLine : emptyNote});
            continue;
        }
        if (needle.isEmpty())
            continue;
        if (!note.hasFolded) {
            note.folded = foldForSearch(note.text).toUtf8();
            note.hasFolded = true;
        }
        // UTF-8 is prefix free, so a byte match is a character match; memmem is far
        // quicker than a UTF-16 search over every note.
        const void *hit = ::memmem(note.folded.constData(), size_t(note.folded.size()),
                                   needleUtf8.constData(), size_t(needleUtf8.size()));
        if (!hit)
            continue;
        const qsizetype byteAt = static_cast<const char *>(hit) - note.folded.constData();
        const QString foldedPrefix =
            QString::fromUtf8(note.folded.constData(), byteAt + needleUtf8.size());
        const qsizetype at = foldedPrefix.size() - needle.size();
        results.append({day, excerptForMatch(note.text, foldedPrefix, at, needle.size())});
    }
    return results;
}

DayActivity JournalIndex::activity(const QDate &day)
{
    DayActivity result;
    {
        const KeptFile &note = file(Kind::note, day);
        if (note.error)
            return {};
        result.hasJournal = !isBlank(note.text);
        result.flowMentions = int(note.text.count(u"vesk-flow:"));
    }
    const KeptFile &habits = file(Kind::habits, day);
    if (!habits.error)
        result.completedHabits = countCompletedHabits(habits.text);
    return result;
}

FlowDayActivity JournalIndex::activity(const QUuid &flow, const QDate &day)
{
    FlowDayActivity result;
    {
        const KeptFile &note = file(Kind::note, day);
        if (!note.error)
            result.mentioned = core::FlowMarkdown::identifiers(note.text).contains(flow);
    }
    const KeptFile &habits = file(Kind::habits, day);
    if (!habits.error)
        result.habitDone = core::HabitMarkdown::completed(flow, habits.text).value_or(false);
    return result;
}

} // namespace wrenfold::app
