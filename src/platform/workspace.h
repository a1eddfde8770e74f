// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QString>
#include <QUrl>

namespace wrenfold::platform {

/// The desktop's services for handing files and addresses to other applications.
class Workspace {
public:
    virtual ~Workspace() = default;

    /// Opens the file at the absolute `path` in the user's default application for it.
    /// False when the desktop could not start one (a missing file is not checked here).
    virtual bool openFile(const QString &path) = 0;
    /// Opens an address (https, mailto, ...) in the user's default application.
    virtual bool openUrl(const QUrl &url) = 0;
    /// Shows the file selected in the file manager; when the desktop offers no file
    /// manager service, opens the containing folder instead.
    virtual bool revealFile(const QString &path) = 0;
};

/// `Workspace` over QDesktopServices and the freedesktop FileManager1 D-Bus interface.
class DesktopWorkspace final : public Workspace {
public:
    bool openFile(const QString &path) override;
    bool openUrl(const QUrl &url) override;
    bool revealFile(const QString &path) override;
};

} // namespace wrenfold::platform
