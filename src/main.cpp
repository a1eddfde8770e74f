// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "cli/command_line.h"
#include "core/localization.h"
#include "ui/wrenfold_app.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    // A terminal command needs no display: it runs before any GUI object exists.
    if (wrenfold::cli::isCommandLine(argc, argv))
        return wrenfold::cli::runCommandLine(argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Wrenfold"));
    QApplication::setApplicationName(QStringLiteral("Wrenfold"));
    QApplication::setApplicationVersion(QStringLiteral(WRENFOLD_VERSION));
    // Docks group the window with the installed desktop entry and show its icon.
    QApplication::setDesktopFileName(QStringLiteral("wrenfold"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("wrenfold"), QIcon(QStringLiteral(":/wrenfold.svg"))));
    wrenfold::core::installTranslations(app);
    wrenfold::ui::WrenfoldApp wrenfold;
    wrenfold.show();
    return QApplication::exec();
}
