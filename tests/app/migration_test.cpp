// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/model_fixture.h"

#include "core/localization.h"
#include "core/perspective_catalogue.h"
#include "core/perspective_markdown.h"

#include <QCoreApplication>
#include <QTranslator>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::testing;

namespace {

const QByteArray habitA = "- [x] Walk <!-- vesk-habit: 0a1b2c3d-0000-4000-8000-000000000001 -->";
const QByteArray habitB = "- [ ] Read <!-- vesk-habit: 0a1b2c3d-0000-4000-8000-000000000002 -->";

class MigrationTest : public ModelTest {
protected:
    QString today(const QString &folder = u"Journal"_s) const
    {
        return todayNotePath().replace(u"/Journal/"_s, u'/' + folder + u'/');
    }
    QString backupPath() const
    {
        return notesRoot + u"/Migration Backups/"_s + QFileInfo(today()).fileName();
    }
    QByteArray kaizenMarker() const { return "<!-- vesk-perspective: kaizen -->"; }
    QByteArray kaizenPrompt() const
    {
        return core::perspective(core::PerspectiveID::kaizen).journalPrompt.toUtf8();
    }
};

TEST_F(MigrationTest, noteWithoutLegacyMarkers_isNeitherRewrittenNorBackedUp)
{
    ASSERT_TRUE(writeFile(today(), "\n\n\njust words   \n\n\n\n"));
    const ino_t before = inodeOf(today());
    auto &model = makeModel();
    EXPECT_EQ(inodeOf(today()), before);
    EXPECT_EQ(model.noteText(), u"\n\n\njust words   \n\n\n\n"_s);
    EXPECT_FALSE(QFileInfo::exists(notesRoot + u"/Migration Backups"_s));
}

TEST_F(MigrationTest, habitLines_moveToHabitsFileAndNoteIsBackedUp)
{
    const QByteArray original = "Morning\n" + habitA + "\nMiddle\n" + habitB + "\nEvening\n";
    ASSERT_TRUE(writeFile(today(), original));
    auto &model = makeModel();

    EXPECT_EQ(readFile(today(u"Habits"_s)), habitA + "\n" + habitB + "\n");
    EXPECT_EQ(model.noteText(), u"Morning\nMiddle\nEvening\n"_s);
    EXPECT_EQ(readFile(today()), "Morning\nMiddle\nEvening\n");
    EXPECT_EQ(readFile(backupPath()), original);
    EXPECT_FALSE(model.errorMessage());
}

TEST_F(MigrationTest, perspectiveBlock_becomesEntryAndLeavesNote)
{
    const QByteArray original = "Before\n" + kaizenMarker() + "\n## Kaizen — Small steps\n" +
                                kaizenPrompt() + "\n\n   Tidy the desk first.  \n";
    ASSERT_TRUE(writeFile(today(), original));
    auto &model = makeModel();

    const core::DailyPerspectiveEntry entry{core::PerspectiveID::kaizen, u"Kaizen"_s,
                                            u"Small steps"_s, QString::fromUtf8(kaizenPrompt()),
                                            u"Tidy the desk first."_s};
    EXPECT_EQ(model.perspectiveEntries(), QList<core::DailyPerspectiveEntry>{entry});
    EXPECT_EQ(model.noteText(), u"Before\n"_s);
    EXPECT_EQ(QString::fromUtf8(readFile(today(u"Perspectives"_s))),
              core::PerspectiveMarkdown::document(model.perspectiveEntries()));
}

TEST_F(MigrationTest, promptInTheUsersLanguage_isNotTakenForTheAnswer)
{
    std::unique_ptr<QTranslator> german(
        core::installTranslations(*QCoreApplication::instance(), QLocale(QLocale::German)));
    ASSERT_TRUE(german);
    const QString prompt = core::perspective(core::PerspectiveID::kaizen).localizedJournalPrompt();
    ASSERT_NE(prompt.toUtf8(), kaizenPrompt());
    ASSERT_TRUE(writeFile(today(), kaizenMarker() + '\n' + prompt.toUtf8() + "\n\nAufräumen.\n"));
    auto &model = makeModel();

    ASSERT_EQ(model.perspectiveEntries().size(), 1);
    EXPECT_EQ(model.perspectiveEntries().first().response, u"Aufräumen."_s);
}

TEST_F(MigrationTest, blockBoundaries_decideWhatStaysInTheNote)
{
    const struct {
        const char *name;
        QByteArray note;
        qsizetype entries;
        QString noteAfter;
    } rows[] = {
        {"only the first answer line joins the block",
         kaizenMarker() + "\n" + kaizenPrompt() + "\nfirst answer\nsecond answer\nafter\n", 1,
         u"second answer\nafter\n"_s},
        {"a flow mention ends the block",
         kaizenMarker() + "\nanswer\n<!-- vesk-flow: abc -->\nflow text\n", 1,
         u"<!-- vesk-flow: abc -->\nflow text\n"_s},
        {"a marker with extra spaces is no block, but the note is tidied",
         "\n\n<!--  vesk-perspective: kaizen -->\nanswer\n\n\n\n\nend\n\n", 0,
         u"<!--  vesk-perspective: kaizen -->\nanswer\n\nend\n"_s},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        model.reset();
        ASSERT_TRUE(writeFile(today(), row.note));
        QFile::remove(today(u"Perspectives"_s));
        makeModel();
        ASSERT_EQ(model->perspectiveEntries().size(), row.entries);
        EXPECT_EQ(model->noteText(), row.noteAfter);
        EXPECT_EQ(readFile(today()), row.noteAfter.toUtf8());
    }
    EXPECT_EQ(model->perspectiveEntries().size(), 0);
    EXPECT_FALSE(QFileInfo::exists(today(u"Perspectives"_s)));
}

TEST_F(MigrationTest, loadingAgain_changesNothingAndTheRewriteIsNoForeignEdit)
{
    ASSERT_TRUE(writeFile(today(), "Text\n" + habitA + "\n"));
    makeModel();
    const QByteArray backup = readFile(backupPath());
    const ino_t first = inodeOf(today());

    model->loadNote();
    model.reset();
    auto &again = makeModel();

    EXPECT_EQ(inodeOf(today()), first) << "a migrated note was rewritten";
    EXPECT_EQ(readFile(backupPath()), backup);
    EXPECT_EQ(readFile(today(u"Habits"_s)), habitA + "\n");
    EXPECT_EQ(again.noteText(), u"Text\n"_s);
    again.noteChanged(u"Text\nmore\n"_s);
    again.flushNote();
    EXPECT_FALSE(again.noteConflict());
    EXPECT_EQ(readFile(today()), "Text\nmore\n");
}

TEST_F(MigrationTest, existingBackupAndHabitsText_areKept)
{
    ASSERT_TRUE(writeFile(backupPath(), "the oldest text"));
    ASSERT_TRUE(writeFile(today(u"Habits"_s), habitB + "\n"));
    ASSERT_TRUE(writeFile(today(), "Newer\n" + habitA + "\n" + habitB + "\n"));
    makeModel();
    EXPECT_EQ(readFile(backupPath()), "the oldest text");
    EXPECT_EQ(readFile(today()), "Newer\n");
    EXPECT_EQ(readFile(today(u"Habits"_s)), habitB + "\n" + habitA + "\n");
}

TEST_F(MigrationTest, existingPerspectivesText_keepsBothAnswers)
{
    const auto &kaizen = core::perspective(core::PerspectiveID::kaizen);
    const auto &ma = core::perspective(core::PerspectiveID::ma);
    const QList<core::DailyPerspectiveEntry> existing{
        {kaizen.id, kaizen.name, kaizen.title, kaizen.journalPrompt, u"current answer"_s},
        {ma.id, ma.name, ma.title, ma.journalPrompt, u"a pause"_s}};
    ASSERT_TRUE(writeFile(today(u"Perspectives"_s),
                          core::PerspectiveMarkdown::document(existing).toUtf8()));
    ASSERT_TRUE(writeFile(today(), kaizenMarker() + "\nlegacy answer\n"));

    auto &model = makeModel();
    ASSERT_EQ(model.perspectiveEntries().size(), 2);
    EXPECT_EQ(model.perspectiveEntries()[0].response, u"current answer\n\nlegacy answer"_s);
    EXPECT_EQ(model.perspectiveEntries()[1].response, u"a pause"_s);
}

TEST_F(MigrationTest, unreadableHabitsFile_stopsMigrationAndKeepsFiles)
{
    ASSERT_TRUE(writeFile(today(u"Habits"_s), "caf\xe9"));
    const QByteArray original = habitA + "\nText\n";
    ASSERT_TRUE(writeFile(today(), original));
    auto &model = makeModel();
    EXPECT_TRUE(model.errorMessage().has_value());
    EXPECT_EQ(readFile(today(u"Habits"_s)), "caf\xe9");
    EXPECT_EQ(readFile(today()), original);
    EXPECT_EQ(readFile(backupPath()), original);
}

} // namespace
