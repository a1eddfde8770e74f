// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The selected day's calendar events and the permission to read them.
#include "app/app_model.h"

#include "platform/calendar_store.h"

#include <QPointer>

namespace wrenfold::app {

platform::CalendarAuthorization AppModel::readCalendarStatus() const
{
    // Without a calendar store there is nothing the user could allow us to read.
    if (!m_services.calendarStore)
        return platform::CalendarAuthorization::restricted;
    return m_services.calendarStore->authorizationStatus();
}

void AppModel::loadCalendarIfAuthorized()
{
    setCalendarStatus(readCalendarStatus());
    if (m_calendarStatus != platform::CalendarAuthorization::fullAccess) {
        setCalendarItems({});
        return;
    }
    const core::Calendar &calendar = m_services.calendar;
    const QDate day = calendar.dayOf(m_selectedDate);
    const QDateTime start = calendar.startOfDay(day);
    const QDateTime end = calendar.startOfDay(day.addDays(1));
    if (!start.isValid() || !end.isValid())
        return;
    setCalendarItems(m_services.calendarStore->events(start, end, calendar.timeZone));
}

void AppModel::requestCalendarAccess()
{
    if (!m_services.calendarStore || !m_services.calendarPrompt)
        return;
    // The prompt may answer after the model is gone (the window closed meanwhile).
    QPointer<AppModel> self(this);
    m_services.calendarStore->requestAccess(*m_services.calendarPrompt,
                                            [self](const core::Status &failure) {
                                                if (!self)
                                                    return;
                                                if (failure) {
                                                    self->setErrorMessage(failure->message);
                                                    return;
                                                }
                                                self->setCalendarStatus(self->readCalendarStatus());
                                                self->loadCalendarIfAuthorized();
                                            });
}

} // namespace wrenfold::app
