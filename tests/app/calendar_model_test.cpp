// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "app/app_model.h"
#include "platform/calendar_access.h"
#include "platform/calendar_store.h"
#include "support/test_support.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using platform::CalendarAccessAnswer;
using platform::CalendarAuthorization;
using wrenfold::testing::waitUntil;
using wrenfold::testing::writeFile;

namespace {

// Answers from the event loop, as the dialog does once the user clicks.
class AnsweringPrompt final : public platform::CalendarAccessPrompt {
public:
    CalendarAccessAnswer answer = CalendarAccessAnswer::allow;
    QStringList askedWith;
    int asked = 0;

    void askForCalendarAccess(const QStringList &sourceNames,
                              std::function<void(CalendarAccessAnswer)> done) override
    {
        ++asked;
        askedWith = sourceNames;
        QTimer::singleShot(0, [done = std::move(done), choice = answer] { done(choice); });
    }
};

QByteArray event(const QString &uid, const QString &title, const QString &start, const QString &end)
{
    return u"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:%1\r\nSUMMARY:%2\r\n"
           "DTSTART%3\r\nDTEND%4\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"_s.arg(uid, title, start, end)
               .toUtf8();
}

class CalendarModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_settings =
            std::make_unique<QSettings>(m_dir.filePath(u"settings.ini"_s), QSettings::IniFormat);
        const QString work = m_dir.filePath(u"calendars/work/"_s);
        ASSERT_TRUE(writeFile(work + u"displayname"_s, "Work"));
        // Around Monday 7 December 2026 in Berlin.
        ASSERT_TRUE(
            writeFile(work + u"allday.ics"_s, event(u"a"_s, u"Holiday"_s, u";VALUE=DATE:20261207"_s,
                                                    u";VALUE=DATE:20261208"_s)));
        ASSERT_TRUE(writeFile(work + u"trip.ics"_s,
                              event(u"t"_s, u"Trip"_s, u";TZID=Europe/Berlin:20261206T150000"_s,
                                    u";TZID=Europe/Berlin:20261207T120000"_s)));
        ASSERT_TRUE(writeFile(work + u"party.ics"_s,
                              event(u"p"_s, u"Party"_s, u";TZID=Europe/Berlin:20261206T200000"_s,
                                    u";TZID=Europe/Berlin:20261207T000000"_s)));
        ASSERT_TRUE(
            writeFile(work + u"dentist.ics"_s,
                      event(u"d"_s, u"Dentist"_s, u":20261208T090000Z"_s, u":20261208T100000Z"_s)));
        m_store = std::make_unique<platform::CalendarStore>(*m_settings, roots());
    }

    platform::CalendarRoots roots() const
    {
        return platform::CalendarRoots{{m_dir.filePath(u"calendars"_s)}, {}};
    }

    app::AppServices services()
    {
        app::AppServices result;
        result.settings = m_settings.get();
        result.calendarStore = m_store.get();
        result.calendarPrompt = &m_prompt;
        result.environment.insert(u"VESK_UI_TEST_ROOT"_s, m_dir.filePath(u"notes"_s));
        result.environment.insert(u"DISABLE_AUTO_UPDATE"_s, u"true"_s);
        result.documentsFolder = m_dir.filePath(u"documents"_s);
        result.calendar = core::Calendar{m_berlin, Qt::Monday};
        return result;
    }

    app::AppModel &makeModel()
    {
        m_model = std::make_unique<app::AppModel>(services());
        m_model->setSelectedDate(QDateTime(QDate(2026, 12, 7), QTime(15, 0), m_berlin));
        return *m_model;
    }

    QStringList titles() const
    {
        QStringList result;
        for (const platform::CalendarItem &item : m_model->calendarItems())
            result.append(item.title);
        return result;
    }

    bool requestAndWait()
    {
        QSignalSpy statusSpy(m_model.get(), &app::AppModel::calendarStatusChanged);
        const int askedBefore = m_prompt.asked;
        m_model->requestCalendarAccess();
        return m_prompt.asked > askedBefore && waitUntil([&] { return !statusSpy.isEmpty(); });
    }

    QTemporaryDir m_dir;
    const QTimeZone m_berlin{QByteArrayLiteral("Europe/Berlin")};
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<platform::CalendarStore> m_store;
    AnsweringPrompt m_prompt;
    std::unique_ptr<app::AppModel> m_model;
};

TEST_F(CalendarModelTest, startUp_beforeAsking_notDeterminedAndEmpty)
{
    app::AppModel &model = makeModel();
    model.loadCalendarIfAuthorized();
    EXPECT_EQ(model.calendarStatus(), CalendarAuthorization::notDetermined);
    EXPECT_TRUE(model.calendarItems().isEmpty());
    EXPECT_EQ(m_prompt.asked, 0);
}

TEST_F(CalendarModelTest, requestAccess_allowed_showsTheSelectedDaysEvents)
{
    app::AppModel &model = makeModel();
    ASSERT_TRUE(requestAndWait());
    EXPECT_EQ(m_prompt.askedWith, QStringList{u"Work"_s});
    EXPECT_EQ(model.calendarStatus(), CalendarAuthorization::fullAccess);
    // The all-day event and the trip from the day before; the party ended at midnight.
    EXPECT_EQ(titles(), (QStringList{u"Holiday"_s, u"Trip"_s}));
    EXPECT_FALSE(model.errorMessage());
}

TEST_F(CalendarModelTest, requestAccess_denied_staysEmptyWithoutMessage)
{
    m_prompt.answer = CalendarAccessAnswer::dontAllow;
    app::AppModel &model = makeModel();
    ASSERT_TRUE(requestAndWait());
    EXPECT_EQ(model.calendarStatus(), CalendarAuthorization::denied);
    EXPECT_TRUE(model.calendarItems().isEmpty());
    EXPECT_FALSE(model.errorMessage());
    // Asking again does not show the dialog a second time.
    model.requestCalendarAccess();
    EXPECT_EQ(m_prompt.asked, 1);
}

TEST_F(CalendarModelTest, revokedAccess_emptiesAFilledList)
{
    app::AppModel &model = makeModel();
    ASSERT_TRUE(requestAndWait());
    ASSERT_FALSE(model.calendarItems().isEmpty());
    ASSERT_FALSE(m_store->setAuthorization(CalendarAuthorization::denied));
    model.loadCalendarIfAuthorized();
    EXPECT_EQ(model.calendarStatus(), CalendarAuthorization::denied);
    EXPECT_TRUE(model.calendarItems().isEmpty());
}

TEST_F(CalendarModelTest, otherDay_replacesTheWholeList)
{
    app::AppModel &model = makeModel();
    ASSERT_TRUE(requestAndWait());
    QSignalSpy itemsSpy(&model, &app::AppModel::calendarItemsChanged);
    model.setSelectedDate(QDateTime(QDate(2026, 12, 8), QTime(8, 0), m_berlin));
    EXPECT_EQ(titles(), (QStringList{u"Holiday"_s, u"Trip"_s})); // assigning loads nothing
    model.loadCalendarIfAuthorized();
    EXPECT_EQ(titles(), QStringList{u"Dentist"_s});
    EXPECT_EQ(itemsSpy.count(), 1);
    EXPECT_EQ(model.calendarItems()[0].start,
              QDateTime(QDate(2026, 12, 8), QTime(10, 0), m_berlin));
}

TEST_F(CalendarModelTest, settingsCannotBeSaved_setsErrorAndKeepsState)
{
    ASSERT_TRUE(writeFile(m_dir.filePath(u"blocker"_s), "x"));
    QSettings broken(m_dir.filePath(u"blocker/settings.ini"_s), QSettings::IniFormat);
    m_store = std::make_unique<platform::CalendarStore>(broken, roots());
    app::AppModel &model = makeModel();
    QSignalSpy errorSpy(&model, &app::AppModel::errorMessageChanged);
    model.requestCalendarAccess();
    ASSERT_TRUE(waitUntil([&] { return !errorSpy.isEmpty(); }));
    EXPECT_TRUE(model.errorMessage().has_value());
    EXPECT_EQ(model.calendarStatus(), CalendarAuthorization::notDetermined);
    EXPECT_TRUE(model.calendarItems().isEmpty());
}

TEST_F(CalendarModelTest, noCalendarAnywhere_isRestrictedAndAsksNothing)
{
    m_store = std::make_unique<platform::CalendarStore>(
        *m_settings, platform::CalendarRoots{{m_dir.filePath(u"nowhere"_s)}, {}});
    app::AppModel &model = makeModel();
    EXPECT_EQ(model.calendarStatus(), CalendarAuthorization::restricted);
    model.requestCalendarAccess();
    EXPECT_EQ(m_prompt.asked, 0);
    EXPECT_EQ(model.calendarStatus(), CalendarAuthorization::restricted);
}

TEST_F(CalendarModelTest, modelGoneBeforeTheAnswer_answerIgnored)
{
    makeModel();
    m_model->requestCalendarAccess();
    m_model.reset();
    // The answer arrives with no model left; it is still remembered.
    ASSERT_TRUE(waitUntil(
        [&] { return m_store->authorizationStatus() == CalendarAuthorization::fullAccess; }));
}

} // namespace
