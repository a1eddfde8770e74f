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
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace wrenfold::testing {

/// Answers the calendar question like a person would, once per request.
class AnsweringCalendarPrompt final : public platform::CalendarAccessPrompt {
public:
    platform::CalendarAccessAnswer answer = platform::CalendarAccessAnswer::allow;
    QStringList askedWith;
    int asked = 0;
    void askForCalendarAccess(const QStringList &sourceNames,
                              std::function<void(platform::CalendarAccessAnswer)> reply) override
    {
        ++asked;
        askedWith = sourceNames;
        reply(answer);
    }
};

/// Cancels every folder panel.
class CancellingFolderChooser final : public platform::FolderChooser {
public:
    std::optional<QString> chooseFolder(const QString &) override { return std::nullopt; }
};

/// Records the addresses and files the window hands to the desktop.
class RecordingWorkspace final : public platform::Workspace {
public:
    QList<QUrl> openedUrls;
    QStringList openedFiles;
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
    bool revealFile(const QString &) override { return true; }
};

/// One user's world on disk for the window and screen tests: a notes folder, a settings
/// file, a vdir calendar root, and a model built over them on demand.
class UiWorld : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        notesRoot = m_dir.filePath(QStringLiteral("notes"));
        settings = std::make_unique<QSettings>(m_dir.filePath(QStringLiteral("settings.ini")),
                                               QSettings::IniFormat);
        calendarRoots.vdirRoots = {m_dir.filePath(QStringLiteral("calendars"))};
        calendarStore =
            std::make_unique<platform::CalendarStore>(*settings, calendarRoots, QColor(Qt::blue));
    }

    void TearDown() override
    {
        model.reset();
        calendarStore.reset();
    }

    app::AppServices services()
    {
        app::AppServices result;
        result.settings = settings.get();
        result.folderChooser = &chooser;
        result.workspace = &workspace;
        result.calendarStore = calendarStore.get();
        result.calendarPrompt = &prompt;
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("VESK_UI_TEST_ROOT"), notesRoot);
        environment.insert(QStringLiteral("DISABLE_AUTO_UPDATE"), QStringLiteral("true"));
        result.environment = environment;
        result.documentsFolder = m_dir.filePath(QStringLiteral("documents"));
        result.calendar = calendar;
        return result;
    }

    app::AppModel &makeModel()
    {
        model = std::make_unique<app::AppModel>(services());
        return *model;
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

    QString noteFileOf(const QDateTime &day) const
    {
        return QString::fromUtf8(readFile(model->store().noteURL(day)));
    }
    bool noteExists(const QDateTime &day) const
    {
        return QFileInfo::exists(model->store().noteURL(day));
    }

    QTemporaryDir m_dir;
    QString notesRoot;
    std::unique_ptr<QSettings> settings;
    platform::CalendarRoots calendarRoots;
    std::unique_ptr<platform::CalendarStore> calendarStore;
    AnsweringCalendarPrompt prompt;
    CancellingFolderChooser chooser;
    RecordingWorkspace workspace;
    core::Calendar calendar = core::Calendar::current();
    std::unique_ptr<app::AppModel> model;
};

} // namespace wrenfold::testing
