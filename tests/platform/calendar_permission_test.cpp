// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "platform/calendar_access.h"
#include "platform/calendar_store.h"

#include "calendar_fixture.h"
#include "support/test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#include <optional>

using namespace Qt::StringLiterals;
using namespace wrenfold::platform;
using wrenfold::testing::calendarText;
using wrenfold::testing::waitUntil;
using wrenfold::testing::writeFile;

namespace {

// Answers from the event loop, as a dialog would.
class ScriptedPrompt final : public CalendarAccessPrompt {
public:
    explicit ScriptedPrompt(CalendarAccessAnswer answer) : m_answer(answer) {}
    int asked = 0;
    QStringList names;

    void askForCalendarAccess(const QStringList &sourceNames,
                              std::function<void(CalendarAccessAnswer)> answer) override
    {
        ++asked;
        names = sourceNames;
        QTimer::singleShot(0, [answer = std::move(answer), choice = m_answer] {
            answer(choice);
            answer(choice); // a careless dialog answering twice must not count twice
        });
    }

private:
    CalendarAccessAnswer m_answer;
};

class CalendarPermissionTest : public wrenfold::testing::CalendarFixture {
protected:
    void addCalendar()
    {
        ASSERT_TRUE(writeFile(vdirRoot() + u"/work/displayname"_s, "Work"));
        ASSERT_TRUE(writeFile(evolutionRoot() + u"/system/calendar.ics"_s, calendarText({})));
    }

    // Runs a request to its end; returns how often `done` ran and its last status.
    std::pair<int, wrenfold::core::Status> request(CalendarAccessPrompt &prompt)
    {
        auto calls = std::make_shared<int>(0);
        auto status = std::make_shared<wrenfold::core::Status>();
        m_store->requestAccess(prompt, [calls, status](wrenfold::core::Status result) {
            ++*calls;
            *status = result;
        });
        waitUntil([calls] { return *calls > 0; });
        // Let a second answer, if any, arrive.
        QCoreApplication::processEvents();
        return {*calls, *status};
    }
};

TEST_F(CalendarPermissionTest, request_asksOnceWithSourcesAndRemembersTheAnswer)
{
    using A = CalendarAuthorization;
    const struct {
        const char *name;
        bool sources;
        std::optional<A> before;
        CalendarAccessAnswer answer;
        A after;
    } rows[] = {
        {"allowed", true, {}, CalendarAccessAnswer::allow, A::fullAccess},
        {"not allowed", true, {}, CalendarAccessAnswer::dontAllow, A::denied},
        {"chosen before: no question", true, A::denied, CalendarAccessAnswer::allow, A::denied},
        {"no sources: no question", false, {}, CalendarAccessAnswer::allow, A::restricted},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        m_settings->clear();
        ASSERT_TRUE(QDir(vdirRoot()).removeRecursively());
        ASSERT_TRUE(QDir(evolutionRoot()).removeRecursively());
        if (row.sources)
            addCalendar();
        if (row.before) {
            ASSERT_FALSE(m_store->setAuthorization(*row.before));
        }
        ScriptedPrompt prompt(row.answer);
        const auto [calls, status] = request(prompt);
        EXPECT_EQ(calls, 1);
        EXPECT_FALSE(status);
        const bool asked = row.sources && !row.before;
        EXPECT_EQ(prompt.asked, asked ? 1 : 0);
        if (asked) {
            EXPECT_EQ(prompt.names, (QStringList{u"Work"_s, u"Personal"_s}));
        }
        EXPECT_EQ(m_store->authorizationStatus(), row.after);
        // Remembered for the next start; a denial even where no calendar is left.
        const CalendarRoots none;
        EXPECT_EQ(CalendarStore(*m_settings, row.after == A::denied ? none : roots())
                      .authorizationStatus(),
                  row.after);
    }
}

TEST_F(CalendarPermissionTest, storedValueOutOfRange_readsAsNotDetermined)
{
    addCalendar();
    for (const QVariant &value : {QVariant(7), QVariant(-1), QVariant(u"yes"_s), QVariant(1)}) {
        m_settings->setValue(u"calendarAuthorization"_s, value);
        EXPECT_EQ(m_store->authorizationStatus(), CalendarAuthorization::notDetermined)
            << value.toString().toStdString();
    }
}

TEST_F(CalendarPermissionTest, answerAfterStoreIsGone_isDropped)
{
    addCalendar();
    ScriptedPrompt prompt(CalendarAccessAnswer::allow);
    bool called = false;
    m_store->requestAccess(prompt, [&called](wrenfold::core::Status) { called = true; });
    m_store.reset();
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
}

TEST_F(CalendarPermissionTest, unwritableSettings_reportError)
{
    addCalendar();
    // The settings file's folder is a regular file, so nothing can be saved.
    ASSERT_TRUE(writeFile(m_home.filePath(u"blocker"_s), "x"));
    QSettings broken(m_home.filePath(u"blocker/settings.ini"_s), QSettings::IniFormat);
    CalendarStore store(broken, roots());
    ScriptedPrompt prompt(CalendarAccessAnswer::allow);
    std::optional<wrenfold::core::Status> result;
    store.requestAccess(prompt, [&result](wrenfold::core::Status status) { result = status; });
    ASSERT_TRUE(waitUntil([&result] { return result.has_value(); }));
    ASSERT_TRUE(result->has_value());
    EXPECT_FALSE((*result)->message.isEmpty());
}

} // namespace
