// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/perspective_catalogue.h"
#include "core/perspective_markdown.h"
#include "support/model_fixture.h"

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::testing;
using core::PerspectiveID;

namespace {

class PerspectivesTest : public ModelTest {
protected:
    QString perspectivesPath() const
    {
        return model->store().perspectivesURL(model->selectedDate());
    }
    QString perspectivesFile() const { return QString::fromUtf8(readFile(perspectivesPath())); }
    static const core::Perspective &kaizen() { return core::perspective(PerspectiveID::kaizen); }
    static const core::Perspective &ikigai() { return core::perspective(PerspectiveID::ikigai); }
    QDateTime pastDay() const { return QDateTime::currentDateTime().addDays(-3); }
};

TEST_F(PerspectivesTest, insert_writesOneBlockWithEmptyResponse_andNothingTheSecondTime)
{
    auto &model = makeModel();
    model.insertPerspective(kaizen());
    const core::DailyPerspectiveEntry entry{PerspectiveID::kaizen, kaizen().name,
                                            kaizen().localizedTitle(),
                                            kaizen().localizedJournalPrompt(), QString()};
    EXPECT_EQ(model.perspectiveEntries(), QList<core::DailyPerspectiveEntry>{entry});
    EXPECT_EQ(perspectivesFile(), core::PerspectiveMarkdown::document({entry}));

    ASSERT_TRUE(QFile::remove(perspectivesPath()));
    model.insertPerspective(kaizen());
    EXPECT_EQ(model.perspectiveEntries().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(perspectivesPath()));
}

TEST_F(PerspectivesTest, responses_areWrittenWholeOnEveryEdit)
{
    auto &model = makeModel();
    model.insertPerspective(kaizen());
    model.insertPerspective(ikigai());
    model.updatePerspectiveResponse(u"  first "_s, PerspectiveID::ikigai);
    EXPECT_EQ(perspectivesFile(), core::PerspectiveMarkdown::document(model.perspectiveEntries()));
    model.updatePerspectiveResponse(u"first\n\nsecond"_s, PerspectiveID::ikigai);
    EXPECT_EQ(model.perspectiveEntries().at(1).response, u"first\n\nsecond"_s);
    const auto read = core::PerspectiveMarkdown::entries(perspectivesFile());
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read.at(1).response, u"first\n\nsecond"_s);
    EXPECT_EQ(read.at(0).perspectiveID, PerspectiveID::kaizen);
}

TEST_F(PerspectivesTest, response_forUnknownPerspective_writesNothing)
{
    auto &model = makeModel();
    model.updatePerspectiveResponse(u"text"_s, PerspectiveID::kinhin);
    EXPECT_FALSE(QFileInfo::exists(perspectivesPath()));
    EXPECT_TRUE(model.perspectiveEntries().isEmpty());
}

TEST_F(PerspectivesTest, removeOnlyEntry_leavesAnEmptyFile)
{
    auto &model = makeModel();
    model.insertPerspective(kaizen());
    model.removePerspective(PerspectiveID::kaizen);
    EXPECT_TRUE(model.perspectiveEntries().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(perspectivesPath()));
    EXPECT_EQ(perspectivesFile(), QString());
}

TEST_F(PerspectivesTest, addToToday_fromPastDay_savesPastNoteAndAppendsToTodaysList)
{
    auto &model = makeModel();
    model.insertPerspective(ikigai()); // today's existing list
    model.showDay(pastDay());
    const QString pastNote = notePath();
    model.noteChanged(u"Written in the past"_s);
    model.setSelection(app::AppSection::perspectives);

    model.addPerspectiveToToday(kaizen());

    EXPECT_EQ(readFile(pastNote), "Written in the past");
    EXPECT_EQ(model.store().calendar().dayOf(model.selectedDate()),
              model.store().calendar().dayOf(QDateTime::currentDateTime()));
    ASSERT_EQ(model.perspectiveEntries().size(), 2);
    EXPECT_EQ(model.perspectiveEntries().at(0).perspectiveID, PerspectiveID::ikigai);
    EXPECT_EQ(model.perspectiveEntries().at(1).perspectiveID, PerspectiveID::kaizen);
    EXPECT_EQ(model.selection(), app::AppSection::today);
    EXPECT_EQ(core::PerspectiveMarkdown::entries(perspectivesFile()), model.perspectiveEntries());
}

TEST_F(PerspectivesTest, addToToday_onToday_doesNotReloadTheNote)
{
    auto &model = makeModel();
    model.noteChanged(u"typed"_s);
    ASSERT_TRUE(waitUntil([&] { return !model.hasPendingSave(); }));
    // Changed behind the model's back; a reload would show it.
    ASSERT_TRUE(writeFile(notePath(), "other editor"));
    model.addPerspectiveToToday(kaizen());
    EXPECT_EQ(model.noteText(), u"typed"_s);
    EXPECT_EQ(model.perspectiveEntries().size(), 1);
}

TEST_F(PerspectivesTest, failedWrite_setsErrorAndKeepsTheChange)
{
    auto &model = makeModel();
    ASSERT_TRUE(writeFile(notesRoot + u"/Perspectives"_s, "not a folder"));
    model.insertPerspective(kaizen());
    EXPECT_TRUE(model.errorMessage().has_value());
    EXPECT_EQ(model.perspectiveEntries().size(), 1);
}

TEST_F(PerspectivesTest, unreadableFile_isNeverReplaced)
{
    auto &model = makeModel();
    const QByteArray broken("<!-- vesk-perspective: kaizen -->\n## K \xff\n");
    ASSERT_TRUE(writeFile(perspectivesPath(), broken));
    model.insertPerspective(kaizen());
    EXPECT_TRUE(model.errorMessage().has_value());
    EXPECT_EQ(readFile(perspectivesPath()), broken);
}

TEST_F(PerspectivesTest, unreadableNote_stillShowsAndKeepsTheDaysAnswers)
{
    auto &model = makeModel();
    const core::DailyPerspectiveEntry answered{PerspectiveID::kaizen, kaizen().name,
                                               kaizen().localizedTitle(),
                                               kaizen().localizedJournalPrompt(), u"Walk"_s};
    ASSERT_TRUE(
        writeFile(perspectivesPath(), core::PerspectiveMarkdown::document({answered}).toUtf8()));
    ASSERT_TRUE(writeFile(notePath(), "broken \xff note"));
    model.loadNote();
    ASSERT_TRUE(model.errorMessage().has_value());
    EXPECT_EQ(model.perspectiveEntries(), QList<core::DailyPerspectiveEntry>{answered});

    model.insertPerspective(ikigai());
    const auto written = core::PerspectiveMarkdown::entries(perspectivesFile());
    ASSERT_EQ(written.size(), 2);
    EXPECT_EQ(written.first(), answered);
}

TEST_F(PerspectivesTest, movingToADayWithUnreadableNote_dropsThePreviousDaysAnswers)
{
    auto &model = makeModel();
    model.insertPerspective(kaizen());
    ASSERT_EQ(model.perspectiveEntries().size(), 1);
    const QDateTime other = pastDay();
    ASSERT_TRUE(writeFile(model.store().noteURL(other), "\xfe\xff"));
    model.showDay(other);
    EXPECT_TRUE(model.perspectiveEntries().isEmpty());
    model.insertPerspective(ikigai());
    EXPECT_EQ(core::PerspectiveMarkdown::entries(perspectivesFile()).size(), 1);
}

} // namespace
