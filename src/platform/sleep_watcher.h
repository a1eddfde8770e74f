// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>

namespace wrenfold::platform {

/// Tells the application that the computer is about to sleep, from logind's
/// PrepareForSleep signal on the system bus. While nothing is pending it holds a logind
/// "delay" inhibitor, so the system waits (briefly) until `aboutToSleep` handlers have
/// run; the lock is given back right after them and taken again on resume.
///
/// Without a system bus or logind (containers, tests, other init systems) it stays silent
/// and never fails; `handlePrepareForSleep` can still be called directly.
class SleepWatcher final : public QObject {
    Q_OBJECT
public:
    /// Connects to the system bus at once; `listen` false skips the bus entirely.
    explicit SleepWatcher(bool listen = true, QObject *parent = nullptr);
    ~SleepWatcher() override;

    /// True when the PrepareForSleep signal is subscribed on a live system bus.
    bool isListening() const { return m_listening; }
    /// True while a delay inhibitor is held.
    bool holdsDelayLock() const { return m_lock.isValid(); }

public slots:
    /// logind's PrepareForSleep: `goingToSleep` true emits `aboutToSleep` and then releases
    /// the delay lock; false (after waking) emits `resumed` and takes a new lock.
    void handlePrepareForSleep(bool goingToSleep);

signals:
    /// Save now: the computer sleeps as soon as this returns.
    void aboutToSleep();
    /// The computer woke up again.
    void resumed();

private:
    void takeDelayLock();

    bool m_listening = false;
    QDBusUnixFileDescriptor m_lock;
};

} // namespace wrenfold::platform
