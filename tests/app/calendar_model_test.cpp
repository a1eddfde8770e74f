// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/model_fixture.h"

#include <QSignalSpy>
#include <QThreadPool>

#include <algorithm>
#include <array>
#include <functional>
#include <new>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using platform::CalendarAccessAnswer;
using platform::CalendarAuthorization;
using namespace wrenfold::testing;

namespace {

class CalendarModelTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        calendar = core::Calendar{berlin, Qt::Monday};
        prompt.answerLater = true;
        // Around Monday 7 December 2026 in Berlin.
        addEvent(u"a"_s, "SUMMARY:Holiday\r\nDTSTART;VALUE=DATE:20261207\r\n"
                         "DTEND;VALUE=DATE:20261208\r\n");
        addEvent(u"t"_s, "SUMMARY:Trip\r\nDTSTART;TZID=Europe/Berlin:20261206T150000\r\n"
                         "DTEND;TZID=Europe/Berlin:20261207T120000\r\n");
        addEvent(u"p"_s, "SUMMARY:Party\r\nDTSTART;TZID=Europe/Berlin:20261206T200000\r\n"
                         "DTEND;TZID=Europe/Berlin:20261207T000000\r\n");
        addEvent(u"d"_s, "SUMMARY:Dentist\r\nDTSTART:20261208T090000Z\r\n"
                         "DTEND:20261208T100000Z\r\n");
        makeCalendarStore();
    }

    void makeModel()
    {
        ModelTest::makeModel();
        model->setSelectedDate(QDateTime(QDate(2026, 12, 7), QTime(15, 0), berlin));
    }

    QStringList titles() const
    {
        QStringList result;
        for (const platform::CalendarItem &item : model->calendarItems())
            result.append(item.title);
        return result;
    }

    bool requestAndWait()
    {
        QSignalSpy statusSpy(model.get(), &app::AppModel::calendarStatusChanged);
        const int askedBefore = prompt.asked;
        model->requestCalendarAccess();
        return prompt.asked > askedBefore && waitUntil([&] { return !statusSpy.isEmpty(); }) &&
               waitUntil([&] { return !model->isCalendarLoading(); });
    }

    const QTimeZone berlin{QByteArrayLiteral("Europe/Berlin")};
};

TEST_F(CalendarModelTest, requestAccess_asksOnceAndShowsTheDaysEventsOnlyWhenAllowed)
{
    for (const auto answer : {CalendarAccessAnswer::allow, CalendarAccessAnswer::dontAllow}) {
        const bool allowed = answer == CalendarAccessAnswer::allow;
        SCOPED_TRACE(allowed);
        settings->clear();
        makeCalendarStore();
        prompt.asked = 0;
        prompt.answer = answer;
        makeModel();
        model->loadCalendarIfAuthorized();
        EXPECT_EQ(model->calendarStatus(), CalendarAuthorization::notDetermined);
        EXPECT_EQ(prompt.asked, 0) << "asked before the user wanted the calendar";
        ASSERT_TRUE(requestAndWait());
        EXPECT_EQ(prompt.askedWith, QStringList{u"Personal"_s});
        EXPECT_EQ(model->calendarStatus(),
                  allowed ? CalendarAuthorization::fullAccess : CalendarAuthorization::denied);
        // The all-day event and the trip from the day before; the party ended at midnight.
        EXPECT_EQ(titles(), (allowed ? QStringList{u"Holiday"_s, u"Trip"_s} : QStringList()));
        EXPECT_FALSE(model->errorMessage());
        // A second request asks nothing; access taken away later empties the list.
        model->requestCalendarAccess();
        EXPECT_EQ(prompt.asked, 1);
        ASSERT_FALSE(calendarStore->setAuthorization(CalendarAuthorization::denied));
        model->loadCalendarIfAuthorized();
        EXPECT_TRUE(model->calendarItems().isEmpty());
        model.reset();
    }
}

TEST_F(CalendarModelTest, otherDay_readOffTheGuiThreadAndReplacesTheWholeList)
{
    makeModel();
    ASSERT_TRUE(requestAndWait());
    QSignalSpy itemsSpy(model.get(), &app::AppModel::calendarItemsChanged);
    model->setSelectedDate(QDateTime(QDate(2026, 12, 8), QTime(8, 0), berlin));
    EXPECT_EQ(titles(), (QStringList{u"Holiday"_s, u"Trip"_s})); // assigning loads nothing
    model->loadCalendarIfAuthorized();
    // Returns before the files are read, with the old day's list gone; the answer comes later.
    EXPECT_TRUE(model->calendarItems().isEmpty());
    EXPECT_TRUE(model->isCalendarLoading());
    ASSERT_TRUE(waitUntil([&] { return !model->isCalendarLoading(); }));
    EXPECT_EQ(titles(), QStringList{u"Dentist"_s});
    EXPECT_EQ(itemsSpy.count(), 2);
    EXPECT_EQ(model->calendarItems()[0].start, QDateTime(QDate(2026, 12, 8), QTime(10, 0), berlin));
}

TEST_F(CalendarModelTest, staleAnswers_neverShown)
{
    const struct {
        const char *name;
        // Runs after the 8 December read was asked for and before it can answer.
        std::function<void(app::AppModel &)> meanwhile;
    } rows[] = {
        {"another day asked for",
         [this](app::AppModel &m) {
             m.setSelectedDate(QDateTime(QDate(2026, 12, 10), QTime(8, 0), berlin));
             m.loadCalendarIfAuthorized();
         }},
        {"access revoked",
         [this](app::AppModel &m) {
             ASSERT_FALSE(calendarStore->setAuthorization(CalendarAuthorization::denied));
             m.loadCalendarIfAuthorized();
             ASSERT_FALSE(calendarStore->setAuthorization(CalendarAuthorization::fullAccess));
             m.setSelectedDate(QDateTime(QDate(2026, 12, 10), QTime(8, 0), berlin));
             m.loadCalendarIfAuthorized();
         }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_FALSE(calendarStore->setAuthorization(CalendarAuthorization::fullAccess));
        makeModel();
        ASSERT_TRUE(waitUntil([&] { return !model->isCalendarLoading(); }));
        QStringList shown;
        QObject::connect(model.get(), &app::AppModel::calendarItemsChanged, model.get(),
                         [&] { shown += titles(); });
        model->setSelectedDate(QDateTime(QDate(2026, 12, 8), QTime(8, 0), berlin));
        model->loadCalendarIfAuthorized();
        row.meanwhile(*model);
        // Reads run one at a time, so the 10 December answer comes after the stale one.
        ASSERT_TRUE(waitUntil([&] { return !model->isCalendarLoading(); }));
        QCoreApplication::processEvents();
        EXPECT_TRUE(model->calendarItems().isEmpty());
        EXPECT_FALSE(shown.contains(u"Dentist"_s)) << shown.join(u", "_s).toStdString();
    }
}

TEST_F(CalendarModelTest, settingsCannotBeSaved_setsErrorAndKeepsState)
{
    ASSERT_TRUE(writeFile(path(u"blocker"_s), "x"));
    QSettings broken(path(u"blocker/settings.ini"_s), QSettings::IniFormat);
    calendarStore = std::make_unique<platform::CalendarStore>(broken, calendarRoots);
    makeModel();
    QSignalSpy errorSpy(model.get(), &app::AppModel::errorMessageChanged);
    model->requestCalendarAccess();
    ASSERT_TRUE(waitUntil([&] { return !errorSpy.isEmpty(); }));
    EXPECT_TRUE(model->errorMessage().has_value());
    EXPECT_EQ(model->calendarStatus(), CalendarAuthorization::notDetermined);
    EXPECT_TRUE(model->calendarItems().isEmpty());
}

TEST_F(CalendarModelTest, noCalendarAnywhere_isRestrictedAndAsksNothing)
{
    calendarStore = std::make_unique<platform::CalendarStore>(
        *settings, platform::CalendarRoots{{path(u"nowhere"_s)}, {}});
    makeModel();
    EXPECT_EQ(model->calendarStatus(), CalendarAuthorization::restricted);
    model->requestCalendarAccess();
    EXPECT_EQ(prompt.asked, 0);
    EXPECT_EQ(model->calendarStatus(), CalendarAuthorization::restricted);
}

TEST_F(CalendarModelTest, modelGoneBeforeTheAnswerOrTheEvents_answerIgnored)
{
    for (const bool events : {false, true}) {
        SCOPED_TRACE(events);
        settings->clear();
        if (events) {
            ASSERT_FALSE(calendarStore->setAuthorization(CalendarAuthorization::fullAccess));
        }
        // The model lives in storage the test owns and poisons once it is destroyed, so an
        // answer that still reached it shows as a changed byte (or a crash) every time,
        // rather than as a use-after-free that may pass unnoticed.
        alignas(app::AppModel) std::array<unsigned char, sizeof(app::AppModel)> storage{};
        auto *dying = new (storage.data()) app::AppModel(services());
        if (events) {
            dying->setSelectedDate(QDateTime(QDate(2026, 12, 7), QTime(15, 0), berlin));
            dying->loadCalendarIfAuthorized();
            ASSERT_TRUE(dying->isCalendarLoading());
        } else {
            dying->requestCalendarAccess();
        }
        dying->~AppModel();
        storage.fill(0xA5);
        // The access answer arrives with no model left; it is still remembered.
        ASSERT_TRUE(waitUntil([&] {
            return calendarStore->authorizationStatus() == CalendarAuthorization::fullAccess;
        }));
        ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(10000));
        QCoreApplication::processEvents();
        EXPECT_TRUE(std::all_of(storage.cbegin(), storage.cend(),
                                [](unsigned char byte) { return byte == 0xA5; }));
    }
}

} // namespace
