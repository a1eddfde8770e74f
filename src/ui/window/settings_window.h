// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QWidget>

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

/// The settings window: a window of its own around the settings screen, sharing the one
/// model. It does not keep the application running once the main window is closed.
class SettingsWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SettingsWindow(app::AppModel &model, QWidget *parent = nullptr);
};

} // namespace wrenfold::ui
