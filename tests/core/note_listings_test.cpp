// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/markdown_store.h"
#include "core/note_listings.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>

using namespace wrenfold::core;
using namespace wrenfold::testing;
using namespace Qt::StringLiterals;

namespace {

class NoteListingsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString journal(const QString &relative) const
    {
        return m_dir.path() + u"/Journal/"_s + relative;
    }
    void touch(const QString &relative) const { ASSERT_TRUE(writeFile(journal(relative), "x")); }
    void setModified(const QString &relative, time_t seconds, long nanoseconds) const
    {
        const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(journal(relative)).constData(), times, 0),
                  0);
    }

    QTemporaryDir m_dir;
    MarkdownStore m_store{m_dir.path(), Calendar{QTimeZone("Europe/Berlin"), Qt::Monday}};
};

} // namespace

TEST_F(NoteListingsTest, namesThatAreNotExactlyADay_andHiddenEntries_areNotListed)
{
    EXPECT_TRUE(m_store.datesWithNotes().isEmpty()); // no notes folder yet
    EXPECT_TRUE(m_store.preservedCopyURLs().isEmpty());
    for (const QString &name :
         {u"notes.md"_s, u"2026-03-05.txt"_s, u"2026-03-05.MD"_s, u"2026-03-05 copy.md"_s,
          u"2026-3-5.md"_s, u"2026-02-30.md"_s, u"x2026-03-05.md"_s, u"2026-03-05.md.bak"_s,
          u".2026-03-05.md"_s, u".2026-03-06.md.tmp"_s})
        touch(u"2026/03/"_s + name);
    ASSERT_TRUE(QDir().mkpath(journal(u"2026/03/2026-03-08.md"_s))); // a folder
    touch(u".trash/2026-03-07.md"_s);
    touch(u"2026/.old/2026-03-08.local-x.md"_s);
    EXPECT_TRUE(m_store.datesWithNotes().isEmpty());
    EXPECT_TRUE(m_store.preservedCopyURLs().isEmpty());
}

TEST_F(NoteListingsTest, notesAtAnyDepth_newestFirstAndNotMadeUnique)
{
    touch(u"2026-01-10.md"_s);
    touch(u"2025/12/2025-12-31.md"_s);
    touch(u"2026/03/2026-03-05.md"_s);
    touch(u"moved/by/hand/2026-03-05.md"_s);
    touch(u"0987/03/0987-03-05.md"_s);
    touch(u"2026/03/2026-03-05.local-2026-03-05T14-07-09.md"_s);
    EXPECT_EQ(m_store.datesWithNotes(),
              QList<QDate>({QDate(2026, 3, 5), QDate(2026, 3, 5), QDate(2026, 1, 10),
                            QDate(2025, 12, 31), QDate(987, 3, 5)}));
}

TEST_F(NoteListingsTest, preservedCopies_mostRecentlyModifiedFirst_danglingLinksLast)
{
    touch(u"2026/03/2026-03-05.local-a.md"_s);
    touch(u"2026/03/2026-03-05.local-b.md"_s);
    touch(u"elsewhere/notes.local-c.md"_s);
    touch(u"2026/03/2026-03-05.local-d.txt"_s);
    touch(u"2026/03/2026-03-05.LOCAL-e.md"_s);
    touch(u"2026/03/2026-03-05.md"_s);
    setModified(u"2026/03/2026-03-05.local-a.md"_s, 1'772'000'000, 500);
    setModified(u"2026/03/2026-03-05.local-b.md"_s, 1'772'000'000, 900); // later by 400 ns
    setModified(u"elsewhere/notes.local-c.md"_s, 1'700'000'000, 0);
    EXPECT_EQ(m_store.preservedCopyURLs(),
              QList<QString>({journal(u"2026/03/2026-03-05.local-b.md"_s),
                              journal(u"2026/03/2026-03-05.local-a.md"_s),
                              journal(u"elsewhere/notes.local-c.md"_s)}));
    ASSERT_TRUE(QFile::link(journal(u"gone.md"_s), journal(u"2026/03/2026-03-05.local-z.md"_s)));
    EXPECT_EQ(m_store.preservedCopyURLs().size(), 4);
    EXPECT_EQ(m_store.preservedCopyURLs().last(), journal(u"2026/03/2026-03-05.local-z.md"_s));
}

TEST_F(NoteListingsTest, symbolicLinks_loopsEndAndOnlyTheJournalItselfIsFollowed)
{
    touch(u"2026/03/2026-03-05.md"_s);
    ASSERT_TRUE(QFile::link(journal(u"2026"_s), journal(u"2026/03/loop"_s)));
    ASSERT_TRUE(QFile::link(journal(QString()), journal(u"self"_s)));
    ASSERT_TRUE(QFile::link(u"."_s, journal(u"2026/dot"_s)));
    EXPECT_EQ(m_store.datesWithNotes(), QList<QDate>{QDate(2026, 3, 5)});
    ASSERT_TRUE(QDir(journal(QString())).removeRecursively());
    ASSERT_TRUE(writeFile(m_dir.path() + u"/synced/2026/03/2026-03-05.md"_s, "x"));
    ASSERT_TRUE(QFile::link(m_dir.path() + u"/synced"_s, journal(QString()).chopped(1)));
    EXPECT_EQ(m_store.datesWithNotes(), QList<QDate>{QDate(2026, 3, 5)});
}

// After each step only the changed note's folder is read again; the lists must then equal
// a full walk, and a change elsewhere must stay unseen until the next full walk.
TEST_F(NoteListingsTest, rescanOfOneFolder_matchesAFullWalkOfThatChange)
{
    touch(u"2026/03/2026-03-05.md"_s);
    touch(u"2026/02/2026-02-01.md"_s);
    touch(u"2026/02/2026-02-01.local-a.md"_s);
    touch(u"moved/2026-03-05.md"_s);
    NoteListings listings;
    listings.rescanAll(m_store);

    struct Step {
        const char *what;
        QString changed;
        std::function<void()> change;
    };
    const QString march = u"2026/03/2026-03-05.md"_s;
    const QList<Step> steps{
        {"new day in a new month", u"2026/04/2026-04-02.md"_s,
         [&] { touch(u"2026/04/2026-04-02.md"_s); }},
        {"preserved copy beside a note", march,
         [&] {
             touch(u"2026/03/2026-03-05.local-b.md"_s);
             setModified(u"2026/03/2026-03-05.local-b.md"_s, 1'700'000'000, 0);
         }},
        {"newer copy sorts first", march,
         [&] {
             touch(u"2026/03/2026-03-05.local-c.md"_s);
             setModified(u"2026/03/2026-03-05.local-c.md"_s, 1'900'000'000, 0);
         }},
        {"second note of the month", march, [&] { touch(u"2026/03/2026-03-01.md"_s); }},
        {"note removed", march, [&] { ASSERT_TRUE(QFile::remove(journal(march))); }},
        {"whole month removed", u"2026/04/2026-04-02.md"_s,
         [&] { ASSERT_TRUE(QDir(journal(u"2026/04"_s)).removeRecursively()); }},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        listings.rescanFolderOf(journal(step.changed));
        EXPECT_EQ(listings.dates(), m_store.datesWithNotes());
        EXPECT_EQ(listings.preservedCopies(), m_store.preservedCopyURLs());
    }

    touch(u"2025/01/2025-01-01.md"_s);
    listings.rescanFolderOf(journal(march));
    EXPECT_FALSE(listings.dates().contains(QDate(2025, 1, 1)));
    listings.rescanFolderOf(m_dir.path() + u"/Elsewhere/2025-01-01.md"_s);
    EXPECT_FALSE(listings.dates().contains(QDate(2025, 1, 1)));
    listings.rescanAll(m_store);
    EXPECT_EQ(listings.dates(), m_store.datesWithNotes());
}
