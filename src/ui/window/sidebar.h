// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "app/app_section.h"

#include <QWidget>

#include <optional>

class QListWidget;

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

/// The list of the five sections, bound both ways to the model's `selection`: choosing a
/// row sets it, and a change of `selection` from anywhere moves the highlight. With no
/// selection no row is highlighted.
class Sidebar final : public QWidget {
    Q_OBJECT
public:
    explicit Sidebar(app::AppModel &model, QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    /// The section of the highlighted row, nullopt when none is.
    std::optional<app::AppSection> highlightedSection() const;

private:
    void refresh();

    app::AppModel &m_model;
    QListWidget *m_list = nullptr;
};

} // namespace wrenfold::ui
