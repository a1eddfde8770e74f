// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;
class QTranslator;

namespace wrenfold::core {

/// Where the compiled translation tables ("wrenfold_de.qm" ...) live as resources.
inline constexpr char16_t translationsFolder[] = u":/i18n";

/// Loads the table "wrenfold_<lang>.qm" from `folder` for the first of `locale`'s UI
/// languages that has one, and installs it on `app`, which also owns it. Returns the
/// installed translator, or nullptr when no table matches (every text then shows in
/// English). Qt's own table for standard buttons is installed too when the system has one;
/// deleting the returned translator uninstalls both.
QTranslator *installTranslations(QCoreApplication &app, const QLocale &locale = QLocale(),
                                 const QString &folder = QString::fromUtf16(translationsFolder));

} // namespace wrenfold::core
