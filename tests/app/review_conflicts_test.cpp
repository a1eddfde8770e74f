// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// A conflict that is still waiting when the editor moves to another day, and whose
// preserved copy could not be written then: nothing may land under the wrong day.
#include "app/app_model.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::testing;

namespace {

class ConflictOfLeftDayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_settings =
            std::make_unique<QSettings>(m_dir.filePath(u"settings.ini"_s), QSettings::IniFormat);
        app::AppServices services;
        services.settings = m_settings.get();
        services.environment.insert(u"VESK_UI_TEST_ROOT"_s, m_dir.filePath(u"notes"_s));
        services.environment.insert(u"DISABLE_AUTO_UPDATE"_s, u"true"_s);
        services.environment.insert(u"XDG_STATE_HOME"_s, m_dir.filePath(u"state"_s));
        services.documentsFolder = m_dir.filePath(u"documents"_s);
        services.calendar = core::Calendar{QTimeZone::utc(), Qt::Monday};

        const core::MarkdownStore store(m_dir.filePath(u"notes"_s), services.calendar);
        m_conflictDay = QDateTime::currentDateTime();
        m_shownDay = m_conflictDay.addDays(-40); // another month, so another folder
        m_conflictNote = store.noteURL(m_conflictDay);
        m_shownNote = store.noteURL(m_shownDay);
        ASSERT_TRUE(writeFile(m_conflictNote, "base"));
        m_model = std::make_unique<app::AppModel>(services);

        // The user types, another editor rewrites the file: a conflict waits.
        m_model->noteChanged(u"mine"_s);
        ASSERT_TRUE(writeFile(m_conflictNote, "theirs"));
        ASSERT_TRUE(waitUntil([this] { return m_model->noteConflict().has_value(); }));

        // No copy can be written beside the conflict's note any more, and the user moves on.
        m_conflictFolder = QFileInfo(m_conflictNote).absolutePath();
        ASSERT_TRUE(QDir(m_conflictFolder).removeRecursively());
        ASSERT_TRUE(writeFile(m_conflictFolder, "a file where the folder was"));
        m_model->showDay(m_shownDay);
        ASSERT_TRUE(m_model->noteConflict().has_value());
        m_model->setErrorMessage(std::nullopt);
    }

    void restoreConflictFolder() const
    {
        ASSERT_TRUE(QFile::remove(m_conflictFolder));
        ASSERT_TRUE(QDir().mkpath(m_conflictFolder));
    }

    QStringList preservedTexts() const
    {
        QStringList texts;
        for (const QString &copy : m_model->preservedCopies())
            texts << QString::fromUtf8(readFile(copy));
        return texts;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_settings;
    QDateTime m_conflictDay;
    QDateTime m_shownDay;
    QString m_conflictNote;
    QString m_shownNote;
    QString m_conflictFolder;
    std::unique_ptr<app::AppModel> m_model;
};

TEST_F(ConflictOfLeftDayTest, keepingLocal_neverWritesTheDayShownNow)
{
    m_model->resolveConflictKeepingLocal();
    EXPECT_FALSE(QFileInfo::exists(m_shownNote));
    EXPECT_TRUE(m_model->noteConflict().has_value());
    EXPECT_TRUE(m_model->errorMessage().has_value());

    restoreConflictFolder();
    m_model->resolveConflictKeepingLocal();
    EXPECT_FALSE(m_model->noteConflict().has_value());
    EXPECT_FALSE(QFileInfo::exists(m_shownNote));
    EXPECT_EQ(preservedTexts(), QStringList{u"mine"_s});
    EXPECT_EQ(QFileInfo(m_model->preservedCopies().value(0)).absolutePath(), m_conflictFolder);
}

TEST_F(ConflictOfLeftDayTest, keepingBoth_putsTheCopyBesideTheConflictsOwnNote)
{
    restoreConflictFolder();
    m_model->noteChanged(u"shown day"_s);
    m_model->resolveConflictKeepingBoth();
    EXPECT_FALSE(m_model->noteConflict().has_value());
    EXPECT_EQ(m_model->noteText(), u"shown day"_s);
    ASSERT_EQ(preservedTexts(), QStringList{u"mine"_s});
    EXPECT_EQ(QFileInfo(m_model->preservedCopies().first()).absolutePath(), m_conflictFolder);
}

TEST_F(ConflictOfLeftDayTest, usingExternal_dropsItWithoutTouchingTheEditor)
{
    m_model->noteChanged(u"shown day"_s);
    m_model->resolveConflictUsingExternal();
    EXPECT_FALSE(m_model->noteConflict().has_value());
    EXPECT_EQ(m_model->noteText(), u"shown day"_s);
    EXPECT_TRUE(m_model->hasPendingSave());
}

TEST_F(ConflictOfLeftDayTest, typingOnTheShownDay_isSavedThereAndTheConflictStillWaits)
{
    m_model->noteChanged(u"shown day"_s);
    ASSERT_TRUE(waitUntil([this] { return readFile(m_shownNote) == "shown day"; }));
    m_model->noteChanged(u"shown day, more"_s);
    m_model->flushNote();
    EXPECT_EQ(readFile(m_shownNote), "shown day, more");
    EXPECT_TRUE(preservedTexts().isEmpty());
    ASSERT_TRUE(m_model->noteConflict().has_value());
    EXPECT_EQ(m_model->noteConflict()->local, u"mine"_s);
}

TEST_F(ConflictOfLeftDayTest, newConflictOnTheShownDay_isKeptBothInsteadOfReplacingIt)
{
    m_model->noteChanged(u"shown day"_s);
    m_model->flushNote();
    m_model->noteChanged(u"shown day, unsaved"_s);
    ASSERT_TRUE(writeFile(m_shownNote, "their shown day"));
    ASSERT_TRUE(waitUntil([this] { return m_model->noteText() == u"their shown day"_s; }));
    ASSERT_TRUE(m_model->noteConflict().has_value());
    EXPECT_EQ(m_model->noteConflict()->local, u"mine"_s);
    EXPECT_EQ(preservedTexts(), QStringList{u"shown day, unsaved"_s});
    EXPECT_EQ(readFile(m_shownNote), "their shown day");
}

} // namespace
