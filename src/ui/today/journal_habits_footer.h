// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QWidget>

class QListView;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

class HabitListModel;

/// The habits due on the selected day as a checklist below the journal entry; hidden
/// while none is due. Each row shows what the habits files say, read afresh. The rows are
/// one item view (a check box and title painted per row, Space toggles the current one),
/// since a day may list thousands of habits and a widget per row makes start-up slow.
class JournalHabitsFooter final : public QWidget {
    Q_OBJECT
public:
    explicit JournalHabitsFooter(app::AppModel &model, QWidget *parent = nullptr);

    /// One row per habit in the order of `scheduledHabits`: the title as display and
    /// accessible text, the check state, "Weekly" as accessible description when weekly.
    QListView *list() const { return m_list; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();
    void onNoteTextChanged() { m_skipNextModelChange = true; }
    void onModelChanged();
    void keepCurrentRowInView();

    app::AppModel &m_model;
    HabitListModel *m_rows = nullptr;
    QListView *m_list = nullptr;
    bool m_skipNextModelChange = false;
};

} // namespace wrenfold::ui
