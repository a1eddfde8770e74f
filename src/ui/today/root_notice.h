// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

/// The slim note on a first start: "Your journal is saved in {folder} as Markdown
/// files.", with "Change…" (another folder) and "Show" (the file manager). Shown only
/// while the notes folder is the default one nobody chose and the note was never closed;
/// closing it is remembered.
class RootNotice final : public QWidget {
    Q_OBJECT
public:
    explicit RootNotice(app::AppModel &model, QWidget *parent = nullptr);

    /// Whether the model wants the note shown (independent of whether a parent is).
    bool isWanted() const;

    QLabel *messageLabel() const { return m_message; }
    QPushButton *changeButton() const { return m_change; }
    QPushButton *showButton() const { return m_show; }
    QToolButton *dismissButton() const { return m_dismiss; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();

    app::AppModel &m_model;
    QLabel *m_message = nullptr;
    QPushButton *m_change = nullptr;
    QPushButton *m_show = nullptr;
    QToolButton *m_dismiss = nullptr;
};

} // namespace wrenfold::ui
