// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "app/app_model.h"
#include "platform/calendar_access.h"
#include "platform/calendar_store.h"
#include "platform/folder_chooser.h"
#include "platform/workspace.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>

#include <sys/stat.h>

namespace wrenfold::testing {

/// Answers the folder panel like a user would: a path, or cancel (nullopt, the default).
class FakeFolderChooser final : public platform::FolderChooser {
public:
    std::optional<QString> answer;
    std::optional<QString> chooseFolder(const QString &) override { return answer; }
};

/// Records the files and addresses handed to the desktop.
class FakeWorkspace final : public platform::Workspace {
public:
    QStringList openedFiles;
    QList<QUrl> openedUrls;
    QStringList revealedFiles;
    bool openFile(const QString &path) override
    {
        openedFiles << path;
        return true;
    }
    bool openUrl(const QUrl &url) override
    {
        openedUrls << url;
        return true;
    }
    bool revealFile(const QString &path) override
    {
        revealedFiles << path;
        return true;
    }
};

/// Answers the calendar question once per request: at once, or later when `answerLater`.
class AnsweringCalendarPrompt final : public platform::CalendarAccessPrompt {
public:
    platform::CalendarAccessAnswer answer = platform::CalendarAccessAnswer::allow;
    bool answerLater = false;
    QStringList askedWith;
    int asked = 0;
    void askForCalendarAccess(const QStringList &sourceNames,
                              std::function<void(platform::CalendarAccessAnswer)> reply) override
    {
        ++asked;
        askedWith = sourceNames;
        if (answerLater)
            QTimer::singleShot(0, [reply = std::move(reply), choice = answer] { reply(choice); });
        else
            reply(answer);
    }
};

/// A habit created on the first of January 2026.
inline core::FlowItem habit(const QUuid &id, const QString &title, core::HabitSchedule schedule)
{
    core::FlowItem flow;
    flow.id = id;
    flow.title = title;
    flow.tracksHabit = true;
    flow.habitSchedule = schedule;
    flow.createdAt = QDateTime(QDate(2026, 1, 1), QTime(9, 0), QTimeZone::utc());
    flow.updatedAt = flow.createdAt;
    return flow;
}

/// A temporary world for one model: notes, documents, settings and a vdir calendar root.
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
        environment.insert(QStringLiteral("XDG_STATE_HOME"),
                           m_dir.filePath(QStringLiteral("state")));
        calendarRoots.vdirRoots = {m_dir.filePath(QStringLiteral("calendars"))};
    }

    void makeCalendarStore(const std::optional<QColor> &accent = std::nullopt)
    {
        calendarStore =
            accent ? std::make_unique<platform::CalendarStore>(*settings, calendarRoots, *accent)
                   : std::make_unique<platform::CalendarStore>(*settings, calendarRoots);
    }

    app::AppServices services()
    {
        app::AppServices result;
        result.settings = settings.get();
        result.folderChooser = &chooser;
        result.workspace = &workspace;
        result.calendarStore = calendarStore.get();
        result.calendarPrompt = &prompt;
        result.environment = environment;
        result.documentsFolder = documents;
        result.calendar = calendar;
        result.saveDelayMs = saveDelayMs;
        result.watchIntervalMs = watchIntervalMs;
        return result;
    }

    app::AppModel &makeModel()
    {
        model = std::make_unique<app::AppModel>(services());
        return *model;
    }

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    /// Where today's note goes in the notes folder, before any model exists.
    QString todayNotePath() const
    {
        return core::MarkdownStore(notesRoot, calendar).noteURL(QDateTime::currentDateTime());
    }
    QString notePath() const { return model->store().noteURL(model->selectedDate()); }
    /// The texts waiting in the recovery store.
    QStringList recoveredTexts() const
    {
        QStringList texts;
        const auto entries =
            core::RecoveryStore(core::RecoveryStore::standardFolder(environment)).entries();
        for (const auto &entry : entries)
            texts << entry.text;
        return texts;
    }
    QString noteFile() const { return QString::fromUtf8(readFile(notePath())); }
    QString noteFileOf(const QDateTime &day) const
    {
        return QString::fromUtf8(readFile(model->store().noteURL(day)));
    }
    bool noteExists(const QDateTime &day) const
    {
        return QFileInfo::exists(model->store().noteURL(day));
    }

    /// Every file in the note's folder whose name holds ".local-", with its text.
    QStringList preservedTexts() const
    {
        QStringList texts;
        const QDir folder = QFileInfo(notePath()).absoluteDir();
        const auto names = folder.entryList({QStringLiteral("*.local-*.md")}, QDir::Files);
        for (const QString &name : names)
            texts << QString::fromUtf8(readFile(folder.filePath(name)));
        return texts;
    }

    /// Writes one event file into the vdir collection "Personal".
    void addEvent(const QString &uid, const QByteArray &vevent)
    {
        const QString folder = calendarRoots.vdirRoots.first() + QStringLiteral("/personal");
        ASSERT_TRUE(writeFile(folder + QStringLiteral("/displayname"), "Personal"));
        const QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
                                "BEGIN:VEVENT\r\nUID:" +
                                uid.toUtf8() + "\r\n" + vevent + "END:VEVENT\r\nEND:VCALENDAR\r\n";
        ASSERT_TRUE(writeFile(folder + u'/' + uid + QStringLiteral(".ics"), text));
    }

    QTemporaryDir m_dir;
    QString notesRoot;
    QString documents;
    std::unique_ptr<QSettings> settings;
    QProcessEnvironment environment;
    FakeFolderChooser chooser;
    FakeWorkspace workspace;
    AnsweringCalendarPrompt prompt;
    platform::CalendarRoots calendarRoots;
    core::Calendar calendar{QTimeZone::utc(), Qt::Monday};
    int saveDelayMs = 500;
    int watchIntervalMs = 1000;
    // Declared last so that the model goes before the store it reads.
    std::unique_ptr<platform::CalendarStore> calendarStore;
    std::unique_ptr<app::AppModel> model;
};

/// The window and screen tests: the user's own calendar and a calendar store.
class UiWorld : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        calendar = core::Calendar::current();
        makeCalendarStore(QColor(Qt::blue));
    }
};

/// The file's inode number, or 0 when it cannot be read: tells a rewrite from no write.
inline ino_t inodeOf(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

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
