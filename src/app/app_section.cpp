// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "app/app_section.h"

#include <QCoreApplication>

#include <array>

namespace wrenfold::app {

namespace {

struct SectionTexts {
    AppSection section;
    const char *raw;
    const char *title;
    const char *symbol;
};

// One row per section, in sidebar order.
constexpr std::array<SectionTexts, 5> kSections{{
    {AppSection::today, "today", QT_TRANSLATE_NOOP("AppSection", "Today"), "sun.max"},
    {AppSection::calendar, "calendar", QT_TRANSLATE_NOOP("AppSection", "Calendar"), "calendar"},
    {AppSection::journal, "journal", QT_TRANSLATE_NOOP("AppSection", "Journal"), "book.pages"},
    {AppSection::flows, "flows", QT_TRANSLATE_NOOP("AppSection", "Flows"), "arrow.triangle.branch"},
    {AppSection::perspectives, "perspectives", QT_TRANSLATE_NOOP("AppSection", "Perspectives"),
     "circle.hexagongrid"},
}};

const SectionTexts *textsOf(AppSection section)
{
    for (const SectionTexts &row : kSections) {
        if (row.section == section)
            return &row;
    }
    return nullptr;
}

} // namespace

QString rawValue(AppSection section)
{
    const SectionTexts *row = textsOf(section);
    return row ? QString::fromLatin1(row->raw) : QString();
}

std::optional<AppSection> appSectionFromRawValue(const QString &raw)
{
    for (const SectionTexts &row : kSections) {
        if (raw == QLatin1StringView(row.raw))
            return row.section;
    }
    return std::nullopt;
}

const QList<AppSection> &allAppSections()
{
    static const QList<AppSection> sections = [] {
        QList<AppSection> list;
        for (const SectionTexts &row : kSections)
            list.append(row.section);
        return list;
    }();
    return sections;
}

QString title(AppSection section)
{
    const SectionTexts *row = textsOf(section);
    return row ? QCoreApplication::translate("AppSection", row->title) : QString();
}

QString symbolName(AppSection section)
{
    const SectionTexts *row = textsOf(section);
    return row ? QString::fromLatin1(row->symbol) : QString();
}

} // namespace wrenfold::app
