// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "platform/ics_reader.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::platform;

namespace {

struct ColourCase {
    const char *name;
    QString text;
    QString expected; // "#AARRGGBB", empty for invalid
};

class CalendarColourTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(CalendarColourTest, parseCalendarColor)
{
    const QColor color = parseCalendarColor(GetParam().text);
    if (GetParam().expected.isEmpty())
        EXPECT_FALSE(color.isValid());
    else
        EXPECT_EQ(color.name(QColor::HexArgb), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalendarColourTest,
    ::testing::Values(ColourCase{"sixDigits", u"#3584e4"_s, u"#ff3584e4"_s},
                      ColourCase{"alphaLastAsAppleWrites", u"#3584E480"_s, u"#803584e4"_s},
                      ColourCase{"shortForm", u"#fff"_s, u"#ffffffff"_s},
                      ColourCase{"cssName", u"turquoise"_s, u"#ff40e0d0"_s},
                      ColourCase{"surroundingSpace", u"  #000000\n"_s, u"#ff000000"_s},
                      ColourCase{"empty", u""_s, u""_s},
                      ColourCase{"notAColour", u"blue-ish"_s, u""_s},
                      ColourCase{"badHexWithAlpha", u"#12345g78"_s, u""_s}),
    [](const auto &info) { return std::string(info.param.name); });

IcsTime zoned(const QDate &date, const QTime &time, const char *zone)
{
    return IcsTime{date, time, false, IcsZone::fromTimeZone(QTimeZone(zone))};
}

TEST(IcsTimeTest, sameOccurrence_zonedTimesCompareByInstant)
{
    const IcsTime berlin = zoned(QDate(2026, 4, 13), QTime(9, 0), "Europe/Berlin");
    const IcsTime utc{QDate(2026, 4, 13), QTime(7, 0), false, IcsZone::utc()};
    const IcsTime floating{QDate(2026, 4, 13), QTime(9, 0), false, IcsZone::floating()};
    const IcsTime date{QDate(2026, 4, 13), QTime(0, 0), true, IcsZone::floating()};
    EXPECT_TRUE(berlin.sameOccurrence(utc));
    EXPECT_TRUE(berlin.sameOccurrence(floating)); // a zone on one side only: wall clock
    EXPECT_FALSE(utc.sameOccurrence(floating));
    EXPECT_TRUE(date.sameOccurrence(berlin));
    EXPECT_EQ(berlin.key(), u"20260413T070000Z"_s);
    EXPECT_EQ(floating.key(), u"20260413T090000"_s);
    EXPECT_EQ(date.key(), u"20260413"_s);
}

TEST(IcsReaderTest, readIcs_multipleCalendarsInOneFile_readsAll)
{
    const QByteArray text = "BEGIN:VCALENDAR\r\nX-WR-CALNAME:First\r\nBEGIN:VEVENT\r\nUID:a\r\n"
                            "DTSTART:20260101T100000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"
                            "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:b\r\n"
                            "DTSTART:20260102T100000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const auto calendar = readIcs(text);
    ASSERT_TRUE(calendar.ok());
    EXPECT_EQ(calendar->name, u"First"_s);
    ASSERT_EQ(calendar->events.size(), 2);
    EXPECT_EQ(calendar->events[1].uid, u"b"_s);
}

TEST(IcsReaderTest, readIcs_escapedTextAndFoldedLines_unescaped)
{
    const QByteArray text = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:a\r\n"
                            "SUMMARY:Tea\\, cake\\; and a very long\r\n  title\r\n"
                            "DTSTART:20260101T100000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const auto calendar = readIcs(text);
    ASSERT_TRUE(calendar.ok());
    ASSERT_EQ(calendar->events.size(), 1);
    EXPECT_EQ(calendar->events[0].title, u"Tea, cake; and a very long title"_s);
}

TEST(IcsReaderTest, readIcs_notCalendarText_fails)
{
    for (const QByteArray &text : {QByteArray(), QByteArray("   \n"), QByteArray("hello"),
                                   QByteArray("BEGIN:VTODO\r\nEND:VTODO\r\n")})
        EXPECT_FALSE(readIcs(text).ok()) << text.toStdString();
}

} // namespace
