// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/editor/markdown_toolbar.h"

#include "ui/icons.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

QStringView symbolOf(MarkdownAction action)
{
    switch (action) {
    case MarkdownAction::bold:
        return u"bold";
    case MarkdownAction::italic:
        return u"italic";
    case MarkdownAction::heading:
        return u"textformat.size";
    case MarkdownAction::link:
        return u"link";
    case MarkdownAction::bullet:
        return u"list.bullet";
    case MarkdownAction::task:
        return u"checklist";
    }
    return {};
}

} // namespace

const QList<MarkdownAction> &allMarkdownActions()
{
    static const QList<MarkdownAction> actions{MarkdownAction::bold,    MarkdownAction::italic,
                                               MarkdownAction::heading, MarkdownAction::link,
                                               MarkdownAction::bullet,  MarkdownAction::task};
    return actions;
}

QString title(MarkdownAction action)
{
    switch (action) {
    case MarkdownAction::bold:
        return QCoreApplication::translate("MarkdownToolbar", "Bold");
    case MarkdownAction::italic:
        return QCoreApplication::translate("MarkdownToolbar", "Italic");
    case MarkdownAction::heading:
        return QCoreApplication::translate("MarkdownToolbar", "Heading");
    case MarkdownAction::link:
        return QCoreApplication::translate("MarkdownToolbar", "Link");
    case MarkdownAction::bullet:
        return QCoreApplication::translate("MarkdownToolbar", "Bulleted List");
    case MarkdownAction::task:
        return QCoreApplication::translate("MarkdownToolbar", "Task");
    }
    return {};
}

MarkdownToolbar::MarkdownToolbar(std::function<void(MarkdownAction)> apply, QWidget *parent)
    : QWidget(parent), m_apply(std::move(apply))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);

    for (MarkdownAction action : allMarkdownActions()) {
        if (action == MarkdownAction::bullet) {
            auto *divider = new QFrame(this);
            divider->setFrameShape(QFrame::VLine);
            divider->setFrameShadow(QFrame::Sunken);
            divider->setFixedHeight(18);
            row->addWidget(divider);
        }
        auto *button = new QToolButton(this);
        const QString text = title(action);
        const QIcon icon = symbolIcon(symbolOf(action));
        button->setText(text);
        button->setToolTip(text);
        button->setAccessibleName(text);
        button->setAutoRaise(true);
        // A theme without the icon still leaves a readable button.
        button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
        button->setIcon(icon);
        // Tab reaches the buttons; a click leaves the focus in the text.
        button->setFocusPolicy(Qt::TabFocus);
        button->setObjectName(u"markdownAction_"_s + symbolOf(action).toString());
        connect(button, &QToolButton::clicked, this, [this, action] {
            if (m_apply)
                m_apply(action);
        });
        row->addWidget(button);
        m_buttons.append(button);
    }

    row->addStretch(1);
    auto *caption = new QLabel(tr("Markdown"), this);
    QFont captionFont = caption->font();
    captionFont.setPointSizeF(captionFont.pointSizeF() * 0.85);
    caption->setFont(captionFont);
    caption->setForegroundRole(QPalette::PlaceholderText);
    row->addWidget(caption);
}

QToolButton *MarkdownToolbar::button(MarkdownAction action) const
{
    const auto index = allMarkdownActions().indexOf(action);
    return index >= 0 ? m_buttons.value(index) : nullptr;
}

} // namespace wrenfold::ui
