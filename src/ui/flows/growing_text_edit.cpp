// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/flows/growing_text_edit.h"

#include <QKeyEvent>
#include <QTextBlock>

#include <algorithm>

namespace wrenfold::ui {

GrowingTextEdit::GrowingTextEdit(int minLines, int maxLines, ReturnKey returnKey, QWidget *parent)
    : QPlainTextEdit(parent), m_minLines(minLines), m_maxLines(std::max(minLines, maxLines)),
      m_returnKey(returnKey)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &GrowingTextEdit::fitToText);
    connect(this, &QPlainTextEdit::textChanged, this, &GrowingTextEdit::fitToText);
    setFixedHeight(heightForLines(m_minLines));
}

int GrowingTextEdit::heightForLines(int lines) const
{
    const QMargins margins = contentsMargins();
    const int frame = margins.top() + margins.bottom();
    const int padding = int(2 * document()->documentMargin());
    return lines * fontMetrics().lineSpacing() + frame + padding;
}

QSize GrowingTextEdit::sizeHint() const
{
    return {QPlainTextEdit::sizeHint().width(), height()};
}

QSize GrowingTextEdit::minimumSizeHint() const
{
    return {QPlainTextEdit::minimumSizeHint().width(), heightForLines(m_minLines)};
}

void GrowingTextEdit::fitToText()
{
    // Wrapped lines count: each block reports how many visual lines its layout took.
    int lines = 0;
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next())
        lines += std::max(1, block.layout() ? block.layout()->lineCount() : 1);
    const int wanted = heightForLines(std::clamp(lines, m_minLines, m_maxLines));
    if (wanted != height()) {
        setFixedHeight(wanted);
        updateGeometry();
    }
}

void GrowingTextEdit::keyPressEvent(QKeyEvent *event)
{
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (isReturn) {
        const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        const bool submits = modifiers == Qt::ControlModifier ||
                             (m_returnKey == ReturnKey::submits && modifiers == Qt::NoModifier);
        if (submits) {
            emit submitRequested();
            event->accept();
            return;
        }
        if (modifiers != Qt::NoModifier) {
            // Shift+Return (or a plain Return in a new-line field) is a new line, never a
            // soft break that would save as U+2028.
            insertPlainText(QStringLiteral("\n"));
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace wrenfold::ui
