// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/journal.h"

#include <QWidget>

#include <optional>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

class GrowingTextEdit;
class WeekdayPicker;

/// The content of the flow editor sheet: name, current note, next step, the ongoing
/// thread / habit switch with its rhythm and weekdays. Edits stay local until "Add" /
/// "Save", which trims the texts, writes the flows file and closes the sheet; "Cancel"
/// closes it unchanged. The sheet closes through the model (`presentNewFlow` for a new
/// flow, `editingFlow` for an existing one).
class FlowEditorView final : public QWidget {
    Q_OBJECT
public:
    /// No `flow` creates a new one. Weekday names follow `locale`, their order the
    /// model's calendar.
    FlowEditorView(app::AppModel &model, const std::optional<core::FlowItem> &flow,
                   QWidget *parent = nullptr);

    QLineEdit *nameField() const { return m_name; }
    GrowingTextEdit *detailField() const { return m_detail; }
    GrowingTextEdit *nextStepField() const { return m_nextStep; }
    /// "Ongoing thread" and "Habit".
    QPushButton *threadButton() const { return m_threadButton; }
    QPushButton *habitButton() const { return m_habitButton; }
    QComboBox *rhythmPicker() const { return m_rhythm; }
    WeekdayPicker *weekdayPicker() const { return m_weekdays; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }

    /// Writes the edits as the default button does; ignored while the name is blank.
    void save();
    /// Closes the sheet without writing.
    void cancel();

private:
    void syncTypeSection();
    void dismiss();

    app::AppModel &m_model;
    std::optional<core::FlowItem> m_flow;
    bool m_tracksHabit = false;

    QLineEdit *m_name = nullptr;
    GrowingTextEdit *m_detail = nullptr;
    GrowingTextEdit *m_nextStep = nullptr;
    QPushButton *m_threadButton = nullptr;
    QPushButton *m_habitButton = nullptr;
    QLabel *m_typeExplanation = nullptr;
    QWidget *m_rhythmRow = nullptr;
    QComboBox *m_rhythm = nullptr;
    WeekdayPicker *m_weekdays = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace wrenfold::ui
