// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QList>
#include <QUuid>
#include <QWidget>

class QCheckBox;
class QVBoxLayout;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

/// The habits due on the selected day as a checklist below the journal entry; hidden
/// while none is due. Each box shows what the habits files say, read afresh.
class JournalHabitsFooter final : public QWidget {
    Q_OBJECT
public:
    explicit JournalHabitsFooter(app::AppModel &model, QWidget *parent = nullptr);

    /// The boxes in the order of `scheduledHabits`.
    QList<QCheckBox *> checkBoxes() const;

private:
    void refresh();
    void onNoteTextChanged() { m_skipNextModelChange = true; }
    void onModelChanged();

    struct Row {
        QUuid id;
        QWidget *widget = nullptr;
        QCheckBox *box = nullptr;
    };

    app::AppModel &m_model;
    QVBoxLayout *m_rows = nullptr;
    QList<Row> m_rowList;
    bool m_skipNextModelChange = false;
};

} // namespace wrenfold::ui
