// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "app/journal_index.h"
#include "app/journal_search.h"
#include "support/model_fixture.h"

#include <QSignalSpy>

#include <fcntl.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace wrenfold;
using wrenfold::app::JournalIndex;
using wrenfold::app::JournalSearch;
using wrenfold::app::JournalSearchResult;

namespace {

const QDate firstDay(2024, 2, 20);

// Ninety days: accents, capitals, CRLF, comment-only and empty notes, non-UTF-8, no file.
class JournalSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        static const QList<QString> lines{u"# Morning at the Café\n"_s,
                                          u"Walked to ZÜRICH with a friend\r\n"_s,
                                          u"<!-- vesk-flow: x -->\n"_s,
                                          u"  résumé sent, naïve plan  \n"_s,
                                          u"Straße und Maß\n"_s,
                                          u"lanternfish near the river\n"_s,
                                          u"second line\r\nthird line\n"_s,
                                          u"nel\u0085Zoë line\u2028sep\u2029end\n"_s,
                                          u"\n\n"_s};
        for (int i = 0; i < 90; ++i) {
            const QDate day = firstDay.addDays(i);
            m_dates.prepend(day);
            if (i % 17 == 5)
                continue; // listed, but no file
            QString body;
            for (int l = 0; l < 2 + i % 5; ++l)
                body += lines.at((i * 3 + l * 5) % lines.size());
            if (i % 23 == 0)
                body = u"<!-- only a comment -->\n   \n"_s;
            writeNote(day, i % 29 == 7 ? QByteArray("bad \xff\xfe bytes") : body.toUtf8());
        }
        m_dates.append(m_dates.first()); // a day listed twice comes once
    }

    QString cacheFile() const { return m_dir.filePath(u"cache/search.idx"_s); }
    QString notePath(const QDate &day) const
    {
        return m_store.noteURL(m_store.calendar().startOfDay(day));
    }
    void writeNote(const QDate &day, const QByteArray &bytes)
    {
        ASSERT_TRUE(wrenfold::testing::writeFile(notePath(day), bytes));
    }
    std::unique_ptr<JournalSearch> makeSearch()
    {
        auto search = std::make_unique<JournalSearch>(m_store, cacheFile());
        search->setSettleTime(-1s);
        return search;
    }
    QList<JournalSearchResult> expected(const QString &query)
    {
        JournalIndex index(m_store);
        return index.journalResults(m_dates, query);
    }

    QTemporaryDir m_dir;
    core::MarkdownStore m_store{m_dir.filePath(u"notes"_s),
                                core::Calendar{QTimeZone("Pacific/Chatham"), Qt::Sunday}};
    QList<QDate> m_dates;
};

// Separated by "|".
const QStringList queries =
    u"|   |a|é|cafe|CAFÉ|zurich|Zürich with|ß|strasse|line\r\nthird|third|"
    u"<!--|naive plan|\u0301|nowhere at all|lanternfish|zoe|line\u2028sep"_s.split(u'|');

} // namespace

TEST_F(JournalSearchTest, everyQuery_sameResultsAsReadingEveryNote_freshKeptAndFromCache)
{
    auto first = makeSearch();
    for (const QString &query : queries) {
        SCOPED_TRACE(query.toStdString());
        EXPECT_EQ(first->results(m_dates, query), expected(query)); // reads
        // Kept notes, handed over in parts on the way: each part starts the whole list.
        QList<QList<JournalSearchResult>> parts;
        JournalSearch::Hooks hooks;
        hooks.firstPartial = 3;
        hooks.partial = [&](const QList<JournalSearchResult> &part) { parts.append(part); };
        const auto whole = first->results(m_dates, query, hooks);
        ASSERT_EQ(whole, expected(query));
        EXPECT_TRUE(whole->size() <= 3 || !parts.isEmpty());
        for (const QList<JournalSearchResult> &part : std::as_const(parts))
            EXPECT_EQ(part, whole->first(part.size()));
    }
    ASSERT_TRUE(first->save());
    first.reset();
    auto second = makeSearch();
    for (const QString &query : queries) {
        SCOPED_TRACE(query.toStdString());
        EXPECT_EQ(second->results(m_dates, query), expected(query));
    }
    EXPECT_FALSE(second->hasUnsavedNotes()); // every note came from the cache file
}

// Same size and modification time: only the change time tells, kept or from the cache file.
TEST_F(JournalSearchTest, noteRewrittenWithSameSizeAndTime_isNeverServedStale)
{
    const QDate day = firstDay.addDays(1);
    writeNote(day, "alpha text\n");
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(notePath(day)).constData(), &before), 0);
    auto rewrite = [&](const QByteArray &bytes) {
        writeNote(day, bytes);
        const timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(notePath(day)).constData(), times, 0), 0);
    };
    auto search = makeSearch();
    ASSERT_EQ(search->results(m_dates, u"alpha"_s)->size(), 1);
    rewrite("gamma text\n");
    EXPECT_EQ(search->results(m_dates, u"gamma"_s), expected(u"gamma"_s));
    EXPECT_TRUE(search->results(m_dates, u"alpha"_s)->isEmpty());
    ASSERT_TRUE(search->save());
    search.reset();

    rewrite("delta text\n");
    auto next = makeSearch();
    EXPECT_TRUE(next->results(m_dates, u"gamma"_s)->isEmpty());
    EXPECT_EQ(next->results(m_dates, u"delta"_s), expected(u"delta"_s));
}

TEST_F(JournalSearchTest, missingOrDamagedCacheFile_isRebuiltNeverTrusted)
{
    const struct {
        const char *what;
        std::function<void(QByteArray &)> apply;
    } damages[] = {
        {"deleted", [](QByteArray &bytes) { bytes.clear(); }},
        {"garbage", [](QByteArray &bytes) { bytes = QByteArray(bytes.size(), 'x'); }},
        {"truncated", [](QByteArray &bytes) { bytes.truncate(bytes.size() / 2); }},
        {"one byte changed", [](QByteArray &bytes) { bytes[bytes.size() / 2] ^= 0x20; }},
        {"index byte changed", [](QByteArray &bytes) { bytes[48] ^= 0x01; }},
        {"last block byte changed", [](QByteArray &bytes) { bytes[bytes.size() - 5] ^= 0x01; }},
    };
    for (const auto &damage : damages) {
        SCOPED_TRACE(damage.what);
        auto search = makeSearch();
        ASSERT_EQ(search->results(m_dates, u"cafe"_s), expected(u"cafe"_s));
        ASSERT_TRUE(search->save());
        search.reset();

        QByteArray bytes = wrenfold::testing::readFile(cacheFile());
        ASSERT_FALSE(bytes.isEmpty());
        damage.apply(bytes);
        if (bytes.isEmpty())
            ASSERT_TRUE(QFile::remove(cacheFile()));
        else
            ASSERT_TRUE(wrenfold::testing::writeFile(cacheFile(), bytes));

        auto rebuilt = makeSearch();
        // One letter: every note's text is needed, so no damaged block goes unnoticed.
        EXPECT_EQ(rebuilt->results(m_dates, u"e"_s), expected(u"e"_s));
        EXPECT_TRUE(rebuilt->hasUnsavedNotes());
        ASSERT_TRUE(rebuilt->save());
        rebuilt.reset();
        auto reloaded = makeSearch();
        EXPECT_EQ(reloaded->results(m_dates, u"cafe"_s), expected(u"cafe"_s));
        EXPECT_FALSE(reloaded->hasUnsavedNotes());
    }
}

// Answered later with progress; a note written afterwards shows up without a keystroke.
using JournalSearchModelTest = wrenfold::testing::ModelTest;

TEST_F(JournalSearchModelTest, journalQuery_answeredOffTheGuiThread_withProgress_andFollowsChanges)
{
    const core::MarkdownStore store(notesRoot, calendar);
    const QDate today = calendar.dayOf(QDateTime::currentDateTime());
    for (int i = 1; i <= 150; ++i)
        ASSERT_FALSE(store
                         .saveNote({calendar.startOfDay(today.addDays(-i)),
                                    i % 50 == 0 ? u"A Café visit"_s : u"plain day"_s})
                         .has_value());
    app::AppModel &model = makeModel();
    QSignalSpy progress(&model, &app::AppModel::journalIndexProgressChanged);
    QSignalSpy answered(&model, &app::AppModel::journalSearchResultsChanged);
    model.setJournalQuery(u"cafe"_s);
    ASSERT_TRUE(answered.wait(20000));
    EXPECT_EQ(model.journalSearchResults(), model.journalResults(u"cafe"_s));
    EXPECT_EQ(model.journalSearchResults().size(), 3);
    EXPECT_GE(progress.size(), 2);
    EXPECT_EQ(model.journalIndexProgress(), std::nullopt);

    ASSERT_TRUE(wrenfold::testing::writeFile(store.noteURL(calendar.startOfDay(today.addDays(-7))),
                                             "Another CAFE"));
    while (model.journalSearchResults().size() != 4)
        ASSERT_TRUE(answered.wait(20000));
    EXPECT_EQ(model.journalSearchResults(), model.journalResults(u"cafe"_s));
}
