// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace wrenfold::ui {

/// The entry's text control: plain text only (pasted rich text arrives as plain text),
/// monospaced, with its own undo, and no automatic substitutions of any kind.
///
/// Positions are UTF-16 code units, as QTextCursor counts them. Line ends: the control
/// keeps lines as blocks, so every line end is shown as LF; an edit hands each untouched
/// line end back in its old form (CR LF, LF, lone CR, U+2029) and new ones in the form the
/// text uses most.
class MarkdownTextView final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MarkdownTextView(QWidget *parent = nullptr);

    /// The text as the model should store it (line ends restored, no-break spaces and
    /// line separators kept, unlike QPlainTextEdit::toPlainText).
    QString text() const { return m_text; }

    /// Takes over `text` from outside. Replaces the control's content only when it differs
    /// (so a keystroke echoed back by the model never reloads the text or moves the
    /// cursor), then selects (location, length) when the selection differs and its end
    /// lies within the text; a selection beyond the end is not applied. Replacing the
    /// content starts a new undo history. Never emits `edited`.
    void takeOver(const QString &text, int location, int length);

    /// Replaces the whole content with `controlText` as one undoable step and selects (location,
    /// length) when it fits. Only the differing middle part is rewritten, so the view does
    /// not jump. Never emits `edited`.
    void replaceUndoably(const QString &controlText, int location, int length);

    /// The control's own form of the text (LF line ends); selections index into it.
    QString controlText() const;

    /// Current selection in UTF-16 code units.
    int selectionLocation() const;
    int selectionLength() const;

signals:
    /// The user changed the text (typing, paste, cut, undo, redo); `text` is the whole new
    /// text in model form.
    void edited(const QString &text);
    /// The selection or the cursor moved, for whatever reason.
    void selectionMoved(int location, int length);

protected:
    /// Tab types a tab; Ctrl+Tab and Ctrl+Shift+Tab move the focus on to the next or
    /// previous control, so keyboard users can leave the text.
    bool event(QEvent *event) override;

private:
    QString modelForm(const QString &controlText) const;
    void select(int location, int length);
    void onContentsChanged();

    QString m_text; ///< the text the model and the control agree on
    bool m_replacing = false;
};

} // namespace wrenfold::ui
