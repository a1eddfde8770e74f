// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/file_io.h"
#include "core/markdown_store.h"
#include "support/test_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace wrenfold::core;
using namespace wrenfold::testing;
using namespace Qt::StringLiterals;

namespace {

const QTimeZone kBerlin("Europe/Berlin");
const QDateTime kMarch5(QDate(2026, 3, 5), QTime(9, 30), kBerlin);

// Every file and folder below `root`, hidden ones included, relative and sorted.
QStringList treeOf(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries.append(QDir(root).relativeFilePath(it.next()));
    entries.sort();
    return entries;
}

class MarkdownStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString &relative) const { return m_dir.path() + u'/' + relative; }

    QTemporaryDir m_dir;
    MarkdownStore m_store{m_dir.path(), Calendar{kBerlin, Qt::Monday}};
};

// Hidden files in `folder`: transient files a save left behind.
QStringList hiddenIn(const QString &folder)
{
    return QDir(folder).entryList({u".*"_s}, QDir::Files | QDir::Hidden | QDir::System);
}

// What another program does to the note in the moment before a save replaces it.
enum class Outside { nothing, rewritesInPlace, savesByRename, deletes, rewritesKnownText };

void actOutside(Outside action, const QString &file)
{
    switch (action) {
    case Outside::nothing:
        break;
    case Outside::rewritesInPlace: { // same size, same inode
        QFile note(file);
        ASSERT_TRUE(note.open(QIODevice::WriteOnly | QIODevice::Truncate));
        note.write("THEIRS");
        break;
    }
    case Outside::savesByRename:
        ASSERT_TRUE(writeFile(file + u".theirs"_s, "theirs, renamed in"));
        ASSERT_EQ(::rename(QFile::encodeName(file + u".theirs"_s).constData(),
                           QFile::encodeName(file).constData()),
                  0);
        break;
    case Outside::deletes:
        ASSERT_TRUE(QFile::remove(file));
        break;
    case Outside::rewritesKnownText:
        ASSERT_TRUE(QFile::remove(file));
        ASSERT_TRUE(writeFile(file, "known"));
        break;
    }
}

// Which syncs fail in this test program: the disk's way of saying the text never arrived.
enum class FailingSync { none, file, folder };
FailingSync g_failingSync = FailingSync::none;

} // namespace

// Stands in for the C library's fsync in this program only.
extern "C" int fsync(int fd)
{
    static const auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    struct stat info {};
    if (g_failingSync != FailingSync::none && ::fstat(fd, &info) == 0 &&
        S_ISDIR(info.st_mode) == (g_failingSync == FailingSync::folder)) {
        errno = EIO;
        return -1;
    }
    return real(fd);
}

TEST_F(MarkdownStoreTest, failedSync_isASaveErrorNeverASuccess)
{
    const QString file = path(u"Journal/2026/03/2026-03-05.md"_s);
    for (const FailingSync failing : {FailingSync::file, FailingSync::folder}) {
        for (const bool guarded : {false, true}) {
            SCOPED_TRACE(int(failing) * 10 + guarded);
            ASSERT_EQ(m_store.saveNote(DailyNote{kMarch5, u"old"_s}), std::nullopt);
            const ExpectedFile expected{fileStampOf(file), u"old"_s};
            g_failingSync = failing;
            Status failed;
            if (!guarded)
                failed = m_store.saveNote(DailyNote{kMarch5, u"new"_s});
            else if (auto saved = m_store.saveNote(DailyNote{kMarch5, u"new"_s}, expected); !saved)
                failed = saved.error();
            g_failingSync = FailingSync::none;
            ASSERT_TRUE(failed.has_value());
            EXPECT_TRUE(failed->message.contains(u"input/output error"_s))
                << failed->message.toStdString();
            // A file the disk could not take leaves the old text in place.
            if (failing == FailingSync::file) {
                EXPECT_EQ(readFile(file), "old");
            }
        }
    }
}

TEST_F(MarkdownStoreTest, dayURLs_followTheFolderLayoutInTheCalendarsZone)
{
    EXPECT_EQ(m_store.noteURL(kMarch5), path(u"Journal/2026/03/2026-03-05.md"_s));
    EXPECT_EQ(m_store.habitsURL(kMarch5), path(u"Habits/2026/03/2026-03-05.md"_s));
    EXPECT_EQ(m_store.perspectivesURL(kMarch5), path(u"Perspectives/2026/03/2026-03-05.md"_s));
    EXPECT_EQ(m_store.flowsURL(), path(u"flows.json"_s));
    // Years below 1000 are padded to four digits.
    EXPECT_EQ(m_store.noteURL(QDateTime(QDate(987, 3, 5), QTime(12, 0), Qt::UTC)),
              path(u"Journal/0987/03/0987-03-05.md"_s));
    // Late evening in New York is already the next day in UTC.
    const QTimeZone newYork("America/New_York");
    const MarkdownStore store(m_dir.path(), Calendar{newYork, Qt::Sunday});
    const QDateTime lateEvening(QDate(2026, 3, 5), QTime(23, 30), newYork);
    EXPECT_EQ(store.noteURL(lateEvening.toUTC()), path(u"Journal/2026/03/2026-03-05.md"_s));
}

TEST_F(MarkdownStoreTest, noFileNoRootOrInvalidDay_readsEmptyOrFailsAndCreatesNothing)
{
    const Result<DailyNote> note = m_store.loadNote(kMarch5);
    ASSERT_TRUE(note.ok()) << note.error().message.toStdString();
    EXPECT_EQ(note->date, kMarch5);
    EXPECT_TRUE(note->body.isEmpty());
    EXPECT_TRUE(treeOf(m_dir.path()).isEmpty());

    const MarkdownStore missingRoot(path(u"not/there"_s), m_store.calendar());
    EXPECT_TRUE(missingRoot.loadHabits(kMarch5).ok());
    EXPECT_TRUE(missingRoot.loadFlows().ok());
    EXPECT_FALSE(QFileInfo::exists(path(u"not"_s)));

    EXPECT_NE(m_store.saveNote(DailyNote{QDateTime(), u"x"_s}), std::nullopt);
    EXPECT_TRUE(treeOf(m_dir.path()).isEmpty());

    const MarkdownStore noRoot;
    EXPECT_NE(noRoot.saveNote(DailyNote{kMarch5, u"x"_s}), std::nullopt);
    EXPECT_NE(noRoot.saveFlows({}), std::nullopt);
    EXPECT_FALSE(noRoot.loadNote(kMarch5).ok());
    EXPECT_TRUE(noRoot.datesWithNotes().isEmpty());
}

TEST_F(MarkdownStoreTest, saveNote_writesUtf8AndByteOrderMarkOverOldTextTransientFilesAndLinks)
{
    const QString file = path(u"Journal/2026/03/2026-03-05.md"_s);
    // A byte order mark is text like any other: kept on reading, written back.
    const QString body = u"\uFEFF# Thursday\n\nKaffee ☕ und 𝄞\n"_s;
    ASSERT_EQ(m_store.saveNote(DailyNote{kMarch5, QString(5000, u'a')}), std::nullopt);
    EXPECT_EQ(treeOf(m_dir.path()),
              QStringList({u"Journal"_s, u"Journal/2026"_s, u"Journal/2026/03"_s,
                           u"Journal/2026/03/2026-03-05.md"_s}));
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0600), 0);
    // Half a note from a crash under the transient name, or a link there to another file.
    const QString temp = path(u"Journal/2026/03/.2026-03-05.md.tmp"_s);
    const QString victim = path(u"elsewhere.txt"_s);
    ASSERT_TRUE(writeFile(victim, "keep me"));
    for (const bool link : {false, true}) {
        ASSERT_TRUE(link ? QFile::link(victim, temp) : writeFile(temp, "half a note"));
        ASSERT_EQ(m_store.saveNote(DailyNote{kMarch5, body}), std::nullopt);
        EXPECT_EQ(readFile(file), body.toUtf8());
        EXPECT_FALSE(QFileInfo::exists(temp));
        EXPECT_EQ(readFile(victim), "keep me");
    }
    EXPECT_EQ(m_store.loadNote(kMarch5).value(), (DailyNote{kMarch5, body}));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST_F(MarkdownStoreTest, saveHabits_touchesOnlyTheHabitsFile_evenWhenEmpty)
{
    ASSERT_EQ(m_store.saveHabits(QString(), kMarch5), std::nullopt);
    EXPECT_EQ(treeOf(m_dir.path()), QStringList({u"Habits"_s, u"Habits/2026"_s, u"Habits/2026/03"_s,
                                                 u"Habits/2026/03/2026-03-05.md"_s}));
    EXPECT_EQ(QFileInfo(path(u"Habits/2026/03/2026-03-05.md"_s)).size(), 0);
    ASSERT_EQ(m_store.saveHabits(u"- [x] Walk\n"_s, kMarch5), std::nullopt);
    ASSERT_EQ(m_store.savePerspectives(u"p"_s, kMarch5), std::nullopt);
    EXPECT_EQ(readFile(path(u"Perspectives/2026/03/2026-03-05.md"_s)), "p");
    EXPECT_EQ(m_store.loadHabits(kMarch5).value(), u"- [x] Walk\n"_s);
}

TEST_F(MarkdownStoreTest, loadNote_invalidUtf8_failsNamingFileAndOffset)
{
    const QString file = path(u"Journal/2026/03/2026-03-05.md"_s);
    ASSERT_TRUE(writeFile(file, "caf\xc3\xa9 ok, then \xff bad"));
    const Result<DailyNote> note = m_store.loadNote(kMarch5);
    ASSERT_FALSE(note.ok());
    EXPECT_EQ(note.error().message,
              u"Could not read “%1”: the text is not valid UTF-8 (byte offset 15)."_s.arg(file));
}

TEST_F(MarkdownStoreTest, folderPipeOrFileInTheWay_failsWithoutBlockingOrReplacingIt)
{
    ASSERT_TRUE(QDir().mkpath(path(u"Journal/2026/03/2026-03-05.md"_s)));
    const Result<DailyNote> folder = m_store.loadNote(kMarch5);
    ASSERT_FALSE(folder.ok());
    EXPECT_TRUE(folder.error().message.contains(u"folder"_s));
    EXPECT_NE(m_store.saveNote(DailyNote{kMarch5, u"x"_s}), std::nullopt);

    const QString pipe = m_store.habitsURL(kMarch5);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(pipe).absolutePath()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(m_store.loadHabits(kMarch5).ok());

    // A file where a folder belongs: reading finds no note, saving names the folder.
    ASSERT_TRUE(writeFile(path(u"Perspectives"_s), "not a folder"));
    EXPECT_TRUE(m_store.loadPerspectives(kMarch5)->isEmpty());
    const Status failed = m_store.savePerspectives(u"x"_s, kMarch5);
    ASSERT_NE(failed, std::nullopt);
    EXPECT_TRUE(failed->message.contains(path(u"Perspectives/2026/03"_s)))
        << failed->message.toStdString();
    EXPECT_EQ(readFile(path(u"Perspectives"_s)), "not a folder");
}

TEST_F(MarkdownStoreTest, flows_saveIntoMissingFolderThenLoad_roundTrips_malformedFails)
{
    const MarkdownStore store(path(u"new/notes"_s), m_store.calendar());
    const QDateTime created(QDate(2026, 3, 5), QTime(14, 7, 9), Qt::UTC);
    FlowItem garden;
    garden.id = QUuid::createUuid();
    garden.title = u"Garden"_s;
    garden.createdAt = garden.updatedAt = created;
    const QList<FlowItem> flows{garden};

    ASSERT_EQ(store.saveFlows(flows), std::nullopt);
    EXPECT_EQ(treeOf(path(u"new/notes"_s)), QStringList{u"flows.json"_s});
    EXPECT_EQ(readFile(path(u"new/notes/flows.json"_s)), encodeFlows(flows));
    const Result<QList<FlowItem>> back = store.loadFlows();
    ASSERT_TRUE(back.ok()) << back.error().message.toStdString();
    EXPECT_EQ(*back, flows);

    // A malformed file fails naming the file and the place, and is left alone.
    const QByteArray broken = "[{\"id\": \"6F1C2D3E-4A5B-4C7D-8E9F-0A1B2C3D4E5F\",,}]";
    ASSERT_TRUE(writeFile(path(u"flows.json"_s), broken));
    const Result<QList<FlowItem>> malformed = m_store.loadFlows();
    ASSERT_FALSE(malformed.ok());
    EXPECT_TRUE(malformed.error().message.contains(path(u"flows.json"_s)));
    EXPECT_TRUE(malformed.error().message.contains(u"offset"_s))
        << malformed.error().message.toStdString();
    EXPECT_EQ(readFile(path(u"flows.json"_s)), broken);

    ASSERT_TRUE(writeFile(path(u"flows.json"_s),
                          "[{\"id\":\"6F1C2D3E-4A5B-4C7D-8E9F-0A1B2C3D4E5F\","
                          "\"title\":\"caf\xff\"}]"));
    EXPECT_FALSE(m_store.loadFlows().ok());
}

TEST(FileErrors, firstInvalidUtf8Offset_rejectsOverlongSurrogatesAndTruncation)
{
    struct Case {
        QByteArray bytes;
        qsizetype offset;
    };
    const Case cases[] = {
        {"plain ascii", -1},
        {"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", -1}, // é € 😀
        {"a\xc0\xafz", 1},                            // overlong "/"
        {"ab\xed\xa0\x80", 2},                        // UTF-16 surrogate
        {"\xf4\x90\x80\x80", 0},                      // past U+10FFFF
        {"abc\xe2\x82", 3},                           // cut short at the end
        {"\x80", 0},                                  // stray continuation byte
    };
    for (const Case &c : cases)
        EXPECT_EQ(firstInvalidUtf8Offset(c.bytes), c.offset) << c.bytes.toHex().constData();
}

TEST_F(MarkdownStoreTest, guardedSave_outsideSaveJustBeforeTheReplace_isKeptAsACopy)
{
    const struct {
        const char *name;
        Outside action;
        bool fileBefore;
        QByteArray kept; // empty: nothing to keep
    } rows[] = {
        {"no outside save", Outside::nothing, true, {}},
        {"rewrite in place within the same size", Outside::rewritesInPlace, true, "THEIRS"},
        {"save by rename", Outside::savesByRename, true, "theirs, renamed in"},
        {"file created where none was", Outside::savesByRename, false, "theirs, renamed in"},
        {"file deleted", Outside::deletes, true, {}},
        {"the known text written again", Outside::rewritesKnownText, true, {}},
    };
    const QString file = path(u"Journal/2026/03/2026-03-05.md"_s);
    const QString folder = QFileInfo(file).absolutePath();
    for (const bool withoutExchange : {false, true}) {
        for (const auto &row : rows) {
            SCOPED_TRACE(std::string(row.name) + (withoutExchange ? " (no swap)" : " (swap)"));
            ASSERT_TRUE(QDir(folder).removeRecursively());
            ExpectedFile expected;
            if (row.fileBefore) {
                ASSERT_EQ(m_store.saveNote(DailyNote{kMarch5, u"known"_s}), std::nullopt);
                expected = {fileStampOf(file), u"known"_s};
            }
            setFileWriteSeams(
                {[&](const QString &) { actOutside(row.action, file); }, withoutExchange});
            const Result<SaveOutcome> saved =
                m_store.saveNote(DailyNote{kMarch5, u"mine"_s}, expected);
            setFileWriteSeams({});

            ASSERT_TRUE(saved.ok()) << saved.error().message.toStdString();
            EXPECT_EQ(readFile(file), "mine");
            EXPECT_EQ(saved->keptCopy.isEmpty(), row.kept.isEmpty());
            if (!row.kept.isEmpty()) {
                EXPECT_EQ(readFile(saved->keptCopy), row.kept);
                EXPECT_EQ(m_store.preservedCopyURLs(), QList<QString>{saved->keptCopy});
            } else {
                EXPECT_TRUE(m_store.preservedCopyURLs().isEmpty());
            }
            EXPECT_TRUE(hiddenIn(folder).isEmpty()) << hiddenIn(folder).join(u' ').toStdString();
        }
    }
}

TEST_F(MarkdownStoreTest, guardedSave_byStampAlone_keepsASameSizedRewriteWithALaterTime)
{
    const QString file = path(u"Journal/2026/03/2026-03-05.md"_s);
    ASSERT_EQ(m_store.saveNote(DailyNote{kMarch5, u"known"_s}), std::nullopt);
    const ExpectedFile expected{fileStampOf(file), std::nullopt};
    setFileWriteSeams(
        {[&](const QString &) {
             actOutside(Outside::rewritesInPlace, file); // "THEIRS"
             ASSERT_TRUE(QFile::resize(file, 5));
             const struct timespec later[2] = {{2'000'000'000, 0}, {2'000'000'000, 0}};
             ::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), later, 0);
         },
         false});
    const Result<SaveOutcome> saved = m_store.saveNote(DailyNote{kMarch5, u"mine!"_s}, expected);
    setFileWriteSeams({});
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(readFile(saved->keptCopy), "THEIR");
}

TEST_F(MarkdownStoreTest, save_throughSymbolicLinks_replacesTheTargetAndKeepsTheLink)
{
    const QString note = path(u"Journal/2026/03/2026-03-05.md"_s);
    const QString habits = path(u"Habits/2026/03/2026-03-05.md"_s);
    const QString target = path(u"synced/real.md"_s);
    const struct {
        const char *name;
        QString linkText; // what the day file's link says
        QString middle;   // a link in between, when not empty
        bool targetExists;
    } rows[] = {
        {"relative link", u"../../../synced/real.md"_s, {}, true},
        {"absolute link", target, {}, true},
        {"link to a link", path(u"synced/middle.md"_s), u"real.md"_s, true},
        {"dangling link", target, {}, false},
    };
    for (const bool guarded : {false, true}) {
        for (const auto &row : rows) {
            SCOPED_TRACE(std::string(row.name) + (guarded ? " (guarded)" : ""));
            ASSERT_TRUE(QDir(path(u"synced"_s)).removeRecursively());
            ASSERT_TRUE(QDir().mkpath(path(u"synced"_s)));
            if (row.targetExists) {
                ASSERT_TRUE(writeFile(target, "old"));
            }
            if (!row.middle.isEmpty()) {
                ASSERT_TRUE(QFile::link(row.middle, path(u"synced/middle.md"_s)));
            }
            for (const QString &day : {note, habits}) {
                QFile::remove(day);
                ASSERT_TRUE(QDir().mkpath(QFileInfo(day).absolutePath()));
                ASSERT_EQ(::symlink(QFile::encodeName(row.linkText).constData(),
                                    QFile::encodeName(day).constData()),
                          0);
            }

            if (guarded) {
                const ExpectedFile expected{fileStampOf(target), u"old"_s};
                const Result<SaveOutcome> saved = m_store.saveNote({kMarch5, u"new"_s}, expected);
                ASSERT_TRUE(saved.ok()) << saved.error().message.toStdString();
                EXPECT_TRUE(saved->keptCopy.isEmpty());
            } else {
                ASSERT_EQ(m_store.saveNote({kMarch5, u"new"_s}), std::nullopt);
            }
            EXPECT_TRUE(QFileInfo(note).isSymLink());
            EXPECT_EQ(readFile(target), "new");
            ASSERT_EQ(m_store.saveHabits(u"habits"_s, kMarch5), std::nullopt);
            EXPECT_TRUE(QFileInfo(habits).isSymLink());
            EXPECT_EQ(readFile(target), "habits");
            EXPECT_TRUE(hiddenIn(path(u"synced"_s)).isEmpty());
        }
    }

    // Links that go round in circles are refused; nothing is replaced.
    QFile::remove(note);
    ASSERT_TRUE(QFile::link(note, note));
    EXPECT_NE(m_store.saveNote({kMarch5, u"x"_s}), std::nullopt);
    EXPECT_TRUE(QFileInfo(note).isSymLink());
}

TEST_F(MarkdownStoreTest, removeStaleTransientFiles_removesOnlyItsOwnOldOnes_namedAsWritten)
{
    // A preserved copy is written under a transient name the clean-up knows.
    const QString copy =
        preservedCopyPath(path(u"Journal/2026/03/2026-03-05.md"_s),
                          QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9), Qt::UTC), 2);
    EXPECT_EQ(copy, path(u"Journal/2026/03/2026-03-05.local-2026-03-05T14-07-09-2.md"_s));
    QStringList during;
    setFileWriteSeams(
        {[&](const QString &) { during = hiddenIn(QFileInfo(copy).absolutePath()); }, false});
    ASSERT_EQ(writeFileDurably(copy, "kept"), std::nullopt);
    setFileWriteSeams({});
    EXPECT_EQ(during, QStringList{u".2026-03-05.local-2026-03-05T14-07-09-2.md.tmp"_s});
    EXPECT_TRUE(hiddenIn(QFileInfo(copy).absolutePath()).isEmpty());

    const struct {
        QString file;
        bool old;
        bool removed;
    } rows[] = {
        {u"Journal/2026/03/.2026-03-05.md.tmp"_s, true, true},
        {u"Habits/2026/03/.2026-03-05.md.tmp"_s, true, true},
        {u"Perspectives/2026/03/.2026-03-05.md.tmp"_s, true, true},
        {u"Journal/2026/03/.2026-03-05.local-2026-03-05T14-07-09.md.tmp"_s, true, true},
        {u"Journal/2026/03/.2026-03-05.local-2026-03-05T14-07-09-2.md.k3x9a.tmp"_s, true, true},
        {u"Migration Backups/.2026-03-05.md.1z2y3x.tmp"_s, true, true},
        {u".flows.json.tmp"_s, true, true},
        {u"Journal/2026/03/.2026-03-06.md.tmp"_s, false, false}, // a save may be under way
        {u"Journal/2026/03/2026-03-05.md"_s, true, false},
        {u"Journal/2026/03/.other.md.tmp"_s, true, false},
        {u"Journal/2026/03/.2026-03-05.md.swp"_s, true, false},
        {u"Journal/drafts/.2026-03-05.md.tmp"_s, true, false},
        {u"Other/2026/03/.2026-03-05.md.tmp"_s, true, false},
        {u".notes.json.tmp"_s, true, false},
    };
    const struct timespec longAgo[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
    for (const auto &row : rows) {
        ASSERT_TRUE(writeFile(path(row.file), "x"));
        const QByteArray native = QFile::encodeName(path(row.file));
        if (row.old) {
            ASSERT_EQ(::utimensat(AT_FDCWD, native.constData(), longAgo, 0), 0);
        }
    }
    const QString locked = path(u"Journal/2026/03/.2026-03-07.md.tmp"_s);
    ASSERT_TRUE(writeFile(locked, "a save in progress"));
    const int fd = ::open(QFile::encodeName(locked).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    const QDateTime now = QDateTime::currentDateTime();
    const qint64 age = now.toSecsSinceEpoch() - 1'000'000'100; // between the two times
    EXPECT_EQ(m_store.removeStaleTransientFiles(age), 7);
    ::close(fd);
    for (const auto &row : rows)
        EXPECT_EQ(QFileInfo::exists(path(row.file)), !row.removed) << row.file.toStdString();
    EXPECT_TRUE(QFileInfo::exists(locked));
}
