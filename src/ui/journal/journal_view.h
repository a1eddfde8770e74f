// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QDate>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QToolButton;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::platform {
class Workspace;
}

namespace wrenfold::ui {

class DayHeader;
class JournalEditor;
class JournalResultsModel;
class PreservedCopiesPanel;

/// Finding and reading past entries: the days with entries, narrowed by a search as the
/// user types, and any preserved copies on the left; the chosen day's header and journal
/// editor on the right. Opening a day keeps this screen.
///
/// Keyboard: Ctrl+F goes to the search field, Up and Down walk the list (also from the
/// search field) and open each day, Escape clears the search.
class JournalView final : public QWidget {
    Q_OBJECT
public:
    /// `workspace` reveals preserved copies in the file manager; null leaves them inert.
    explicit JournalView(app::AppModel &model, platform::Workspace *workspace = nullptr,
                         QWidget *parent = nullptr);

    QLineEdit *searchField() const { return m_search; }
    QListView *entriesList() const { return m_list; }
    QProgressBar *progressBar() const { return m_progress; }
    JournalResultsModel *results() const { return m_results; }
    QToolButton *openTodayButton() const { return m_openToday; }
    PreservedCopiesPanel *preservedCopies() const { return m_copies; }
    DayHeader *dayHeader() const { return m_header; }
    QLabel *dateTitle() const { return m_title; }
    JournalEditor *editor() const { return m_editor; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildListPane();
    QWidget *buildDayPane();
    /// Shows the model's latest results when they answer the field's text.
    void showResults();
    void showProgress();
    /// Marks the selected day's row and makes it the current one; `scroll` brings it into
    /// view.
    void followSelectedDay(bool scroll);
    void open(const QDate &day);
    void step(int rows);

    app::AppModel &m_model;
    platform::Workspace *m_workspace;
    QLineEdit *m_search = nullptr;
    QListView *m_list = nullptr;
    JournalResultsModel *m_results = nullptr;
    QToolButton *m_openToday = nullptr;
    PreservedCopiesPanel *m_copies = nullptr;
    DayHeader *m_header = nullptr;
    QLabel *m_title = nullptr;
    JournalEditor *m_editor = nullptr;
    QProgressBar *m_progress = nullptr;
    bool m_following = false; ///< the list follows the model, not the user
};

} // namespace wrenfold::ui
