// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/window/sidebar.h"

#include "app/app_model.h"
#include "ui/icons.h"
#include "ui/widgets/text_styles.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace wrenfold::ui {

Sidebar::Sidebar(app::AppModel &model, QWidget *parent) : QWidget(parent), m_model(model)
{
    setMinimumWidth(190);
    setAutoFillBackground(true);
    QPalette tinted = palette();
    tinted.setColor(QPalette::Window, palette().color(QPalette::Window).darker(104));
    tinted.setColor(QPalette::Base, tinted.color(QPalette::Window));
    setPalette(tinted);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(8);

    auto *title = new QLabel(tr("Wrenfold"), this);
    applyTextStyle(title, TextStyle::headline);
    title->setContentsMargins(8, 0, 0, 0);
    column->addWidget(title);

    m_list = new QListWidget(this);
    m_list->setAccessibleName(tr("Sections"));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setIconSize(QSize(18, 18));
    m_list->setSpacing(1);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setTextElideMode(Qt::ElideRight);
    for (app::AppSection section : app::allAppSections()) {
        auto *item =
            new QListWidgetItem(symbolIcon(app::symbolName(section)), app::title(section), m_list);
        item->setData(Qt::UserRole, app::rawValue(section));
        item->setSizeHint(QSize(0, 32));
    }
    column->addWidget(m_list, 1);

    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        // Only a row the user picks moves the model; clearing the highlight does not.
        if (const std::optional<app::AppSection> section = highlightedSection())
            m_model.setSelection(*section);
    });
    connect(&m_model, &app::AppModel::selectionChanged, this, &Sidebar::refresh);
    refresh();
}

std::optional<app::AppSection> Sidebar::highlightedSection() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return app::appSectionFromRawValue(selected.first()->data(Qt::UserRole).toString());
}

void Sidebar::refresh()
{
    const QSignalBlocker blocker(m_list);
    const std::optional<app::AppSection> selection = m_model.selection();
    if (!selection) {
        m_list->clearSelection();
        m_list->setCurrentItem(nullptr);
    } else {
        const int row = static_cast<int>(app::allAppSections().indexOf(*selection));
        m_list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
    m_list->viewport()->update();
}

} // namespace wrenfold::ui
