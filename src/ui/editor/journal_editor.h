// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "ui/editor/journal_mode.h"
#include "ui/editor/markdown_toolbar.h"

#include <QWidget>

class QButtonGroup;
class QHBoxLayout;
class QStackedWidget;
class QToolButton;
class QVBoxLayout;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

class MarkdownRenderedView;
class MarkdownTextView;

/// The journal pane: header (mode switch, add-perspective menu, open externally), the
/// Markdown toolbar with the monospaced text control, or the rendered preview, and any
/// footer widgets the hosting screen adds below (perspective cards, habits checklist).
///
/// Edits go to `AppModel::noteChanged` with the whole text; text the model replaces from
/// outside (reload, another day) is taken over without moving the cursor where it fits.
class JournalEditor final : public QWidget {
    Q_OBJECT
public:
    /// Starts in write mode with the cursor at the start of the model's current note text.
    explicit JournalEditor(app::AppModel &model, QWidget *parent = nullptr);
    ~JournalEditor() override;

    /// Write or Preview; switching never changes the entry text.
    JournalMode mode() const { return m_mode; }
    /// Shows the text control or the rendered preview; no-op when already in `mode`.
    void setMode(JournalMode mode);

    /// Appends `footer` below the entry (and below the preview); the editor takes ownership.
    /// Hosts show or hide it themselves, e.g. while the day has no perspectives.
    void addFooterWidget(QWidget *footer);

    /// Applies one toolbar action to the current text and selection, exactly as pressing
    /// its button does; in preview mode nothing happens.
    void apply(MarkdownAction action);

    /// Stored selection in UTF-16 code units (location, length); (0, 0) initially.
    int selectionLocation() const { return m_selectionLocation; }
    int selectionLength() const { return m_selectionLength; }

    /// The parts, for hosts that set focus and for tests.
    MarkdownTextView *textView() const { return m_textView; }
    MarkdownRenderedView *renderedView() const { return m_renderedView; }
    MarkdownToolbar *toolbar() const { return m_toolbar; }

protected:
    void resizeEvent(QResizeEvent *event) override;

signals:
    /// Emitted after the mode changed; perspective cards edit exactly in write mode.
    void modeChanged(wrenfold::ui::JournalMode mode);

private:
    void buildHeader(QVBoxLayout *column);
    /// Shows "Add Perspective" as its icon alone when the header has no room for its word.
    void fitHeader();
    void takeOverModelText();
    void onUserEdited(const QString &controlText);
    void onSelectionChanged(int location, int length);

    app::AppModel &m_model;
    JournalMode m_mode = JournalMode::write;
    int m_selectionLocation = 0;
    int m_selectionLength = 0;

    QHBoxLayout *m_header = nullptr;
    QButtonGroup *m_modeButtons = nullptr;
    QToolButton *m_addPerspectiveButton = nullptr;
    QToolButton *m_openExternallyButton = nullptr;
    QStackedWidget *m_body = nullptr;
    MarkdownToolbar *m_toolbar = nullptr;
    MarkdownTextView *m_textView = nullptr;
    MarkdownRenderedView *m_renderedView = nullptr;
    QVBoxLayout *m_footer = nullptr;
};

} // namespace wrenfold::ui
