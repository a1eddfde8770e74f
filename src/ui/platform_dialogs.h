// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "platform/alerts.h"
#include "platform/calendar_access.h"
#include "platform/folder_chooser.h"

#include <QPointer>
#include <QWidget>

namespace wrenfold::ui {

/// Picks a folder with the desktop's folder dialog.
class DialogFolderChooser final : public platform::FolderChooser {
public:
    /// `parent` (may be null) is the window the dialog belongs to.
    explicit DialogFolderChooser(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    /// Modal; nullopt when cancelled.
    std::optional<QString> chooseFolder(const QString &prompt) override;

private:
    QPointer<QWidget> m_parent;
};

/// Asks "Allow" / "Don't Allow" in a message box that names the calendars found.
class DialogCalendarAccessPrompt final : public platform::CalendarAccessPrompt {
public:
    explicit DialogCalendarAccessPrompt(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    /// Window-modal and asynchronous: `answer` runs when the box closes; closing it any
    /// other way than "Allow" counts as "Don't Allow".
    void askForCalendarAccess(const QStringList &sourceNames,
                              std::function<void(platform::CalendarAccessAnswer)> answer) override;

private:
    QPointer<QWidget> m_parent;
};

/// Shows alerts as application-modal message boxes over the given window.
class DialogAlerts final : public platform::Alerts {
public:
    explicit DialogAlerts(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void inform(const QString &message, const QString &informative) override;
    /// Escape and the window's close button count as the last button.
    int ask(const QString &message, const QString &informative,
            const QStringList &buttons) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace wrenfold::ui
