// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QDialog>

class QPushButton;

namespace wrenfold::ui {
class KeystrokeGuard;
}

namespace wrenfold::ui {

/// Asks which version of the day's journal to keep when it changed both here and in
/// another application. It has no way out but its three answers: Escape, the window's
/// close button and closing the parent window do not dismiss it. The owner hides it once
/// the conflict is resolved.
///
/// It appears while the user may be typing, so typing must never answer it: no button is
/// the default or has the focus when it opens, and key presses are ignored for a moment
/// after it appears. After that, Tab reaches the buttons as usual.
class ConflictAlert final : public QDialog {
    Q_OBJECT
public:
    explicit ConflictAlert(QWidget *parent = nullptr);

    QPushButton *useExternalButton() const { return m_useExternal; }
    QPushButton *keepMineButton() const { return m_keepMine; }
    QPushButton *keepBothButton() const { return m_keepBoth; }

    /// Ignored: only an answer ends the alert.
    void reject() override;

    /// True during the moment after the alert appears in which keys are ignored.
    bool ignoresKeys() const;

signals:
    void useExternalChosen();
    void keepMineChosen();
    void keepBothChosen();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *m_useExternal = nullptr;
    QPushButton *m_keepMine = nullptr;
    QPushButton *m_keepBoth = nullptr;
    KeystrokeGuard *m_keyGuard = nullptr;
};

} // namespace wrenfold::ui
