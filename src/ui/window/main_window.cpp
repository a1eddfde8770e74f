// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/window/main_window.h"

namespace wrenfold::ui {

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(tr("Wrenfold"));
    resize(1180, 760);
}

} // namespace wrenfold::ui
