// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "app/app_model.h"
#include "platform/folder_chooser.h"
#include "platform/workspace.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace wrenfold::testing {

/// Answers the folder panel like a user would: a path, or cancel (nullopt).
class FakeFolderChooser final : public platform::FolderChooser {
public:
    std::optional<QString> answer;
    QStringList prompts;
    std::optional<QString> chooseFolder(const QString &prompt) override
    {
        prompts << prompt;
        return answer;
    }
};

/// Records what the model asked the desktop to open.
class FakeWorkspace final : public platform::Workspace {
public:
    QStringList openedFiles;
    bool openFile(const QString &path) override
    {
        openedFiles << path;
        return true;
    }
    bool openUrl(const QUrl &) override { return true; }
    bool revealFile(const QString &) override { return true; }
};

/// A temporary world for one model: notes folder, documents folder, settings file.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        notesRoot = m_dir.filePath(QStringLiteral("notes"));
        documents = m_dir.filePath(QStringLiteral("documents"));
        settings = std::make_unique<QSettings>(m_dir.filePath(QStringLiteral("settings.ini")),
                                               QSettings::IniFormat);
        environment.insert(QStringLiteral("VESK_UI_TEST_ROOT"), notesRoot);
        environment.insert(QStringLiteral("DISABLE_AUTO_UPDATE"), QStringLiteral("true"));
    }

    app::AppServices services()
    {
        app::AppServices result;
        result.settings = settings.get();
        result.folderChooser = &chooser;
        result.workspace = &workspace;
        result.environment = environment;
        result.documentsFolder = documents;
        result.calendar = core::Calendar{QTimeZone::utc(), Qt::Monday};
        return result;
    }

    app::AppModel &makeModel()
    {
        model = std::make_unique<app::AppModel>(services());
        return *model;
    }

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    QString notePath() const { return model->store().noteURL(model->selectedDate()); }
    QString noteFile() const { return QString::fromUtf8(readFile(notePath())); }

    /// Every file below the note's folder whose name holds ".local-", with its text.
    QStringList preservedTexts() const
    {
        QStringList texts;
        const QDir folder = QFileInfo(notePath()).absoluteDir();
        const auto names = folder.entryList({QStringLiteral("*.local-*.md")}, QDir::Files);
        for (const QString &name : names)
            texts << QString::fromUtf8(readFile(folder.filePath(name)));
        return texts;
    }

    QTemporaryDir m_dir;
    QString notesRoot;
    QString documents;
    std::unique_ptr<QSettings> settings;
    QProcessEnvironment environment;
    FakeFolderChooser chooser;
    FakeWorkspace workspace;
    std::unique_ptr<app::AppModel> model;
};

/// The ways other editors and sync tools change a file.
inline bool appendInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::Append) && file.write(bytes) == bytes.size();
}

/// Like `sed -i` or an editor that saves in place: same inode, truncated and rewritten.
inline bool truncateAndRewrite(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

/// Like vim and most editors: a new file beside it, renamed over the old one.
inline bool writeAndRenameOver(const QString &path, const QByteArray &bytes)
{
    const QString temporary = path + QStringLiteral(".swp");
    if (!writeFile(temporary, bytes))
        return false;
    return std::rename(QFile::encodeName(temporary).constData(),
                       QFile::encodeName(path).constData()) == 0;
}

} // namespace wrenfold::testing
