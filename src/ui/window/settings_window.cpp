// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/window/settings_window.h"

#include "ui/window/section_pages.h"

#include <QVBoxLayout>

namespace wrenfold::ui {

SettingsWindow::SettingsWindow(app::AppModel &model, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("Settings"));
    setObjectName(QStringLiteral("settings"));
    setAttribute(Qt::WA_QuitOnClose, false);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(createSettingsPage(model, this));
    resize(460, 420);
}

} // namespace wrenfold::ui
