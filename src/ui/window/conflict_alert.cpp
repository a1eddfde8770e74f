// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/window/conflict_alert.h"

#include "ui/widgets/text_styles.h"

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
    row->setContentsMargins(20, 20, 20, 16);
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
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    // Return answers with the one choice that loses no text.
    m_keepBoth->setDefault(true);
    column->addLayout(buttons);
    row->addLayout(column, 1);

    connect(m_useExternal, &QPushButton::clicked, this, &ConflictAlert::useExternalChosen);
    connect(m_keepMine, &QPushButton::clicked, this, &ConflictAlert::keepMineChosen);
    connect(m_keepBoth, &QPushButton::clicked, this, &ConflictAlert::keepBothChosen);
    setFocusProxy(m_keepBoth);
}

void ConflictAlert::reject() {}

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
