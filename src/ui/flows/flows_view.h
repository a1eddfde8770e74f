// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/journal.h"

#include <QFrame>
#include <QPointer>
#include <QUuid>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QMessageBox;
class QPushButton;
class QScrollArea;
class QToolButton;
class QVBoxLayout;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

class EmptyStatePanel;

/// One flow in the list: its title (tagged "Archived" when archived), its current note,
/// next step and habit rhythm, its last activity and the row's commands. The row takes
/// the keyboard focus when clicked; Delete (or Backspace) asks to delete its flow and the
/// arrow keys move to the neighbouring rows.
class FlowRow final : public QFrame {
    Q_OBJECT
public:
    FlowRow(const core::FlowItem &flow, QWidget *parent = nullptr);

    QUuid flowId() const { return m_flow.id; }
    const core::FlowItem &flow() const { return m_flow; }
    QLabel *archivedTag() const { return m_archived; }
    /// Null unless the flow tracks a habit.
    QLabel *habitLine() const { return m_habit; }
    QLabel *lastActivityLine() const { return m_lastActivity; }
    QToolButton *menuButton() const { return m_menuButton; }
    /// The menu of the ellipsis button and the context menu: "Edit Flow…", "Archive Flow"
    /// or "Restore Flow", "Delete Flow…".
    QMenu *menu() const { return m_menu; }
    QAction *editAction() const { return m_edit; }
    QAction *archiveAction() const { return m_archive; }
    QAction *deleteAction() const { return m_delete; }
    QPushButton *openButton() const { return m_open; }
    QPushButton *addToTodayButton() const { return m_addToToday; }

signals:
    void editRequested(const core::FlowItem &flow);
    void archiveRequested(const core::FlowItem &flow);
    void deleteRequested(const core::FlowItem &flow);
    void openRequested(const core::FlowItem &flow);
    void addToTodayRequested(const core::FlowItem &flow);
    /// -1 for the row above, +1 for the row below.
    void moveFocusRequested(int step);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    core::FlowItem m_flow;
    QLabel *m_archived = nullptr;
    QLabel *m_habit = nullptr;
    QLabel *m_lastActivity = nullptr;
    QToolButton *m_menuButton = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_edit = nullptr;
    QAction *m_archive = nullptr;
    QAction *m_delete = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_addToToday = nullptr;
};

/// The flows section: the header with "New Flow", then one row per flow in the model's
/// order (archived flows included), or an empty state. Deleting asks first, naming the
/// flow, since its monthly reviews go with it.
class FlowsView final : public QWidget {
    Q_OBJECT
public:
    explicit FlowsView(app::AppModel &model, QWidget *parent = nullptr);

    QPushButton *newFlowButton() const { return m_newFlow; }
    /// The rows built so far, in list order: the first batch, then more as the list
    /// scrolls or the focus moves towards the end; empty while the empty state shows.
    QList<FlowRow *> rows() const { return m_rows; }
    EmptyStatePanel *emptyState() const { return m_empty; }
    /// The open delete question, if any.
    QMessageBox *deleteConfirmation() const;

    /// Asks whether to delete `flow`; the flow goes once the user confirms.
    void confirmDelete(const core::FlowItem &flow);

private:
    void rebuild();
    FlowRow *makeRow(const core::FlowItem &flow);
    void appendRow(FlowRow *row);
    void buildMoreRows(qsizetype upTo);
    void buildRowsNearTheEnd();
    void focusRow(qsizetype index);

    app::AppModel &m_model;
    QPushButton *m_newFlow = nullptr;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_list = nullptr;
    QVBoxLayout *m_rowsLayout = nullptr;
    EmptyStatePanel *m_empty = nullptr;
    QList<FlowRow *> m_rows;
    QList<QFrame *> m_dividers;
    QPointer<QMessageBox> m_confirmation;
};

} // namespace wrenfold::ui
