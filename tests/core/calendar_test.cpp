// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/calendar.h"

#include <gtest/gtest.h>

using wrenfold::core::Calendar;

TEST(Calendar, dayOf_lateEveningInZone_isThatDayEvenWhenUtcSaysNext)
{
    const Calendar calendar{QTimeZone("America/New_York"), Qt::Sunday};
    const QDateTime lateEvening(QDate(2026, 3, 5), QTime(23, 30), QTimeZone("America/New_York"));
    ASSERT_EQ(lateEvening.toUTC().date(), QDate(2026, 3, 6));
    EXPECT_EQ(calendar.dayOf(lateEvening), QDate(2026, 3, 5));
}

TEST(Calendar, weekdayNumber_countsSundayAsOne)
{
    EXPECT_EQ(Calendar::weekdayNumber(QDate(2026, 3, 1)), 1); // Sunday
    EXPECT_EQ(Calendar::weekdayNumber(QDate(2026, 3, 2)), 2); // Monday
    EXPECT_EQ(Calendar::weekdayNumber(QDate(2026, 3, 7)), 7); // Saturday
}
