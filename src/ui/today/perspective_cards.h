// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/journal.h"

#include <QList>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QToolButton;
class QVBoxLayout;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

class RoundedPanel;

/// One perspective of the day: "{name} — {title}", the prompt, and the response, editable
/// while the journal is in write mode.
class PerspectiveCard final : public QWidget {
    Q_OBJECT
public:
    PerspectiveCard(app::AppModel &model, const core::DailyPerspectiveEntry &entry, bool isEditing,
                    QWidget *parent = nullptr);

    core::PerspectiveID perspectiveID() const { return m_id; }
    /// Takes over the entry's texts; the response field keeps its cursor unless the text
    /// itself differs.
    void update(const core::DailyPerspectiveEntry &entry);
    /// Shows the remove button and the response editor (true) or the plain response.
    void setEditing(bool isEditing);

    QToolButton *removeButton() const { return m_remove; }
    QPlainTextEdit *responseEditor() const { return m_editor; }
    QLabel *responseLabel() const { return m_responseLabel; }

private:
    void refreshVisibility();

    app::AppModel &m_model;
    core::PerspectiveID m_id;
    bool m_isEditing = false;
    QLabel *m_heading = nullptr;
    QToolButton *m_remove = nullptr;
    QLabel *m_prompt = nullptr;
    RoundedPanel *m_editorPanel = nullptr;
    QPlainTextEdit *m_editor = nullptr;
    QLabel *m_responseLabel = nullptr;
};

/// The day's perspective cards below the journal entry; hidden while the day has none.
class PerspectiveCards final : public QWidget {
    Q_OBJECT
public:
    explicit PerspectiveCards(app::AppModel &model, QWidget *parent = nullptr);

    bool isEditing() const { return m_isEditing; }
    /// True exactly while the journal is in write mode.
    void setEditing(bool isEditing);

    /// The cards in the order of the model's `perspectiveEntries`.
    QList<PerspectiveCard *> cards() const { return m_cards; }

private:
    void refresh();

    app::AppModel &m_model;
    bool m_isEditing = true;
    QVBoxLayout *m_cardColumn = nullptr;
    QList<PerspectiveCard *> m_cards;
};

} // namespace wrenfold::ui
