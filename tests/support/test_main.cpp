// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Shared main: a QApplication for widget tests, a QCoreApplication for the rest.
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    // Unsaved text of a model built from the real environment stays out of the user's home.
    QTemporaryDir stateHome;
    qputenv("XDG_STATE_HOME", QFile::encodeName(stateHome.path()));
    std::unique_ptr<QCoreApplication> app;
#ifdef WRENFOLD_TEST_GUI
    app = std::make_unique<QApplication>(argc, argv);
#else
    app = std::make_unique<QCoreApplication>(argc, argv);
#endif
    QCoreApplication::setOrganizationName(QStringLiteral("WrenfoldTests"));
    QCoreApplication::setApplicationName(QStringLiteral("WrenfoldTests"));
    return RUN_ALL_TESTS();
}
