// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// A conflict that is still waiting when the editor moves to another day, and whose
// preserved copy could not be written then: nothing may land under the wrong day.
#include "support/model_fixture.h"

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::testing;

namespace {

class ConflictOfLeftDayTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        const core::MarkdownStore store(notesRoot, calendar);
        m_conflictDay = QDateTime::currentDateTime();
        m_shownDay = m_conflictDay.addDays(-40); // another month, so another folder
        m_conflictNote = store.noteURL(m_conflictDay);
        m_shownNote = store.noteURL(m_shownDay);
        ASSERT_TRUE(writeFile(m_conflictNote, "base"));
        makeModel();

        // The user types, another editor rewrites the file: a conflict waits.
        model->noteChanged(u"mine"_s);
        ASSERT_TRUE(writeFile(m_conflictNote, "theirs"));
        ASSERT_TRUE(waitUntil([this] { return model->noteConflict().has_value(); }));

        // No copy can be written beside the conflict's note any more, and the user moves on.
        m_conflictFolder = QFileInfo(m_conflictNote).absolutePath();
        ASSERT_TRUE(QDir(m_conflictFolder).removeRecursively());
        ASSERT_TRUE(writeFile(m_conflictFolder, "a file where the folder was"));
        model->showDay(m_shownDay);
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

    QDateTime m_conflictDay;
    QDateTime m_shownDay;
    QString m_conflictNote;
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

TEST_F(ConflictOfLeftDayTest, keepingBoth_putsTheCopyBesideTheConflictsOwnNote)
{
    restoreConflictFolder();
    model->noteChanged(u"shown day"_s);
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

TEST_F(ConflictOfLeftDayTest, typingOnTheShownDay_isSavedThereAndTheConflictStillWaits)
{
    model->noteChanged(u"shown day"_s);
    ASSERT_TRUE(waitUntil([this] { return readFile(m_shownNote) == "shown day"; }));
    model->noteChanged(u"shown day, more"_s);
    model->flushNote();
    EXPECT_EQ(readFile(m_shownNote), "shown day, more");
    EXPECT_TRUE(copiedTexts().isEmpty());
    ASSERT_TRUE(model->noteConflict().has_value());
    EXPECT_EQ(model->noteConflict()->local, u"mine"_s);
}

TEST_F(ConflictOfLeftDayTest, newConflictOnTheShownDay_isKeptBothInsteadOfReplacingIt)
{
    model->noteChanged(u"shown day"_s);
    model->flushNote();
    model->noteChanged(u"shown day, unsaved"_s);
    ASSERT_TRUE(writeFile(m_shownNote, "their shown day"));
    ASSERT_TRUE(waitUntil([this] { return model->noteText() == u"their shown day"_s; }));
    ASSERT_TRUE(model->noteConflict().has_value());
    EXPECT_EQ(model->noteConflict()->local, u"mine"_s);
    EXPECT_EQ(copiedTexts(), QStringList{u"shown day, unsaved"_s});
    EXPECT_EQ(readFile(m_shownNote), "their shown day");
}

} // namespace
