// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "platform/sleep_watcher.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

using namespace Qt::StringLiterals;

namespace wrenfold::platform {
namespace {

const QString kService = u"org.freedesktop.login1"_s;
const QString kPath = u"/org/freedesktop/login1"_s;
const QString kInterface = u"org.freedesktop.login1.Manager"_s;

} // namespace

SleepWatcher::SleepWatcher(bool listen, QObject *parent) : QObject(parent)
{
    if (!listen)
        return;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    m_listening = bus.connect(kService, kPath, kInterface, u"PrepareForSleep"_s, this,
                              SLOT(handlePrepareForSleep(bool)));
    if (m_listening)
        takeDelayLock();
}

SleepWatcher::~SleepWatcher() = default;

void SleepWatcher::handlePrepareForSleep(bool goingToSleep)
{
    if (goingToSleep) {
        emit aboutToSleep();
        // Closing our copy of the descriptor is what lets logind go on.
        m_lock = QDBusUnixFileDescriptor();
    } else {
        emit resumed();
        if (m_listening && !m_lock.isValid())
            takeDelayLock();
    }
}

void SleepWatcher::takeDelayLock()
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, u"Inhibit"_s);
    call << u"sleep"_s << u"Wrenfold"_s << tr("Saving the journal entry") << u"delay"_s;
    // Asynchronous so that a slow or absent logind never holds up the window.
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *finished) {
                QDBusPendingReply<QDBusUnixFileDescriptor> reply = *finished;
                if (!reply.isError())
                    m_lock = reply.value();
                finished->deleteLater();
            });
}

} // namespace wrenfold::platform
