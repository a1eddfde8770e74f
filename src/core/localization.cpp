// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/localization.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace wrenfold::core {

namespace {

QTranslator *installed(QObject *owner, const QLocale &locale, const QString &fileName,
                       const QString &folder)
{
    auto *translator = new QTranslator(owner);
    if (!translator->load(locale, fileName, u"_"_s, folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace

QTranslator *installTranslations(QCoreApplication &app, const QLocale &locale,
                                 const QString &folder)
{
    QTranslator *own = installed(&app, locale, u"wrenfold"_s, folder);
    // Qt's table only where ours exists, so the window never mixes two languages. It
    // belongs to ours: deleting one uninstalls both.
    if (own)
        installed(own, locale, u"qtbase"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return own;
}

} // namespace wrenfold::core
