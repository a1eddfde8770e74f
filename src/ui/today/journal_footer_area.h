// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QScrollArea>

class QVBoxLayout;

namespace wrenfold::ui {

/// Holds the day's perspective cards and habits below the journal entry. It takes the
/// height its content needs, but never more than a share of the journal pane, and
/// scrolls beyond that, so the entry itself always keeps room to write. Hidden while all
/// of its parts are hidden.
class JournalFooterArea final : public QScrollArea {
    Q_OBJECT
public:
    /// `pane` is the widget whose height bounds the area (the journal editor).
    explicit JournalFooterArea(QWidget *pane, QWidget *parent = nullptr);

    /// Adds a part below the earlier ones; the area takes ownership.
    void addPart(QWidget *part);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int heightCap() const;
    void refreshVisibility();

    QWidget *m_pane = nullptr;
    QWidget *m_content = nullptr;
    QVBoxLayout *m_column = nullptr;
};

} // namespace wrenfold::ui
