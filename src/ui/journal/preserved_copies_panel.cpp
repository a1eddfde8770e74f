// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/journal/preserved_copies_panel.h"

#include "app/app_model.h"
#include "platform/workspace.h"
#include "ui/icons.h"
#include "ui/widgets/text_styles.h"

#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

constexpr int kMaximumListHeight = 180;

} // namespace

PreservedCopiesPanel::PreservedCopiesPanel(app::AppModel &model, platform::Workspace *workspace,
                                           QWidget *parent)
    : QWidget(parent), m_model(model), m_workspace(workspace)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    column->addWidget(divider);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(12, 12, 12, 12);
    body->setSpacing(8);
    auto *heading = new QLabel(tr("Preserved copies"), this);
    applyTextStyle(heading, TextStyle::headline);
    body->addWidget(heading);

    // Many copies scroll instead of pushing the entries list away.
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list = new QWidget(m_scroll);
    m_rows = new QVBoxLayout(m_list);
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setSpacing(8);
    m_scroll->setWidget(m_list);
    body->addWidget(m_scroll);
    column->addLayout(body);

    connect(&m_model, &app::AppModel::preservedCopiesChanged, this, &PreservedCopiesPanel::refresh);
    refresh();
}

void PreservedCopiesPanel::refresh()
{
    const QStringList copies = m_model.preservedCopies();
    setVisible(!copies.isEmpty());
    if (copies == m_shown)
        return;
    m_shown = copies;
    qDeleteAll(m_buttons);
    m_buttons.clear();
    for (const QString &path : copies) {
        auto *button = new QToolButton(m_list);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        button->setIcon(symbolIcon(u"doc.badge.clock"));
        button->setText(QFileInfo(path).fileName());
        button->setProperty("fileName", button->text());
        button->setToolTip(tr("Show preserved copy in file manager"));
        button->setAccessibleName(tr("Show preserved copy %1 in file manager").arg(button->text()));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setEnabled(m_workspace != nullptr);
        connect(button, &QToolButton::clicked, this, [this, path] { reveal(path); });
        m_rows->addWidget(button);
        m_buttons << button;
    }
    m_scroll->setFixedHeight(std::min(m_list->sizeHint().height(), kMaximumListHeight));
    elideNames();
}

void PreservedCopiesPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    elideNames();
}

void PreservedCopiesPanel::elideNames()
{
    for (QToolButton *button : std::as_const(m_buttons)) {
        const int room = m_scroll->viewport()->width() - button->iconSize().width() - 24;
        const QString name = button->property("fileName").toString();
        button->setText(
            button->fontMetrics().elidedText(name, Qt::ElideMiddle, std::max(room, 40)));
    }
}

void PreservedCopiesPanel::reveal(const QString &path)
{
    if (m_workspace && !m_workspace->revealFile(path))
        m_model.setErrorMessage(tr("The file manager could not show %1.").arg(path));
}

} // namespace wrenfold::ui
