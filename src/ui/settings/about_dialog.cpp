// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/settings/about_dialog.h"

#include "app/app_model.h"
#include "platform/workspace.h"
#include "ui/icons.h"
#include "ui/widgets/text_styles.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {

QLabel *createLinkLabel(const QString &text, const QUrl &url, platform::Workspace &workspace,
                        QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setText(u"<a href=\"%1\">%2</a>"_s.arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                                                  text.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setFocusPolicy(Qt::TabFocus);
    label->setAccessibleName(text);
    label->setToolTip(url.toDisplayString());
    QObject::connect(label, &QLabel::linkActivated, label,
                     [&workspace, url] { workspace.openUrl(url); });
    return label;
}

AboutDialog::AboutDialog(platform::Workspace &workspace, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("About Wrenfold"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(28, 24, 28, 16);
    column->setSpacing(8);
    // The window fits its text, whatever the language, and cannot be squeezed.
    column->setSizeConstraint(QLayout::SetFixedSize);

    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignHCenter);
    column->addWidget(icon);

    m_name = new QLabel(tr("Wrenfold %1").arg(app::AppModel::version()), this);
    applyTextStyle(m_name, TextStyle::title2);
    m_name->setAlignment(Qt::AlignHCenter);
    m_name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_name);

    auto *description = new QLabel(
        tr("A journal and day planner that keeps every day in a Markdown file of your own."), this);
    description->setAlignment(Qt::AlignHCenter);
    column->addWidget(description);

    auto *licence = new QLabel(tr("Free software under the MIT License."), this);
    applyTextStyle(licence, TextStyle::caption);
    applySecondaryColor(licence);
    licence->setAlignment(Qt::AlignHCenter);
    column->addWidget(licence);

    auto *links = new QHBoxLayout;
    links->setSpacing(16);
    links->addStretch(1);
    links->addWidget(createLinkLabel(tr("Website"), app::AppModel::websiteURL(), workspace, this));
    links->addWidget(
        createLinkLabel(tr("Send feedback"), app::AppModel::feedbackURL(), workspace, this));
    links->addStretch(1);
    column->addSpacing(4);
    column->addLayout(links);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addSpacing(8);
    column->addWidget(buttons);
}

} // namespace wrenfold::ui
