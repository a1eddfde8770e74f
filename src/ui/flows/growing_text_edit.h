// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QPlainTextEdit>

namespace wrenfold::ui {

/// A plain-text field that grows with its text from `minLines` to `maxLines` lines and
/// scrolls beyond. Tab moves the focus on. Return either submits the form (the field
/// emits `submitRequested` and Shift+Return starts a new line) or starts a new line
/// (Ctrl+Return submits), as the form chooses.
class GrowingTextEdit final : public QPlainTextEdit {
    Q_OBJECT
public:
    enum class ReturnKey { submits, newLine };

    GrowingTextEdit(int minLines, int maxLines, ReturnKey returnKey, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void submitRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int heightForLines(int lines) const;
    void fitToText();

    int m_minLines;
    int m_maxLines;
    ReturnKey m_returnKey;
};

} // namespace wrenfold::ui
