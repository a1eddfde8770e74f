// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Text typed while its note cannot be written: it waits in the recovery store, survives a
// kill, and reaches its note or a preserved copy once the folder can be written again.
#include "support/model_fixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::testing;

namespace {

enum class Failure { folderInTheWay, vanishedFolder };
enum class Path { leaveDay, chooseFolder, sameDay, shutdown };

class RecoveryTest : public ModelTest,
                     public ::testing::WithParamInterface<std::tuple<Failure, Path>> {
protected:
    /// A model on a folder the user chose (so a vanished one is never made anew).
    app::AppModel &makeModelOnChosenFolder()
    {
        environment.remove(u"VESK_UI_TEST_ROOT"_s);
        settings->setValue(u"notesRoot"_s, notesRoot);
        EXPECT_TRUE(QDir().mkpath(notesRoot));
        return makeModel();
    }

    void breakFolder(Failure failure)
    {
        if (failure == Failure::folderInTheWay)
            ASSERT_TRUE(writeFile(notesRoot + u"/Journal"_s, "a file in the way"));
        else
            ASSERT_TRUE(QDir(notesRoot).removeRecursively());
    }

    void mendFolder(Failure failure)
    {
        if (failure == Failure::folderInTheWay)
            ASSERT_TRUE(QFile::remove(notesRoot + u"/Journal"_s));
        else
            ASSERT_TRUE(QDir().mkpath(notesRoot));
    }

    /// The texts of the note file and the preserved copies beside it, on disk.
    QStringList besideTheNote(const QString &note) const
    {
        QStringList texts{QString::fromUtf8(readFile(note))};
        const QFileInfo info(note);
        const auto names = info.absoluteDir().entryList({info.completeBaseName() + u".local-*"_s});
        for (const QString &name : names)
            texts << QString::fromUtf8(readFile(info.absoluteDir().filePath(name)));
        return texts;
    }
};

TEST_P(RecoveryTest, failedSaveThenAnyWayOut_keepsTheTextUntilItsFolderWorks)
{
    const auto [failure, way] = GetParam();
    auto &model = makeModelOnChosenFolder();
    const QString note = notePath();
    const QString typed = u"words that must not be lost\n"_s;
    breakFolder(failure);
    model.noteChanged(u"words"_s);
    model.flushNote(); // fails: "words" waits in the recovery store, then more is typed
    model.noteChanged(typed);

    switch (way) {
    case Path::leaveDay:
        model.showDay(QDateTime::currentDateTime().addDays(-1));
        EXPECT_EQ(model.noteText(), QString());
        break;
    case Path::chooseFolder:
        chooser.answer = path(u"other"_s);
        ASSERT_TRUE(QDir().mkpath(*chooser.answer));
        model.chooseRoot();
        EXPECT_EQ(model.rootURL(), *chooser.answer);
        break;
    case Path::sameDay:
        model.goToToday();
        EXPECT_EQ(model.noteText(), typed) << "the file's old text replaced the typed one";
        break;
    case Path::shutdown:
        model.flushNoteForShutdown();
        break;
    }
    EXPECT_EQ(recoveredTexts(), QStringList{typed});
    EXPECT_EQ(QFileInfo(model.recoveryFolder()).permissions().toInt() & 0x0077, 0)
        << "readable by others";
    ASSERT_TRUE(model.errorMessage().has_value());
    EXPECT_TRUE(model.errorMessage()->contains(model.recoveryFolder()))
        << "the user is not told where the text is: " << model.errorMessage()->toStdString();
    if (failure == Failure::vanishedFolder && way != Path::chooseFolder) {
        EXPECT_FALSE(QFileInfo::exists(notesRoot)) << "the vanished folder was made anew";
    }

    // The next start after the folder works again puts the text beside its note.
    this->model.reset();
    mendFolder(failure);
    if (way == Path::chooseFolder)
        settings->setValue(u"notesRoot"_s, notesRoot);
    auto &restarted = makeModel();
    EXPECT_TRUE(besideTheNote(note).contains(typed));
    EXPECT_TRUE(recoveredTexts().isEmpty());
    EXPECT_TRUE(restarted.errorMessage().has_value());
}

INSTANTIATE_TEST_SUITE_P(EachFailureAndWayOut, RecoveryTest,
                         ::testing::Combine(::testing::Values(Failure::folderInTheWay,
                                                              Failure::vanishedFolder),
                                            ::testing::Values(Path::leaveDay, Path::chooseFolder,
                                                              Path::sameDay, Path::shutdown)));

TEST_F(RecoveryTest, vanishedFolderComingBack_getsTheTextWithoutAKeystroke)
{
    saveDelayMs = 20;
    watchIntervalMs = 20;
    auto &model = makeModelOnChosenFolder();
    breakFolder(Failure::vanishedFolder);
    model.noteChanged(u"typed while unplugged"_s);
    ASSERT_TRUE(waitUntil([&] { return !recoveredTexts().isEmpty(); }));
    EXPECT_FALSE(QFileInfo::exists(notesRoot));

    mendFolder(Failure::vanishedFolder);
    ASSERT_TRUE(waitUntil([&] { return noteFile() == u"typed while unplugged"_s; }));
    EXPECT_TRUE(waitUntil([&] { return recoveredTexts().isEmpty(); }));
}

// Child: types into the model without ever pausing long enough for a save, until killed.
TEST_F(RecoveryTest, DISABLED_childTypesUntilKilled)
{
    environment.insert(u"VESK_UI_TEST_ROOT"_s, qEnvironmentVariable("WRENFOLD_CHILD_ROOT"));
    environment.insert(u"XDG_STATE_HOME"_s, qEnvironmentVariable("WRENFOLD_CHILD_STATE"));
    auto &model = makeModel();
    QString text;
    for (int keystroke = 1;; ++keystroke) {
        text += u"w%1 "_s.arg(keystroke);
        model.noteChanged(text);
        std::printf("typed %d\n", keystroke);
        std::fflush(stdout);
        const QDeadlineTimer nextKey(5);
        while (!nextKey.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

TEST_F(RecoveryTest, killedWhileTyping_leavesTheTextInRecovery)
{
    QProcessEnvironment childEnvironment = QProcessEnvironment::systemEnvironment();
    childEnvironment.insert(u"WRENFOLD_CHILD_ROOT"_s, notesRoot);
    childEnvironment.insert(u"WRENFOLD_CHILD_STATE"_s, environment.value(u"XDG_STATE_HOME"_s));
    QProcess child;
    child.setProcessEnvironment(childEnvironment);
    child.start(QCoreApplication::applicationFilePath(),
                {u"--gtest_also_run_disabled_tests"_s,
                 u"--gtest_filter=RecoveryTest.DISABLED_childTypesUntilKilled"_s});
    ASSERT_TRUE(child.waitForStarted(30000));
    // Well past the save pause, during which the note itself is never written.
    int typed = 0;
    while (typed < 300) {
        ASSERT_TRUE(child.waitForReadyRead(30000)) << "the child stopped typing";
        while (child.canReadLine())
            typed = child.readLine().mid(6).trimmed().toInt();
    }
    child.kill();
    ASSERT_TRUE(child.waitForFinished(30000));

    EXPECT_FALSE(QFileInfo::exists(todayNotePath())) << "typing paused long enough to save";
    const QStringList recovered = recoveredTexts();
    ASSERT_EQ(recovered.size(), 1);
    const auto words = recovered.first().split(u' ', Qt::SkipEmptyParts);
    ASSERT_FALSE(words.isEmpty());
    // Whole keystrokes in order, up to one typed before the kill.
    for (int i = 0; i < words.size(); ++i)
        ASSERT_EQ(words[i], u"w%1"_s.arg(i + 1));
    EXPECT_LE(words.size(), typed + 1);

    // Meanwhile another program wrote the day's note: the text goes beside it.
    ASSERT_TRUE(writeFile(todayNotePath(), "written elsewhere"));
    auto &model = makeModel();
    EXPECT_EQ(model.noteText(), u"written elsewhere"_s);
    EXPECT_TRUE(preservedTexts().contains(recovered.first()));
    EXPECT_TRUE(recoveredTexts().isEmpty());
}

} // namespace
