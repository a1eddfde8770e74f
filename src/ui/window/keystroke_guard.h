// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QElapsedTimer>
#include <QObject>

class QWidget;

namespace wrenfold::ui {

/// Ignores the keys aimed at an alert (or any of its buttons) for a moment after it
/// appears. Alerts open while the user may be typing in the journal; the rest of a word
/// or sentence must not press a button or close a message.
class KeystrokeGuard final : public QObject {
    Q_OBJECT
public:
    /// Watches `alert` and the children it has now; owned by `alert`.
    explicit KeystrokeGuard(QWidget *alert);

    /// True from the alert's appearance until the moment has passed.
    bool ignoresKeys() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QElapsedTimer m_shownFor;
};

} // namespace wrenfold::ui
