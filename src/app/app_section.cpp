// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "app/app_section.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace wrenfold::app {

QString rawValue(AppSection section)
{
    switch (section) {
    case AppSection::today:
        return u"today"_s;
    case AppSection::calendar:
        return u"calendar"_s;
    case AppSection::journal:
        return u"journal"_s;
    case AppSection::flows:
        return u"flows"_s;
    case AppSection::perspectives:
        return u"perspectives"_s;
    }
    return {};
}

std::optional<AppSection> appSectionFromRawValue(const QString &raw)
{
    for (AppSection section : allAppSections()) {
        if (rawValue(section) == raw)
            return section;
    }
    return std::nullopt;
}

const QList<AppSection> &allAppSections()
{
    static const QList<AppSection> sections{AppSection::today, AppSection::calendar,
                                            AppSection::journal, AppSection::flows,
                                            AppSection::perspectives};
    return sections;
}

QString title(AppSection section)
{
    switch (section) {
    case AppSection::today:
        return QCoreApplication::translate("AppSection", "Today");
    case AppSection::calendar:
        return QCoreApplication::translate("AppSection", "Calendar");
    case AppSection::journal:
        return QCoreApplication::translate("AppSection", "Journal");
    case AppSection::flows:
        return QCoreApplication::translate("AppSection", "Flows");
    case AppSection::perspectives:
        return QCoreApplication::translate("AppSection", "Perspectives");
    }
    return {};
}

QString symbolName(AppSection section)
{
    switch (section) {
    case AppSection::today:
        return u"sun.max"_s;
    case AppSection::calendar:
        return u"calendar"_s;
    case AppSection::journal:
        return u"book.pages"_s;
    case AppSection::flows:
        return u"arrow.triangle.branch"_s;
    case AppSection::perspectives:
        return u"circle.hexagongrid"_s;
    }
    return {};
}

} // namespace wrenfold::app
