// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/today/perspective_cards.h"

#include "app/app_model.h"
#include "ui/icons.h"
#include "ui/widgets/rounded_panel.h"
#include "ui/widgets/text_styles.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {

PerspectiveCard::PerspectiveCard(app::AppModel &model, const core::DailyPerspectiveEntry &entry,
                                 bool isEditing, QWidget *parent)
    : QWidget(parent), m_model(model), m_id(entry.perspectiveID), m_isEditing(isEditing)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *card = new RoundedPanel(10, QPalette::WindowText, 0.06, this);
    outer->addWidget(card);

    auto *column = new QVBoxLayout(card);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(8);

    auto *row = new QHBoxLayout;
    m_heading = new QLabel(card);
    m_heading->setWordWrap(true);
    applyTextStyle(m_heading, TextStyle::headline);
    row->addWidget(m_heading, 1);
    m_remove = new QToolButton(card);
    m_remove->setIcon(symbolIcon(u"xmark"_s));
    if (m_remove->icon().isNull())
        m_remove->setText(u"×"_s);
    m_remove->setAutoRaise(true);
    m_remove->setToolTip(tr("Remove Perspective"));
    m_remove->setFocusPolicy(Qt::StrongFocus);
    connect(m_remove, &QToolButton::clicked, this, [this] {
        // The model rebuilds the cards; this card is gone afterwards.
        const core::PerspectiveID id = m_id;
        app::AppModel &model = m_model;
        model.removePerspective(id);
    });
    row->addWidget(m_remove, 0, Qt::AlignTop);
    column->addLayout(row);

    m_prompt = new QLabel(card);
    m_prompt->setWordWrap(true);
    applySecondaryColor(m_prompt);
    column->addWidget(m_prompt);

    m_editorPanel = new RoundedPanel(7, QPalette::Window, 0.45, card);
    auto *editorLayout = new QVBoxLayout(m_editorPanel);
    editorLayout->setContentsMargins(8, 8, 8, 8);
    m_editor = new QPlainTextEdit(m_editorPanel);
    m_editor->setFrameShape(QFrame::NoFrame);
    m_editor->viewport()->setAutoFillBackground(false);
    m_editor->setAutoFillBackground(false);
    m_editor->setTabChangesFocus(true);
    m_editor->setFont(textStyleFont(TextStyle::body));
    m_editorPanel->setMinimumHeight(64);
    m_editorPanel->setMaximumHeight(120);
    m_editorPanel->setFixedHeight(82);
    editorLayout->addWidget(m_editor);
    connect(m_editor, &QPlainTextEdit::textChanged, this,
            [this] { m_model.updatePerspectiveResponse(m_editor->toPlainText(), m_id); });
    column->addWidget(m_editorPanel);

    m_responseLabel = new QLabel(card);
    m_responseLabel->setWordWrap(true);
    m_responseLabel->setTextFormat(Qt::PlainText);
    m_responseLabel->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                             Qt::TextSelectableByKeyboard);
    column->addWidget(m_responseLabel);

    update(entry);
}

void PerspectiveCard::update(const core::DailyPerspectiveEntry &entry)
{
    m_heading->setText(entry.name + u" — "_s + entry.title);
    m_remove->setAccessibleName(tr("Remove %1").arg(entry.name));
    m_prompt->setText(entry.prompt);
    m_editor->setAccessibleName(tr("%1 response").arg(entry.name));
    if (m_editor->toPlainText() != entry.response) {
        const QSignalBlocker blocker(m_editor);
        m_editor->setPlainText(entry.response);
    }
    m_responseLabel->setText(entry.response);
    refreshVisibility();
}

void PerspectiveCard::setEditing(bool isEditing)
{
    m_isEditing = isEditing;
    refreshVisibility();
}

void PerspectiveCard::refreshVisibility()
{
    m_remove->setVisible(m_isEditing);
    m_editorPanel->setVisible(m_isEditing);
    m_responseLabel->setVisible(!m_isEditing && !m_responseLabel->text().isEmpty());
}

PerspectiveCards::PerspectiveCards(app::AppModel &model, QWidget *parent)
    : QWidget(parent), m_model(model)
{
    setAccessibleName(tr("Perspectives"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(12);

    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    outer->addWidget(divider);

    auto *header = new QHBoxLayout;
    header->setSpacing(8);
    auto *icon = new QLabel(this);
    icon->setPixmap(symbolIcon(u"circle.hexagongrid"_s).pixmap(16, 16));
    header->addWidget(icon);
    auto *title = new QLabel(tr("Perspectives"), this);
    applyTextStyle(title, TextStyle::subheadline);
    header->addWidget(title);
    header->addStretch(1);
    outer->addLayout(header);

    m_cardColumn = new QVBoxLayout;
    m_cardColumn->setSpacing(12);
    outer->addLayout(m_cardColumn);

    connect(&m_model, &app::AppModel::perspectiveEntriesChanged, this, &PerspectiveCards::refresh);
    refresh();
}

void PerspectiveCards::setEditing(bool isEditing)
{
    if (m_isEditing == isEditing)
        return;
    m_isEditing = isEditing;
    for (PerspectiveCard *card : std::as_const(m_cards))
        card->setEditing(isEditing);
}

void PerspectiveCards::refresh()
{
    const QList<core::DailyPerspectiveEntry> &entries = m_model.perspectiveEntries();
    bool sameCards = entries.size() == m_cards.size();
    for (qsizetype i = 0; sameCards && i < entries.size(); ++i)
        sameCards = entries[i].perspectiveID == m_cards[i]->perspectiveID();

    if (sameCards) {
        // Typing in a response rewrites the list; updating in place keeps the cursor.
        for (qsizetype i = 0; i < entries.size(); ++i)
            m_cards[i]->update(entries[i]);
    } else {
        for (PerspectiveCard *card : std::as_const(m_cards))
            card->deleteLater();
        for (PerspectiveCard *card : std::as_const(m_cards))
            card->hide();
        m_cards.clear();
        for (const core::DailyPerspectiveEntry &entry : entries) {
            auto *card = new PerspectiveCard(m_model, entry, m_isEditing, this);
            m_cardColumn->addWidget(card);
            // A layout shows new children only on a later turn of the event loop; the
            // card must be there as soon as the entry is.
            card->show();
            m_cards.append(card);
        }
    }
    // Never show a parentless widget: it would open as a window of its own.
    if (entries.isEmpty())
        hide();
    else if (parentWidget())
        show();
}

} // namespace wrenfold::ui
