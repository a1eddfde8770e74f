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

} // namespace

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

TEST_F(MarkdownStoreTest, loadNote_withoutFile_givesEmptyTextAndCreatesNothing)
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
}

TEST_F(MarkdownStoreTest, saveNote_createsFoldersWritesUtf8AndLeavesNoTransientFile)
{
    const QString body = u"# Thursday\n\nKaffee ☕ und 𝄞\n"_s;
    ASSERT_EQ(m_store.saveNote(DailyNote{kMarch5, body}), std::nullopt);

    EXPECT_EQ(treeOf(m_dir.path()),
              QStringList({u"Journal"_s, u"Journal/2026"_s, u"Journal/2026/03"_s,
                           u"Journal/2026/03/2026-03-05.md"_s}));
    EXPECT_EQ(readFile(path(u"Journal/2026/03/2026-03-05.md"_s)), body.toUtf8());
    const Result<DailyNote> back = m_store.loadNote(kMarch5);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, (DailyNote{kMarch5, body}));
}

TEST_F(MarkdownStoreTest, saveNote_overExistingFile_replacesWholeContentAndKeepsPermissions)
{
    const QString file = path(u"Journal/2026/03/2026-03-05.md"_s);
    ASSERT_EQ(m_store.saveNote(DailyNote{kMarch5, QString(5000, u'a')}), std::nullopt);
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0600), 0);

    ASSERT_EQ(m_store.saveNote(DailyNote{kMarch5, u"short"_s}), std::nullopt);
    EXPECT_EQ(readFile(file), "short");
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

TEST_F(MarkdownStoreTest, save_overStaleTransientFile_replacesItAndRemovesIt)
{
    const QString temp = path(u"Journal/2026/03/.2026-03-05.md.tmp"_s);
    ASSERT_TRUE(writeFile(temp, "half a note from a crash"));
    ASSERT_EQ(m_store.saveNote(DailyNote{kMarch5, u"new"_s}), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(temp));
    EXPECT_EQ(readFile(path(u"Journal/2026/03/2026-03-05.md"_s)), "new");
}

TEST_F(MarkdownStoreTest, save_transientNameIsASymlink_neverWritesThroughIt)
{
    const QString victim = path(u"elsewhere.txt"_s);
    ASSERT_TRUE(writeFile(victim, "keep me"));
    ASSERT_TRUE(QDir().mkpath(path(u"Journal/2026/03"_s)));
    ASSERT_TRUE(QFile::link(victim, path(u"Journal/2026/03/.2026-03-05.md.tmp"_s)));

    ASSERT_EQ(m_store.saveNote(DailyNote{kMarch5, u"note"_s}), std::nullopt);
    EXPECT_EQ(readFile(victim), "keep me");
    EXPECT_EQ(readFile(path(u"Journal/2026/03/2026-03-05.md"_s)), "note");
}

TEST_F(MarkdownStoreTest, loadNote_invalidUtf8_failsNamingFileAndOffset)
{
    const QString file = path(u"Journal/2026/03/2026-03-05.md"_s);
    ASSERT_TRUE(writeFile(file, "caf\xc3\xa9 ok, then \xff bad"));
    const Result<DailyNote> note = m_store.loadNote(kMarch5);
    ASSERT_FALSE(note.ok());
    EXPECT_TRUE(note.error().message.contains(file)) << note.error().message.toStdString();
    EXPECT_TRUE(note.error().message.contains(u"UTF-8"_s));
    EXPECT_TRUE(note.error().message.contains(u"offset 15"_s))
        << note.error().message.toStdString();
}

TEST_F(MarkdownStoreTest, loadNote_keepsByteOrderMarkSoSavingRoundTrips)
{
    const QString file = path(u"Journal/2026/03/2026-03-05.md"_s);
    ASSERT_TRUE(writeFile(file, "\xef\xbb\xbfhello"));
    const Result<DailyNote> note = m_store.loadNote(kMarch5);
    ASSERT_TRUE(note.ok());
    EXPECT_EQ(note->body, QString(QChar(0xFEFF)) + u"hello"_s);
    ASSERT_EQ(m_store.saveNote(*note), std::nullopt);
    EXPECT_EQ(readFile(file), "\xef\xbb\xbfhello");
}

TEST_F(MarkdownStoreTest, loadNote_pathIsAFolderOrPipe_failsWithoutBlocking)
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
}

TEST_F(MarkdownStoreTest, save_whereAFileBlocksTheFolder_failsNamingTheFolder)
{
    ASSERT_TRUE(writeFile(path(u"Journal"_s), "not a folder"));
    EXPECT_TRUE(m_store.loadNote(kMarch5)->body.isEmpty());
    const Status failed = m_store.saveNote(DailyNote{kMarch5, u"x"_s});
    ASSERT_NE(failed, std::nullopt);
    EXPECT_TRUE(failed->message.contains(path(u"Journal/2026/03"_s)))
        << failed->message.toStdString();
    EXPECT_EQ(readFile(path(u"Journal"_s)), "not a folder");
}

TEST_F(MarkdownStoreTest, save_invalidDayOrNoRoot_failsAndWritesNothing)
{
    EXPECT_NE(m_store.saveNote(DailyNote{QDateTime(), u"x"_s}), std::nullopt);
    EXPECT_TRUE(treeOf(m_dir.path()).isEmpty());

    const MarkdownStore noRoot;
    EXPECT_NE(noRoot.saveNote(DailyNote{kMarch5, u"x"_s}), std::nullopt);
    EXPECT_NE(noRoot.saveFlows({}), std::nullopt);
    EXPECT_FALSE(noRoot.loadNote(kMarch5).ok());
    EXPECT_TRUE(noRoot.datesWithNotes().isEmpty());
}

TEST_F(MarkdownStoreTest, flows_saveIntoMissingFolderThenLoad_roundTrips)
{
    const MarkdownStore store(path(u"new/notes"_s), m_store.calendar());
    const QDateTime created(QDate(2026, 3, 5), QTime(14, 7, 9), Qt::UTC);
    const QList<FlowItem> flows{FlowItem{QUuid::createUuid(),
                                         u"Garden"_s,
                                         {},
                                         u"Dig"_s,
                                         true,
                                         created,
                                         created,
                                         false,
                                         HabitSchedule::weekly,
                                         {},
                                         {}}};

    ASSERT_EQ(store.saveFlows(flows), std::nullopt);
    EXPECT_EQ(treeOf(path(u"new/notes"_s)), QStringList{u"flows.json"_s});
    EXPECT_EQ(readFile(path(u"new/notes/flows.json"_s)), encodeFlows(flows));
    const Result<QList<FlowItem>> back = store.loadFlows();
    ASSERT_TRUE(back.ok()) << back.error().message.toStdString();
    EXPECT_EQ(*back, flows);
}

TEST_F(MarkdownStoreTest, loadFlows_malformed_failsNamingFileAndPositionAndLeavesItAlone)
{
    const QByteArray broken = "[{\"id\": \"6F1C2D3E-4A5B-4C7D-8E9F-0A1B2C3D4E5F\",,}]";
    ASSERT_TRUE(writeFile(path(u"flows.json"_s), broken));
    const Result<QList<FlowItem>> flows = m_store.loadFlows();
    ASSERT_FALSE(flows.ok());
    EXPECT_TRUE(flows.error().message.contains(path(u"flows.json"_s)));
    EXPECT_TRUE(flows.error().message.contains(u"offset"_s)) << flows.error().message.toStdString();
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
