// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/window/conflict_alert.h"

#include "ui/widgets/text_styles.h"
#include "ui/window/keystroke_guard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace wrenfold::ui {

ConflictAlert::ConflictAlert(QWidget *parent) : QDialog(parent)
{
    const QString title = tr("Journal changed in another app");
    const QString message = tr("Choose which version to keep. Keep Both saves your unsaved text "
                               "as a separate Markdown file.");
    setWindowTitle(title);
    setAccessibleName(title);
    setAccessibleDescription(message);
    // No close button in the title bar: closing is not an answer.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::WindowModal);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(24, 24, 24, 16);
    row->setSpacing(16);

    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    row->addWidget(icon, 0, Qt::AlignTop);

    auto *column = new QVBoxLayout;
    column->setSpacing(8);
    auto *heading = new QLabel(title, this);
    applyTextStyle(heading, TextStyle::headline);
    heading->setWordWrap(true);
    column->addWidget(heading);
    auto *body = new QLabel(message, this);
    body->setWordWrap(true);
    body->setMinimumWidth(340);
    column->addWidget(body);
    column->addSpacing(8);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_useExternal = new QPushButton(tr("Use External"), this);
    m_keepMine = new QPushButton(tr("Keep Mine"), this);
    m_keepBoth = new QPushButton(tr("Keep Both"), this);
    for (QPushButton *button : {m_useExternal, m_keepMine, m_keepBoth}) {
        button->setAccessibleName(button->text());
        // Neither Return nor a space meant for the journal may press a button.
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
        buttons->addWidget(button);
    }
    column->addLayout(buttons);
    row->addLayout(column, 1);

    connect(m_useExternal, &QPushButton::clicked, this, &ConflictAlert::useExternalChosen);
    connect(m_keepMine, &QPushButton::clicked, this, &ConflictAlert::keepMineChosen);
    connect(m_keepBoth, &QPushButton::clicked, this, &ConflictAlert::keepBothChosen);
    // The alert itself holds the focus when it opens, so no keystroke lands on a button.
    setFocusPolicy(Qt::StrongFocus);
    m_keyGuard = new KeystrokeGuard(this);
}

void ConflictAlert::reject() {}

bool ConflictAlert::ignoresKeys() const
{
    return m_keyGuard->ignoresKeys();
}

void ConflictAlert::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    setFocus(Qt::OtherFocusReason);
}

void ConflictAlert::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void ConflictAlert::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace wrenfold::ui
