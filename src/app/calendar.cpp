// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The selected day's calendar events and the permission to read them.
#include "app/app_model.h"

#include "platform/calendar_store.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

namespace wrenfold::app {

platform::CalendarAuthorization AppModel::readCalendarStatus() const
{
    // Without a calendar store there is nothing the user could allow us to read.
    if (!m_services.calendarStore)
        return platform::CalendarAuthorization::restricted;
    return m_services.calendarStore->authorizationStatus();
}

void AppModel::setCalendarLoading(bool loading)
{
    if (m_isCalendarLoading == loading)
        return;
    m_isCalendarLoading = loading;
    emit calendarLoadingChanged();
}

void AppModel::loadCalendarIfAuthorized()
{
    CalendarReads &reads = m_calendarReads;
    setCalendarStatus(readCalendarStatus());
    if (m_calendarStatus != platform::CalendarAuthorization::fullAccess) {
        // A read still running answers for access that is gone.
        ++reads.generation;
        reads.pending.reset();
        reads.shownStart = {};
        setCalendarItems({});
        setCalendarLoading(false);
        return;
    }
    const core::Calendar &calendar = m_services.calendar;
    const QDate day = calendar.dayOf(m_selectedDate);
    const QDateTime start = calendar.startOfDay(day);
    const QDateTime end = calendar.startOfDay(day.addDays(1));
    if (!start.isValid() || !end.isValid())
        return;
    reads.pending = CalendarReads::Request{m_services.calendarStore->query(), start, end,
                                           calendar.timeZone, ++reads.generation};
    reads.requestedStart = start;
    // The same day read again keeps its events on show meanwhile; another day's would mislead.
    if (reads.shownStart != start) {
        reads.shownStart = {};
        setCalendarItems({});
        setCalendarLoading(true);
    }
    if (!reads.isReading)
        startCalendarRead();
}

void AppModel::startCalendarRead()
{
    CalendarReads &reads = m_calendarReads;
    CalendarReads::Request request = *std::exchange(reads.pending, std::nullopt);
    reads.isReading = true;
    QPointer<AppModel> self(this);
    // The cache moves to the worker rather than being shared: a file parsed again there
    // replaces the old parse, which is then freed there too, not on the GUI thread.
    QThreadPool::globalInstance()->start([self, request, cache = std::exchange(reads.cache, {}),
                                          cancelled = reads.cancelled]() mutable {
        bool isCut = false;
        const QList<platform::CalendarItem> items =
            platform::CalendarStore::readEvents(request.query, cache, request.start, request.end,
                                                request.zone, cancelled.get(), &isCut);
        // Back on the GUI thread, where the model may be gone by now.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, generation = request.generation, items, isCut, cache] {
                if (self)
                    self->finishCalendarRead(generation, items, isCut, cache);
            },
            Qt::QueuedConnection);
    });
}

void AppModel::finishCalendarRead(quint64 generation, const QList<platform::CalendarItem> &items,
                                  bool isCut, const platform::CalendarCache &cache)
{
    CalendarReads &reads = m_calendarReads;
    reads.isReading = false;
    // The files read stay useful even when the answer is late.
    reads.cache = cache;
    if (generation == reads.generation) {
        reads.shownStart = reads.requestedStart;
        setCalendarItems(items, isCut);
        setCalendarLoading(false);
    }
    if (reads.pending)
        startCalendarRead();
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
