// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/editor/markdown_text_view.h"

#include "core/markdown_text.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
MarkdownTextView::MarkdownTextView(QWidget *parent) : QPlainTextEdit(parent)
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setUndoRedoEnabled(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Four points beside the text, eight above and below.
    document()->setDocumentMargin(4);
    setViewportMargins(0, 4, 0, 4);
    setAccessibleName(tr("Journal entry"));
    // QPlainTextEdit has no automatic quote, dash or text substitutions, and pastes the
    // plain-text form of whatever is on the clipboard; nothing to switch off.

    connect(this, &QPlainTextEdit::textChanged, this, &MarkdownTextView::onContentsChanged);
    const auto reportSelection = [this] {
        emit selectionMoved(selectionLocation(), selectionLength());
    };
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, reportSelection);
    connect(this, &QPlainTextEdit::selectionChanged, this, reportSelection);
}

QString MarkdownTextView::controlText() const
{
    // toPlainText() would turn no-break spaces into spaces and line separators into line
    // feeds; the raw text only needs its block separators mapped back.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

QString MarkdownTextView::modelForm(const QString &controlText) const
{
    return core::restoredLineEndings(m_text, controlText);
}

int MarkdownTextView::selectionLocation() const
{
    return textCursor().selectionStart();
}

int MarkdownTextView::selectionLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void MarkdownTextView::select(int location, int length)
{
    if (location < 0 || length < 0)
        return;
    // A selection beyond a shorter new text moves to its end rather than to its start.
    const int available = document()->characterCount() - 1;
    location = std::min(location, available);
    length = std::min(length, available - location);
    const int end = location + length;
    if (location == selectionLocation() && length == selectionLength())
        return;
    QTextCursor cursor(document());
    cursor.setPosition(location);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void MarkdownTextView::takeOver(const QString &text, int location, int length)
{
    if (text != m_text) {
        m_replacing = true;
        setPlainText(text);
        m_text = text;
        m_replacing = false;
    }
    select(location, length);
}

void MarkdownTextView::replaceUndoably(const QString &controlText, int location, int length)
{
    const QString current = this->controlText();
    const qsizetype shorter = std::min(current.size(), controlText.size());
    qsizetype prefix = 0;
    while (prefix < shorter && current.at(prefix) == controlText.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && current.at(current.size() - 1 - suffix) ==
                                            controlText.at(controlText.size() - 1 - suffix))
        ++suffix;

    m_replacing = true;
    // The control's own cursor, so that undo takes it back to where the edit was.
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.setPosition(int(prefix));
    cursor.setPosition(int(current.size() - suffix), QTextCursor::KeepAnchor);
    cursor.insertText(controlText.mid(prefix, controlText.size() - suffix - prefix));
    cursor.endEditBlock();
    m_text = modelForm(this->controlText());
    m_replacing = false;
    select(location, length);
}

bool MarkdownTextView::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && (key->modifiers() & Qt::ControlModifier)) {
            const bool forward =
                key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
            // The text control keeps Tab for itself; the widget's own chain still works.
            QWidget::focusNextPrevChild(forward);
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

void MarkdownTextView::onContentsChanged()
{
    if (m_replacing)
        return;
    QString text = modelForm(controlText());
    // Format-only changes also arrive here; only real edits go out.
    if (text == m_text)
        return;
    m_text = std::move(text);
    emit edited(m_text);
}

} // namespace wrenfold::ui
