// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/model_fixture.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::testing;

namespace {

using NoteEditingTest = ModelTest;

QDateTime daysAgo(int days)
{
    return QDateTime::currentDateTime().addDays(-days);
}

TEST_F(NoteEditingTest, burstsOfKeystrokes_writeOnceEachWithTheLastText)
{
    auto &model = makeModel();
    for (const QString &text : {u"H"_s, u"He"_s, u"Hey"_s}) {
        model.noteChanged(text);
        QCoreApplication::processEvents();
        ASSERT_FALSE(QFileInfo::exists(notePath())) << "written per keystroke";
    }
    ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(notePath()); }));
    EXPECT_EQ(noteFile(), u"Hey"_s);
    EXPECT_FALSE(model.hasPendingSave()) << "a second write is still on its way";
    EXPECT_EQ(model.noteDates(), QList<QDate>{calendar.dayOf(QDateTime::currentDateTime())});

    const ino_t firstWrite = inodeOf(notePath());
    model.noteChanged(u"Hey, you"_s);
    ASSERT_TRUE(waitUntil([&] { return !model.hasPendingSave(); }));
    EXPECT_NE(inodeOf(notePath()), firstWrite);
    EXPECT_EQ(noteFile(), u"Hey, you"_s);
    EXPECT_FALSE(model.noteConflict()) << "the model took its own write for a foreign one";
}

TEST_F(NoteEditingTest, browsingWritesNothing_typedTextGoesToItsDayOnLeavingOrClosing)
{
    auto &model = makeModel();
    model.showDay(daysAgo(3));
    model.showDay(daysAgo(2));
    model.goToToday();
    model.flushNote();
    EXPECT_FALSE(QFileInfo::exists(model.rootURL())) << "browsing created files";
    EXPECT_TRUE(model.noteDates().isEmpty());
    EXPECT_FALSE(model.errorMessage());

    const QString todayPath = notePath();
    model.noteChanged(u"written today"_s);
    model.showDay(daysAgo(1));
    EXPECT_EQ(readFile(todayPath), "written today");
    EXPECT_FALSE(model.hasPendingSave()) << "the cancelled save could still write";
    EXPECT_FALSE(QFileInfo::exists(notePath())) << "yesterday got a file";
    EXPECT_EQ(model.noteText(), QString());

    const QString yesterdayPath = notePath();
    model.noteChanged(u"last words"_s);
    this->model.reset();
    EXPECT_EQ(readFile(yesterdayPath), "last words");
}

TEST_F(NoteEditingTest, assigningDayAlone_keepsTextWithTheDayItBelongsTo)
{
    auto &model = makeModel();
    const QString todayPath = notePath();
    const QString otherPath = model.store().noteURL(daysAgo(4));
    ASSERT_TRUE(writeFile(otherPath, "other day"));
    model.setSelectedDate(daysAgo(4));
    model.noteChanged(u"typed"_s);
    model.flushNote();
    EXPECT_EQ(readFile(todayPath), "typed");
    EXPECT_EQ(readFile(otherPath), "other day");
    model.loadNote();
    EXPECT_EQ(model.noteText(), u"other day"_s);
}

TEST_F(NoteEditingTest, existingNote_flushedAsIsOrEmptied_isWrittenAgain)
{
    const QString today = todayNotePath();
    ASSERT_TRUE(writeFile(today, "kept"));
    auto &model = makeModel();
    const ino_t before = inodeOf(today);
    model.flushNote();
    EXPECT_NE(inodeOf(today), before);
    EXPECT_EQ(readFile(today), "kept");

    model.noteChanged(QString());
    model.flushNote();
    EXPECT_TRUE(QFileInfo::exists(today));
    EXPECT_EQ(readFile(today), QByteArray(""));
    EXPECT_FALSE(model.errorMessage());
}

TEST_F(NoteEditingTest, saveFailure_isReportedAndNextEditRetries)
{
    auto &model = makeModel();
    // A plain file where the journal folder belongs makes every note save fail.
    ASSERT_TRUE(writeFile(notesRoot + u"/Journal"_s, "in the way"));
    model.noteChanged(u"words"_s);
    ASSERT_TRUE(waitUntil([&] { return model.errorMessage().has_value(); }));
    EXPECT_FALSE(model.hasPendingSave());
    model.openCurrentNoteExternally();
    EXPECT_TRUE(model.errorMessage()->endsWith(u"The journal file could not be created."_s));
    EXPECT_TRUE(workspace.openedFiles.isEmpty());

    model.setErrorMessage(std::nullopt);
    ASSERT_TRUE(QFile::remove(notesRoot + u"/Journal"_s));
    model.noteChanged(u"words again"_s);
    ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(notePath()); }));
    EXPECT_EQ(noteFile(), u"words again"_s);
    EXPECT_FALSE(model.errorMessage());
}

TEST_F(NoteEditingTest, leavingDayAfterFailedSave_keepsTextAsPreservedCopy)
{
    auto &model = makeModel();
    const QString todayPath = notePath();
    // A folder at the note's own path: the note cannot be written, its folder can.
    ASSERT_TRUE(QDir().mkpath(todayPath));
    model.noteChanged(u"must survive"_s);
    model.showDay(daysAgo(1));

    EXPECT_TRUE(model.errorMessage().has_value());
    EXPECT_EQ(model.noteText(), QString());
    ASSERT_EQ(model.preservedCopies().size(), 1);
    EXPECT_EQ(readFile(model.preservedCopies().first()), "must survive");
    EXPECT_EQ(QFileInfo(model.preservedCopies().first()).absolutePath(),
              QFileInfo(todayPath).absolutePath());
}

TEST_F(NoteEditingTest, openExternally_createsTheDaysFileWithPendingTextThenOpensIt)
{
    auto &model = makeModel();
    model.openCurrentNoteExternally();
    EXPECT_EQ(workspace.openedFiles, QStringList{notePath()});
    EXPECT_TRUE(QFileInfo(notePath()).isFile());
    EXPECT_FALSE(model.errorMessage());

    model.noteChanged(u"typed"_s);
    model.openCurrentNoteExternally();
    EXPECT_EQ(noteFile(), u"typed"_s);
    EXPECT_EQ(workspace.openedFiles.size(), 2);
}

TEST_F(NoteEditingTest, invalidUtf8Day_isShownEmptyAndNeverOverwritten)
{
    auto &model = makeModel();
    model.noteChanged(u"today"_s);
    const QString pastPath = model.store().noteURL(daysAgo(2));
    const QByteArray latin1("caf\xe9 au lait");
    ASSERT_TRUE(writeFile(pastPath, latin1));

    model.showDay(daysAgo(2));
    EXPECT_TRUE(model.errorMessage().has_value());
    EXPECT_EQ(model.noteText(), QString()) << "another day's text shown under this day";

    model.setErrorMessage(std::nullopt);
    model.showDay(QDateTime::currentDateTime()); // browsing away writes nothing
    EXPECT_EQ(readFile(pastPath), latin1);
    EXPECT_EQ(model.noteText(), u"today"_s);
}

TEST_F(NoteEditingTest, anotherProgramSavingAsTheNoteIsReplaced_keepsBothTexts)
{
    auto &model = makeModel();
    model.noteChanged(u"first"_s);
    model.flushNote();
    const QString file = notePath();
    // Another editor saves in the moment between the model's last look and the replace.
    const auto saveByAnotherEditor = [&](const QString &target) {
        if (target == file) {
            ASSERT_TRUE(writeFile(file, "from another editor"));
        }
    };
    core::setFileWriteSeams({saveByAnotherEditor, false});
    model.noteChanged(u"first, then mine"_s);
    model.flushNote();
    core::setFileWriteSeams({});

    EXPECT_EQ(noteFile(), u"first, then mine"_s);
    EXPECT_EQ(preservedTexts(), QStringList{u"from another editor"_s});
    EXPECT_EQ(model.preservedCopies().size(), 1);
    EXPECT_TRUE(model.errorMessage().has_value());
}

} // namespace
