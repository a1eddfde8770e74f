// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QString>
#include <QStringList>

namespace wrenfold::platform {

/// Modal alerts. The ui layer shows message boxes; tests answer directly.
class Alerts {
public:
    virtual ~Alerts() = default;

    /// Shows `message` with `informative` below it and one default button; returns once
    /// the alert is closed.
    virtual void inform(const QString &message, const QString &informative) = 0;

    /// The same with `buttons` in this order, the first one the default. Returns the index
    /// of the chosen button, or -1 when the alert was closed any other way.
    virtual int ask(const QString &message, const QString &informative,
                    const QStringList &buttons) = 0;
};

} // namespace wrenfold::platform
