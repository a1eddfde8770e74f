// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/model_fixture.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::testing;

namespace {

constexpr int tickWaitMs = 5000; // several watch ticks

class ExternalEditsTest : public ModelTest {
protected:
    /// A model showing today with `text` already in the file.
    app::AppModel &modelWithNote(const QByteArray &text)
    {
        EXPECT_TRUE(writeFile(todayNotePath(), text));
        return makeModel();
    }

    bool waitForConflict()
    {
        return waitUntil([&] { return model->noteConflict().has_value(); }, tickWaitMs);
    }
};

using Edit = bool (*)(const QString &, const QByteArray &);

bool recreate(const QString &path, const QByteArray &bytes)
{
    return QFile::remove(path) && writeFile(path, bytes);
}

struct EditRow {
    const char *name;
    Edit edit;
    QByteArray before;
    QByteArray after;
};

class ForeignEditTest : public ExternalEditsTest, public ::testing::WithParamInterface<EditRow> {};

TEST_P(ForeignEditTest, noUnsavedText_isTakenOverSilently)
{
    const EditRow &row = GetParam();
    auto &model = modelWithNote(row.before);
    ASSERT_TRUE(row.edit(notePath(), row.after));
    ASSERT_TRUE(waitUntil([&] { return model.noteText().toUtf8() == row.after; }, tickWaitMs));
    EXPECT_FALSE(model.noteConflict());
    EXPECT_EQ(readFile(notePath()), row.after);
    // Typing on top of the taken-over text is saved without a conflict.
    model.noteChanged(model.noteText() + u"!"_s);
    ASSERT_TRUE(waitUntil([&] { return !model.hasPendingSave(); }));
    EXPECT_EQ(readFile(notePath()), row.after + "!");
    EXPECT_FALSE(model.noteConflict());
}

TEST_P(ForeignEditTest, unsavedText_raisesConflictAndWritesNothing)
{
    const EditRow &row = GetParam();
    auto &model = modelWithNote(row.before);
    model.noteChanged(u"mine"_s);
    ASSERT_TRUE(row.edit(notePath(), row.after));

    ASSERT_TRUE(waitForConflict());
    EXPECT_EQ(model.noteConflict()->local, u"mine"_s);
    EXPECT_EQ(model.noteConflict()->external.toUtf8(), row.after);
    EXPECT_FALSE(model.hasPendingSave());
    EXPECT_EQ(readFile(notePath()), row.after) << "the other application's text was lost";
    EXPECT_EQ(model.noteText(), u"mine"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Editors, ForeignEditTest,
    ::testing::Values(
        EditRow{"truncateAndRewrite", truncateAndRewrite, "sed before\n", "sed after!\n"},
        EditRow{"sameSizeRewrite", truncateAndRewrite, "abcd", "wxyz"},
        EditRow{"writeAndRenameOver", writeAndRenameOver, "vim before\n", "vim after\n"},
        EditRow{"deleteAndRecreate", recreate, "old\n", "brand new\n"},
        EditRow{"emptied", truncateAndRewrite, "gone soon\n", ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ExternalEditsTest, takeOverWhileSaveWaits_cancelsThatSave)
{
    saveDelayMs = 60'000; // the watch step surely comes first
    watchIntervalMs = 20;
    auto &model = modelWithNote("base");
    model.noteChanged(u"base!"_s);
    model.noteChanged(u"base"_s); // typed and taken back: nothing unsaved, a save waits
    ASSERT_TRUE(writeAndRenameOver(notePath(), "theirs"));
    ASSERT_TRUE(waitUntil([&] { return model.noteText() == u"theirs"_s; }, tickWaitMs));
    EXPECT_FALSE(model.hasPendingSave());
    model.loadNote(); // would send a waiting save out
    EXPECT_EQ(noteFile(), u"theirs"_s);
}

TEST_F(ExternalEditsTest, foreignWriteOfTheEditorsText_countsAsSavedWithoutConflict)
{
    auto &model = modelWithNote("before");
    model.noteChanged(u"same words"_s);
    ASSERT_TRUE(writeAndRenameOver(notePath(), "same words"));
    const ino_t before = inodeOf(notePath());

    model.flushNote();

    EXPECT_FALSE(model.noteConflict());
    EXPECT_EQ(inodeOf(notePath()), before) << "rewrote a file that already held the text";
    model.noteChanged(u"same words, more"_s);
    model.flushNote();
    EXPECT_FALSE(model.noteConflict());
    EXPECT_EQ(noteFile(), u"same words, more"_s);

    // With no conflict waiting, the answers to one do nothing.
    QSignalSpy any(&model, &app::AppModel::modelChanged);
    model.resolveConflictUsingExternal();
    model.resolveConflictKeepingLocal();
    model.resolveConflictKeepingBoth();
    EXPECT_EQ(any.count(), 0);
    EXPECT_EQ(noteFile(), u"same words, more"_s);
    EXPECT_TRUE(preservedTexts().isEmpty());
}

TEST_F(ExternalEditsTest, deletedFile_staysDeletedUntilTheEditorSaves)
{
    auto &model = modelWithNote("text");
    ASSERT_TRUE(QFile::remove(notePath()));
    // Several ticks pass; the model neither recreates the file nor changes the editor.
    QSignalSpy text(&model, &app::AppModel::noteTextChanged);
    EXPECT_FALSE(waitUntil([&] { return QFileInfo::exists(notePath()); }, 2500));
    EXPECT_EQ(text.count(), 0);
    model.noteChanged(u"text, continued"_s);
    model.flushNote();
    EXPECT_EQ(noteFile(), u"text, continued"_s);
}

TEST_F(ExternalEditsTest, waitingConflict_staysUntilTheFileChangesAgain)
{
    auto &model = modelWithNote("base");
    model.noteChanged(u"mine"_s);
    ASSERT_TRUE(truncateAndRewrite(notePath(), "theirs 1"));
    ASSERT_TRUE(waitForConflict());
    const QUuid first = model.noteConflict()->id;
    EXPECT_FALSE(waitUntil([&] { return model.noteConflict()->id != first; }, 2500));

    ASSERT_TRUE(writeAndRenameOver(notePath(), "theirs 2"));
    ASSERT_TRUE(waitUntil([&] { return model.noteConflict()->id != first; }, tickWaitMs));
    EXPECT_EQ(model.noteConflict()->external, u"theirs 2"_s);
    EXPECT_EQ(model.noteConflict()->local, u"mine"_s);
}

TEST_F(ExternalEditsTest, sameSizeWriteRightAfterOwnSave_isStillNoticed)
{
    auto &model = modelWithNote("");
    model.noteChanged(u"abcd"_s);
    model.flushNote();
    // Same inode, same size, most likely the same file-time tick as the model's write.
    ASSERT_TRUE(truncateAndRewrite(notePath(), "wxyz"));
    ASSERT_TRUE(waitUntil([&] { return model.noteText() == u"wxyz"_s; }, tickWaitMs));
    EXPECT_FALSE(model.noteConflict());
}

class ConflictTest : public ExternalEditsTest {
protected:
    void SetUp() override
    {
        ExternalEditsTest::SetUp();
        modelWithNote("base\n");
        model->noteChanged(u"mine\n"_s);
        ASSERT_TRUE(writeAndRenameOver(notePath(), "theirs\n"));
        ASSERT_TRUE(waitForConflict());
    }

    /// Where a copy kept `seconds` after `utc` goes: beside the note, named by UTC second.
    QString copyPath(const QDateTime &utc, int seconds) const
    {
        const QFileInfo note(notePath());
        return note.absolutePath() + u'/' + note.completeBaseName() + u".local-"_s +
               utc.addSecs(seconds).toString(u"yyyy-MM-dd'T'HH-mm-ss"_s) + u".md"_s;
    }
};

TEST_F(ConflictTest, usingExternal_takesTheFilesNewestTextAndLeavesFile)
{
    ASSERT_TRUE(truncateAndRewrite(notePath(), "theirs, newer\n")); // before the next look
    const ino_t before = inodeOf(notePath());
    model->resolveConflictUsingExternal();
    EXPECT_EQ(inodeOf(notePath()), before);
    EXPECT_EQ(model->noteText(), u"theirs, newer\n"_s);
    EXPECT_FALSE(model->noteConflict());
    EXPECT_FALSE(model->hasPendingSave());
    model->flushNote();
    EXPECT_FALSE(model->noteConflict()) << "bookkeeping not consistent with the file";
}

TEST_F(ConflictTest, keepingLocal_raisesANewConflictAfterAnotherWrite_elseWritesEditorText)
{
    const QUuid first = model->noteConflict()->id;
    ASSERT_TRUE(truncateAndRewrite(notePath(), "theirs, newer\n"));
    model->resolveConflictKeepingLocal();
    ASSERT_TRUE(model->noteConflict());
    EXPECT_NE(model->noteConflict()->id, first);
    EXPECT_EQ(model->noteConflict()->external, u"theirs, newer\n"_s);
    EXPECT_EQ(noteFile(), u"theirs, newer\n"_s);

    model->resolveConflictKeepingLocal();
    EXPECT_EQ(noteFile(), u"mine\n"_s);
    EXPECT_FALSE(model->noteConflict());
    EXPECT_TRUE(preservedTexts().isEmpty());
}

TEST_F(ConflictTest, keepingBoth_writesPreservedCopyNamedByUtcSecond)
{
    const QDateTime before = QDateTime::currentDateTimeUtc();
    model->resolveConflictKeepingBoth();

    EXPECT_EQ(noteFile(), u"theirs\n"_s);
    EXPECT_EQ(model->noteText(), u"theirs\n"_s);
    EXPECT_FALSE(model->noteConflict());
    EXPECT_EQ(model->errorMessage(),
              u"Both versions were kept. The preserved copy is listed in Journal."_s);
    ASSERT_EQ(model->preservedCopies().size(), 1);
    const QString copy = model->preservedCopies().first();
    const QStringList names{copyPath(before, 0), copyPath(before, 1), copyPath(before, 2)};
    EXPECT_TRUE(names.contains(copy)) << copy.toStdString();
    EXPECT_EQ(readFile(copy), "mine\n");
}

TEST_F(ConflictTest, keepingBoth_sameSecondAsEarlierCopy_addsCounter)
{
    // Earlier copies for this second and the next two: the new one must not replace any.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QStringList earlier;
    for (int second = 0; second < 3; ++second) {
        earlier << copyPath(now, second);
        ASSERT_TRUE(writeFile(earlier.last(), "earlier " + QByteArray::number(second)));
    }
    model->resolveConflictKeepingBoth();
    for (int second = 0; second < 3; ++second)
        EXPECT_EQ(readFile(earlier[second]), "earlier " + QByteArray::number(second));
    EXPECT_EQ(preservedTexts().size(), 4);
    EXPECT_TRUE(preservedTexts().contains(u"mine\n"_s));
    const auto newest =
        std::find_if(model->preservedCopies().begin(), model->preservedCopies().end(),
                     [&](const QString &path) { return !earlier.contains(path); });
    ASSERT_NE(newest, model->preservedCopies().end());
    EXPECT_TRUE(newest->endsWith(u"-2.md"_s)) << newest->toStdString();
}

class ShutdownTest : public ExternalEditsTest, public ::testing::WithParamInterface<int> {};

// 0: nobody else wrote; 1: another editor wrote; 2: and its conflict already waits.
TEST_P(ShutdownTest, savesOrKeepsBothWithoutAsking)
{
    const int other = GetParam();
    auto &model = modelWithNote("base");
    model.noteChanged(u"mine"_s);
    if (other > 0) {
        ASSERT_TRUE(writeAndRenameOver(notePath(), "theirs"));
    }
    if (other > 1) {
        ASSERT_TRUE(waitForConflict());
    }
    model.flushNoteForShutdown();
    EXPECT_FALSE(model.noteConflict());
    EXPECT_EQ(noteFile(), other ? u"theirs"_s : u"mine"_s);
    EXPECT_EQ(model.noteText(), noteFile());
    EXPECT_EQ(preservedTexts(), other ? QStringList{u"mine"_s} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(OtherEditor, ShutdownTest, ::testing::Values(0, 1, 2));

TEST_F(ExternalEditsTest, leavingDayWithConflictWaiting_keepsBothForThatDay)
{
    auto &model = modelWithNote("base");
    const QString todayPath = notePath();
    model.noteChanged(u"mine"_s);
    ASSERT_TRUE(truncateAndRewrite(todayPath, "theirs"));
    ASSERT_TRUE(waitForConflict());
    model.showDay(QDateTime::currentDateTime().addDays(-1));
    EXPECT_FALSE(model.noteConflict());
    EXPECT_EQ(readFile(todayPath), "theirs");
    ASSERT_EQ(model.preservedCopies().size(), 1);
    EXPECT_EQ(readFile(model.preservedCopies().first()), "mine");
}

// A conflict left waiting on another day, its copy unwritable: nothing lands on the wrong day.
class ConflictOfLeftDayTest : public ExternalEditsTest {
protected:
    void SetUp() override
    {
        ExternalEditsTest::SetUp();
        modelWithNote("base");
        m_conflictFolder = QFileInfo(notePath()).absolutePath();
        const QDateTime shownDay = QDateTime::currentDateTime().addDays(-40); // another folder
        m_shownNote = model->store().noteURL(shownDay);

        // The user types, another editor rewrites the file: a conflict waits.
        model->noteChanged(u"mine"_s);
        ASSERT_TRUE(writeFile(notePath(), "theirs"));
        ASSERT_TRUE(waitForConflict());

        // No copy can be written beside the conflict's note any more, and the user moves on.
        ASSERT_TRUE(QDir(m_conflictFolder).removeRecursively());
        ASSERT_TRUE(writeFile(m_conflictFolder, "a file where the folder was"));
        model->showDay(shownDay);
        ASSERT_TRUE(model->noteConflict().has_value());
        model->setErrorMessage(std::nullopt);
    }

    void restoreConflictFolder() const
    {
        ASSERT_TRUE(QFile::remove(m_conflictFolder));
        ASSERT_TRUE(QDir().mkpath(m_conflictFolder));
    }

    QStringList copiedTexts() const
    {
        QStringList texts;
        for (const QString &copy : model->preservedCopies())
            texts << QString::fromUtf8(readFile(copy));
        return texts;
    }

    QString m_shownNote;
    QString m_conflictFolder;
};

TEST_F(ConflictOfLeftDayTest, keepingLocal_neverWritesTheDayShownNow)
{
    model->resolveConflictKeepingLocal();
    EXPECT_FALSE(QFileInfo::exists(m_shownNote));
    EXPECT_TRUE(model->noteConflict().has_value());
    EXPECT_TRUE(model->errorMessage().has_value());

    restoreConflictFolder();
    model->resolveConflictKeepingLocal();
    EXPECT_FALSE(model->noteConflict().has_value());
    EXPECT_FALSE(QFileInfo::exists(m_shownNote));
    EXPECT_EQ(copiedTexts(), QStringList{u"mine"_s});
    EXPECT_EQ(QFileInfo(model->preservedCopies().value(0)).absolutePath(), m_conflictFolder);
}

TEST_F(ConflictOfLeftDayTest, keepingBoth_waitsForItsFolderThenPutsTheCopyBesideItsNote)
{
    model->noteChanged(u"shown day"_s);
    model->resolveConflictKeepingBoth();
    EXPECT_TRUE(model->noteConflict().has_value());
    EXPECT_TRUE(model->errorMessage().has_value());
    EXPECT_TRUE(copiedTexts().isEmpty());

    restoreConflictFolder();
    model->resolveConflictKeepingBoth();
    EXPECT_FALSE(model->noteConflict().has_value());
    EXPECT_EQ(model->noteText(), u"shown day"_s);
    ASSERT_EQ(copiedTexts(), QStringList{u"mine"_s});
    EXPECT_EQ(QFileInfo(model->preservedCopies().first()).absolutePath(), m_conflictFolder);
}

TEST_F(ConflictOfLeftDayTest, usingExternal_dropsItWithoutTouchingTheEditor)
{
    model->noteChanged(u"shown day"_s);
    model->resolveConflictUsingExternal();
    EXPECT_FALSE(model->noteConflict().has_value());
    EXPECT_EQ(model->noteText(), u"shown day"_s);
    EXPECT_TRUE(model->hasPendingSave());
}

// Typing on the shown day saves there; a conflict there is kept both, not put in its place.
TEST_F(ConflictOfLeftDayTest, theShownDay_savesTypingAndKeepsBothOfItsOwnConflict)
{
    model->noteChanged(u"shown day"_s);
    ASSERT_TRUE(waitUntil([this] { return readFile(m_shownNote) == "shown day"; }));
    model->noteChanged(u"shown day, more"_s);
    model->flushNote();
    EXPECT_EQ(readFile(m_shownNote), "shown day, more");
    EXPECT_TRUE(copiedTexts().isEmpty());
    ASSERT_TRUE(model->noteConflict().has_value());
    EXPECT_EQ(model->noteConflict()->local, u"mine"_s);

    model->noteChanged(u"shown day, unsaved"_s);
    ASSERT_TRUE(writeFile(m_shownNote, "their shown day"));
    ASSERT_TRUE(waitUntil([this] { return model->noteText() == u"their shown day"_s; }));
    ASSERT_TRUE(model->noteConflict().has_value());
    EXPECT_EQ(model->noteConflict()->local, u"mine"_s);
    EXPECT_EQ(copiedTexts(), QStringList{u"shown day, unsaved"_s});
    EXPECT_EQ(readFile(m_shownNote), "their shown day");
}

} // namespace
