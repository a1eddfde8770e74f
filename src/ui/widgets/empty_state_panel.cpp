// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/widgets/empty_state_panel.h"

#include "ui/icons.h"
#include "ui/widgets/text_styles.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wrenfold::ui {

EmptyStatePanel::EmptyStatePanel(const QString &symbol, const QString &title,
                                 const QString &description, const QString &buttonText,
                                 QWidget *parent)
    : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(16, 24, 16, 24);
    column->setSpacing(8);
    column->addStretch(1);

    const QIcon icon = symbolIcon(symbol);
    if (!icon.isNull()) {
        auto *picture = new QLabel(this);
        picture->setPixmap(icon.pixmap(40, 40));
        picture->setAlignment(Qt::AlignHCenter);
        picture->setAccessibleName(title);
        column->addWidget(picture);
        column->addSpacing(4);
    }

    m_title = new QLabel(title, this);
    m_title->setAlignment(Qt::AlignHCenter);
    m_title->setWordWrap(true);
    m_title->setFont(textStyleFont(TextStyle::title3));
    column->addWidget(m_title);

    m_description = new QLabel(description, this);
    m_description->setAlignment(Qt::AlignHCenter);
    m_description->setWordWrap(true);
    m_description->setTextInteractionFlags(Qt::TextSelectableByMouse);
    applySecondaryColor(m_description);
    m_description->setVisible(!description.isEmpty());
    column->addWidget(m_description);

    if (!buttonText.isEmpty()) {
        column->addSpacing(8);
        m_button = new QPushButton(buttonText, this);
        m_button->setAccessibleName(buttonText);
        column->addWidget(m_button, 0, Qt::AlignHCenter);
        connect(m_button, &QPushButton::clicked, this, &EmptyStatePanel::buttonClicked);
    }
    column->addStretch(1);
}

QString EmptyStatePanel::title() const
{
    return m_title->text();
}

QString EmptyStatePanel::description() const
{
    return m_description->text();
}

} // namespace wrenfold::ui
