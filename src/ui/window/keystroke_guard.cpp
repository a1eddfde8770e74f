// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/window/keystroke_guard.h"

#include <QEvent>
#include <QWidget>

namespace wrenfold::ui {

namespace {

// Long enough for the rest of a word typed before the alert was noticed.
constexpr qint64 kIgnoreKeysMs = 1500;

} // namespace

KeystrokeGuard::KeystrokeGuard(QWidget *alert) : QObject(alert)
{
    alert->installEventFilter(this);
    const auto children = alert->findChildren<QWidget *>();
    for (QWidget *child : children)
        child->installEventFilter(this);
}

bool KeystrokeGuard::ignoresKeys() const
{
    return m_shownFor.isValid() && m_shownFor.elapsed() < kIgnoreKeysMs;
}

bool KeystrokeGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (watched == parent())
            m_shownFor.start();
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        if (ignoresKeys()) {
            event->accept();
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace wrenfold::ui
