// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QStringList>
#include <QWidget>

class QScrollArea;
class QToolButton;
class QVBoxLayout;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::platform {
class Workspace;
}

namespace wrenfold::ui {

/// "Preserved copies": a button per copy that conflict resolution left beside a note,
/// most recent first, each showing its file selected in the file manager. Hidden while
/// there are none.
class PreservedCopiesPanel final : public QWidget {
    Q_OBJECT
public:
    /// `workspace` reveals the files; null leaves the buttons inert.
    PreservedCopiesPanel(app::AppModel &model, platform::Workspace *workspace,
                         QWidget *parent = nullptr);

    /// One button per copy, in the model's order.
    QList<QToolButton *> buttons() const { return m_buttons; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    /// Long file names end in an ellipsis rather than widen the pane.
    void elideNames();
    void reveal(const QString &path);

    app::AppModel &m_model;
    platform::Workspace *m_workspace;
    QStringList m_shown;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_list = nullptr;
    QVBoxLayout *m_rows = nullptr;
    QList<QToolButton *> m_buttons;
};

} // namespace wrenfold::ui
