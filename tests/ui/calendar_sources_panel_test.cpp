// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/model_fixture.h"
#include "ui/calendar_sources/calendar_sources_panel.h"

#include <QCheckBox>
#include <QListWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace wrenfold::testing {
namespace {

using CalendarSourcesPanelTest = UiWorld;

TEST_F(CalendarSourcesPanelTest, turningAccessOnAndOff_isRememberedAndReloadsEvents)
{
    addEvent(u"standup"_s, "DTSTART;VALUE=DATE:20260305\r\nDTEND;VALUE=DATE:20260306\r\n"
                           "SUMMARY:Holiday\r\n");
    makeModel();
    model->showDay(QDateTime(QDate(2026, 3, 5), QTime(12, 0), calendar.timeZone));
    ui::CalendarSourcesPanel panel(*model, *calendarStore);
    EXPECT_FALSE(panel.accessBox()->isChecked());
    ASSERT_EQ(panel.sourceList()->count(), 1);
    EXPECT_TRUE(panel.sourceList()->item(0)->text().startsWith(u"Personal\n"_s));

    panel.accessBox()->setChecked(true);
    EXPECT_EQ(calendarStore->authorizationStatus(), platform::CalendarAuthorization::fullAccess);
    EXPECT_EQ(model->calendarStatus(), platform::CalendarAuthorization::fullAccess);
    ASSERT_TRUE(waitUntil([&] { return model->calendarItems().size() == 1; }));

    panel.accessBox()->setChecked(false);
    EXPECT_EQ(model->calendarStatus(), platform::CalendarAuthorization::denied);
    EXPECT_TRUE(model->calendarItems().isEmpty());
}

TEST_F(CalendarSourcesPanelTest, addedFile_isListedAndCanBeRemovedAgain)
{
    const QString ics = m_dir.filePath(u"extra/holidays.ics"_s);
    ASSERT_TRUE(writeFile(ics, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n"));
    makeModel();
    ui::CalendarSourcesPanel panel(*model, *calendarStore);
    panel.addSources({ics});
    EXPECT_EQ(calendarStore->addedSources(), QStringList{ics});
    bool listed = false;
    for (int row = 0; row < panel.sourceList()->count(); ++row)
        listed |= panel.sourceList()->item(row)->data(Qt::UserRole).toString() == ics;
    EXPECT_TRUE(listed);

    panel.removeSource(ics);
    EXPECT_TRUE(calendarStore->addedSources().isEmpty());
}

} // namespace
} // namespace wrenfold::testing
