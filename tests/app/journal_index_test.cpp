// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "app/journal_index.h"
#include "core/flow_markdown.h"
#include "core/habit_markdown.h"
#include "support/model_fixture.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace wrenfold;
using wrenfold::app::DayActivity;
using wrenfold::app::FlowDayActivity;
using wrenfold::app::JournalIndex;
using wrenfold::app::JournalSearchResult;
using wrenfold::testing::habit;

namespace {

const QUuid walkID{u"0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a"_s};
const QUuid readID{u"1c7a4d2f-6e3b-4d9f-8b68-4a2f3e5d6c7b"_s};

class JournalIndexTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store = core::MarkdownStore(m_dir.path(), core::Calendar{QTimeZone::utc(), Qt::Monday});
        m_index.setStore(m_store);
    }

    QDateTime at(const QDate &day) const { return m_store.calendar().startOfDay(day); }

    void writeNote(const QDate &day, const QString &body)
    {
        ASSERT_FALSE(m_store.saveNote({at(day), body}).has_value());
    }
    void writeRawNote(const QDate &day, const QByteArray &bytes)
    {
        ASSERT_TRUE(wrenfold::testing::writeFile(m_store.noteURL(at(day)), bytes));
    }

    QTemporaryDir m_dir;
    core::MarkdownStore m_store;
    JournalIndex m_index;
};

const QDate mar1{2026, 3, 1};
const QDate mar2{2026, 3, 2};
const QDate mar3{2026, 3, 3};

TEST_F(JournalIndexTest, search_findsAccentedAndUpperCaseWords)
{
    writeNote(mar3, u"# Tuesday\nMet Ana at the Café.\n"_s);
    writeNote(mar2, u"NOTHING HERE\n"_s);
    writeNote(mar1, u"Lunch at CAFE Rouge\n"_s);

    const QList<JournalSearchResult> results =
        m_index.journalResults({mar3, mar2, mar1}, u"cafe"_s);
    const QList<JournalSearchResult> expected{{mar3, u"Met Ana at the Café."_s},
                                              {mar1, u"Lunch at CAFE Rouge"_s}};
    EXPECT_EQ(results, expected);
    EXPECT_EQ(m_index.journalResults({mar3}, u"  résumé "_s).size(), 0);
    writeNote(mar2, u"updated my resume\n"_s);
    EXPECT_EQ(m_index.journalResults({mar2}, u"RÉSUMÉ"_s),
              (QList<JournalSearchResult>{{mar2, u"updated my resume"_s}}));
}

TEST_F(JournalIndexTest, search_skipsUnreadableNotesAndRepeatedDays)
{
    writeRawNote(mar2, QByteArray("caf\xc3\x28 word\n"));
    writeNote(mar1, u"word\n"_s);
    EXPECT_EQ(m_index.journalResults({mar2, mar1, mar1}, u"word"_s),
              (QList<JournalSearchResult>{{mar1, u"word"_s}}));
    EXPECT_EQ(m_index.journalResults({mar2, mar1}, QString()),
              (QList<JournalSearchResult>{{mar1, u"word"_s}}));
}

TEST_F(JournalIndexTest, search_edgeCases)
{
    const QString marker = u"<!-- vesk-flow: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a -->"_s;
    const struct {
        const char *name;
        std::optional<QString> note; // none: the listed day has no file
        QString query;
        QList<JournalSearchResult> expected;
    } rows[] = {
        {"a day without file is an empty note", std::nullopt, QString(), {{mar1, u"Empty note"_s}}},
        {"a day without file matches no word", std::nullopt, u"x"_s, {}},
        {"a blank query lists the first useful line",
         marker + u"\n## Walk\n"_s,
         u"   \n "_s,
         {{mar1, u"Walk"_s}}},
        {"only combining marks find nothing", u"café\n"_s, u"\u0301"_s, {}},
        {"a match inside a marker comment gives that line",
         u"text\n"_s + marker + u"\n"_s,
         u"VESK-FLOW"_s,
         {{mar1, marker}}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(m_store.noteURL(at(mar1)));
        if (row.note)
            writeNote(mar1, *row.note);
        EXPECT_EQ(m_index.journalResults({mar1}, row.query), row.expected);
    }
}

TEST_F(JournalIndexTest, keptText_isReusedOnlyWhileTheFileIsUnchanged)
{
    // A file written within the settle time is never kept: its time stamp may not tell yet.
    writeNote(mar1, u"alpha one\n"_s);
    EXPECT_EQ(m_index.journalResults({mar1}, u"alpha"_s).size(), 1);
    EXPECT_EQ(m_index.keptFileCount(), 0);
    m_index.setSettleTime(-1h);
    EXPECT_EQ(m_index.journalResults({mar1}, u"alpha"_s).size(), 1);
    EXPECT_EQ(m_index.keptFileCount(), 1);
    // Another folder never gets this one's kept text.
    QTemporaryDir other;
    m_index.setStore(core::MarkdownStore(other.path(), m_store.calendar()));
    EXPECT_TRUE(m_index.journalResults({mar1}, u"alpha"_s).isEmpty());
    m_index.setStore(m_store);

    // Saved through the store: a new file with equal size.
    writeNote(mar1, u"gamma one\n"_s);
    EXPECT_TRUE(m_index.journalResults({mar1}, u"alpha"_s).isEmpty());
    EXPECT_EQ(m_index.journalResults({mar1}, u"gamma"_s).size(), 1);

    // Rewritten in place by another editor, with another size.
    writeRawNote(mar1, "delta\n");
    EXPECT_EQ(m_index.journalResults({mar1}, u"delta"_s).size(), 1);

    // Removed: the day reads as empty and nothing is kept for it.
    ASSERT_TRUE(QFile::remove(m_store.noteURL(at(mar1))));
    EXPECT_TRUE(m_index.journalResults({mar1}, u"delta"_s).isEmpty());
    EXPECT_EQ(m_index.keptFileCount(), 0);
}

TEST_F(JournalIndexTest, withoutNotesFolder_findsAndCountsNothing)
{
    m_index.setStore({});
    EXPECT_TRUE(m_index.journalResults({mar1}, QString()).isEmpty());
    EXPECT_EQ(m_index.activity(mar1), DayActivity{});
}

TEST_F(JournalIndexTest, activity_countsJournalCheckedMarkedHabitsAndMentionsPerFlow)
{
    const core::FlowItem walk = habit(walkID, u"Walk"_s, core::HabitSchedule::daily);
    const core::FlowItem read = habit(readID, u"Read"_s, core::HabitSchedule::daily);
    const QByteArray twoMentions =
        core::FlowMarkdown::appending(walk, core::FlowMarkdown::appending(walk, u"Day"_s)).toUtf8();
    const QString habits = u"- [x] Walk <!-- vesk-habit: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a -->\n"
                           u"- [x] no marker\n"
                           u"- [X] Read <!-- vesk-habit: 1c7a4d2f-6e3b-4d9f-8b68-4a2f3e5d6c7b -->\n"
                           u"- [ ] Gone <!-- vesk-habit: 2d8b5e3a-7f4c-4eaf-9c79-5b3a4f6e7d8c -->\n"
                           u"  - [x] Indented <!-- vesk-habit: x -->\n"_s;
    const QString openDone =
        core::HabitMarkdown::setting(false, walk, core::HabitMarkdown::setting(true, read, {}));
    const struct {
        const char *name;
        QByteArray note; // null: no file
        QString habits;  // empty: no file
        DayActivity day;
        FlowDayActivity walk, read;
    } rows[] = {
        {"all", twoMentions, habits, {true, 2, 2}, {true, true}, {false, true}},
        {"habits only", {}, openDone, {false, 1, 0}, {}, {false, true}},
        {"blank note", " \n\t\r\n", {}, {}, {}, {}},
        // The flow view reads the habits file on its own.
        {"not text", "\xff\xfe hello vesk-flow:", openDone, {}, {}, {false, true}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(m_store.noteURL(at(mar1)));
        QFile::remove(m_store.habitsURL(at(mar1)));
        if (!row.note.isNull())
            writeRawNote(mar1, row.note);
        if (!row.habits.isEmpty()) {
            ASSERT_FALSE(m_store.saveHabits(row.habits, at(mar1)).has_value());
        }
        EXPECT_EQ(m_index.activity(mar1), row.day);
        EXPECT_EQ(m_index.activity(walkID, mar1), row.walk);
        EXPECT_EQ(m_index.activity(readID, mar1), row.read);
    }
    EXPECT_EQ(m_index.activity(mar2), (DayActivity{false, 0, 0}));
}

} // namespace
