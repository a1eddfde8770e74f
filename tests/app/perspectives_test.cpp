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

TEST_F(PerspectivesTest, insertEditAndRemove_writeTheWholeList)
{
    auto &model = makeModel();
    model.updatePerspectiveResponse(u"text"_s, PerspectiveID::kinhin); // not in the list
    EXPECT_FALSE(QFileInfo::exists(perspectivesPath()));
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

    model.insertPerspective(ikigai());
    model.updatePerspectiveResponse(u"  first "_s, PerspectiveID::ikigai);
    EXPECT_EQ(perspectivesFile(), core::PerspectiveMarkdown::document(model.perspectiveEntries()));
    model.updatePerspectiveResponse(u"first\n\nsecond"_s, PerspectiveID::ikigai);
    EXPECT_EQ(model.perspectiveEntries().at(1).response, u"first\n\nsecond"_s);
    const auto read = core::PerspectiveMarkdown::entries(perspectivesFile());
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read.at(1).response, u"first\n\nsecond"_s);
    EXPECT_EQ(read.at(0).perspectiveID, PerspectiveID::kaizen);

    // Removing the last one leaves an empty file, not the old text.
    model.removePerspective(PerspectiveID::kaizen);
    model.removePerspective(PerspectiveID::ikigai);
    EXPECT_TRUE(model.perspectiveEntries().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(perspectivesPath()));
    EXPECT_EQ(perspectivesFile(), QString());
}

TEST_F(PerspectivesTest, addToToday_savesAPastDaysNoteAndAppendsToTodaysList_noReload)
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

    // Already on today: the note is not read again (a reload would show the other editor's).
    model.noteChanged(u"typed"_s);
    ASSERT_TRUE(waitUntil([&] { return !model.hasPendingSave(); }));
    ASSERT_TRUE(writeFile(notePath(), "other editor"));
    model.addPerspectiveToToday(core::perspective(PerspectiveID::kinhin));
    EXPECT_EQ(model.noteText(), u"typed"_s);
    EXPECT_EQ(model.perspectiveEntries().size(), 3);
}

TEST_F(PerspectivesTest, unwritableOrUnreadableFile_isReportedAndNeverReplaced)
{
    const QByteArray broken("<!-- vesk-perspective: kaizen -->\n## K \xff\n");
    for (const bool unreadable : {false, true}) {
        auto &model = makeModel();
        ASSERT_TRUE(unreadable ? writeFile(perspectivesPath(), broken)
                               : writeFile(notesRoot + u"/Perspectives"_s, "not a folder"));
        model.insertPerspective(kaizen());
        EXPECT_TRUE(model.errorMessage().has_value());
        EXPECT_EQ(model.perspectiveEntries().size(), unreadable ? 0 : 1);
        if (unreadable) {
            EXPECT_EQ(readFile(perspectivesPath()), broken);
        } else {
            ASSERT_TRUE(QFile::remove(notesRoot + u"/Perspectives"_s));
        }
    }
}

// A day whose note cannot be read still shows its own answers, never the day before's.
TEST_F(PerspectivesTest, unreadableNote_showsAndKeepsOnlyItsOwnDaysAnswers)
{
    auto &model = makeModel();
    model.insertPerspective(core::perspective(PerspectiveID::kinhin)); // today's
    const QDateTime other = pastDay();
    const core::DailyPerspectiveEntry answered{PerspectiveID::kaizen, kaizen().name,
                                               kaizen().localizedTitle(),
                                               kaizen().localizedJournalPrompt(), u"Walk"_s};
    ASSERT_TRUE(writeFile(model.store().perspectivesURL(other),
                          core::PerspectiveMarkdown::document({answered}).toUtf8()));
    ASSERT_TRUE(writeFile(model.store().noteURL(other), "broken \xff note"));
    model.showDay(other);
    ASSERT_TRUE(model.errorMessage().has_value());
    EXPECT_EQ(model.perspectiveEntries(), QList<core::DailyPerspectiveEntry>{answered});

    model.insertPerspective(ikigai());
    const auto written = core::PerspectiveMarkdown::entries(perspectivesFile());
    ASSERT_EQ(written.size(), 2);
    EXPECT_EQ(written.first(), answered);
}

// Another editor changes the day's perspectives file while the user answers in the app.
TEST_F(PerspectivesTest, outsideEdit_nextAnswerBuildsOnTheirFileOrKeepsItBeside)
{
    const QString kinhin =
        core::PerspectiveMarkdown::document({{PerspectiveID::kinhin, u"Kinhin"_s, u"Walk"_s,
                                              u"Where did I walk?"_s, u"to the lake"_s}});
    // 0: adds a block (taken over); 1: edits our answer, 2: adds text outside (copied beside).
    for (int edit = 0; edit < 3; ++edit) {
        SCOPED_TRACE(edit);
        model.reset();
        ASSERT_TRUE(QDir(notesRoot).removeRecursively());
        auto &model = makeModel();
        model.insertPerspective(kaizen());
        model.insertPerspective(ikigai());
        model.updatePerspectiveResponse(u"old kaizen"_s, PerspectiveID::kaizen);
        QString theirs = perspectivesFile();
        theirs = edit == 0   ? theirs + u"\n"_s + kinhin
                 : edit == 1 ? theirs.replace(u"old kaizen"_s, u"their kaizen"_s)
                             : theirs + u"\nA note of mine.\n"_s;
        ASSERT_TRUE(writeFile(perspectivesPath(), theirs.toUtf8()));

        model.updatePerspectiveResponse(u"my kaizen"_s, PerspectiveID::kaizen);
        model.updatePerspectiveResponse(u"my ikigai"_s, PerspectiveID::ikigai);

        // Everything the other editor wrote is in the file or in a copy beside it.
        const QString file = perspectivesFile();
        const QDir folder = QFileInfo(perspectivesPath()).absoluteDir();
        const QStringList copies = folder.entryList({u"*.local-*.md"_s});
        ASSERT_EQ(copies.size(), edit > 0 ? 1 : 0);
        if (edit > 0) {
            EXPECT_EQ(readFile(folder.filePath(copies.first())), theirs.toUtf8());
        }
        for (const auto &entry : core::PerspectiveMarkdown::entries(theirs)) {
            if (entry.perspectiveID != PerspectiveID::kaizen) {
                EXPECT_TRUE(file.contains(entry.response)) << entry.response.toStdString();
            }
        }
        const auto read = core::PerspectiveMarkdown::entries(file);
        EXPECT_TRUE(std::any_of(read.begin(), read.end(), [](const auto &entry) {
            return entry.response == u"my ikigai"_s;
        }));
        EXPECT_EQ(read, model.perspectiveEntries());
    }
}

} // namespace
