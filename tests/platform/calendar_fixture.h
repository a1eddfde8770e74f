// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "platform/calendar_store.h"
#include "support/test_support.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <memory>

namespace wrenfold::testing {

/// Wraps event lines (joined with CRLF) into one VCALENDAR, with `header` lines placed
/// before the events.
inline QByteArray calendarText(const QStringList &lines, const QStringList &header = {})
{
    QStringList all{QStringLiteral("BEGIN:VCALENDAR"), QStringLiteral("VERSION:2.0"),
                    QStringLiteral("PRODID:-//Wrenfold tests//EN")};
    all += header;
    all += lines;
    all.append(QStringLiteral("END:VCALENDAR"));
    return all.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

/// One VEVENT from its property lines.
inline QStringList eventLines(const QStringList &properties)
{
    QStringList lines{QStringLiteral("BEGIN:VEVENT"), QStringLiteral("DTSTAMP:20260101T000000Z")};
    lines += properties;
    lines.append(QStringLiteral("END:VEVENT"));
    return lines;
}

/// A temporary home with a vdir root, an Evolution root and settings in a file.
class CalendarFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_settings = std::make_unique<QSettings>(m_home.filePath(QStringLiteral("settings.ini")),
                                                 QSettings::IniFormat);
        m_store = std::make_unique<platform::CalendarStore>(*m_settings, roots());
    }

    platform::CalendarRoots roots() const
    {
        return platform::CalendarRoots{{vdirRoot()}, {evolutionRoot()}};
    }
    QString vdirRoot() const { return m_home.filePath(QStringLiteral("calendars")); }
    QString evolutionRoot() const { return m_home.filePath(QStringLiteral("evolution")); }

    /// Writes one event file into vdir collection `collection`.
    void writeEvent(const QString &collection, const QString &fileName, const QStringList &props,
                    const QStringList &header = {})
    {
        ASSERT_TRUE(writeFile(vdirRoot() + u'/' + collection + u'/' + fileName,
                              calendarText(eventLines(props), header)));
    }

    QList<platform::CalendarItem> day(const QDate &date, const QTimeZone &zone)
    {
        return m_store->eventsForDay(date, zone);
    }

    QStringList titlesOn(const QDate &date, const QTimeZone &zone)
    {
        QStringList titles;
        for (const platform::CalendarItem &item : day(date, zone))
            titles.append(item.title);
        return titles;
    }

    QTemporaryDir m_home;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<platform::CalendarStore> m_store;
    const QTimeZone m_berlin{QByteArrayLiteral("Europe/Berlin")};
    const QTimeZone m_newYork{QByteArrayLiteral("America/New_York")};
};

} // namespace wrenfold::testing
