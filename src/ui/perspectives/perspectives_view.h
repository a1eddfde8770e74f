// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "core/journal.h"

#include <QList>
#include <QWidget>

class QGridLayout;
class QPushButton;
class QScrollArea;

namespace wrenfold::core {
struct Perspective;
}

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::ui {

/// One perspective of the catalogue: its name, localised title and explanation, and
/// "Add to Today’s Journal". One accessible element named after the perspective.
class PerspectiveCatalogueCard final : public QWidget {
    Q_OBJECT
public:
    PerspectiveCatalogueCard(app::AppModel &model, const core::Perspective &perspective,
                             QWidget *parent = nullptr);

    core::PerspectiveID perspectiveID() const { return m_id; }
    QPushButton *addButton() const { return m_add; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    core::PerspectiveID m_id;
    QPushButton *m_add = nullptr;
};

/// The Perspectives screen: the eleven perspectives as cards in catalogue order, in as
/// many columns of at least 290 pixels as the width holds (one when narrow). Keeps no
/// state; adding a card's perspective switches to the today screen.
class PerspectivesView final : public QWidget {
    Q_OBJECT
public:
    explicit PerspectivesView(app::AppModel &model, QWidget *parent = nullptr);

    /// Columns the grid shows at the current width; at least one.
    int columnCount() const { return m_columns; }
    /// The columns that `width` pixels of grid area hold.
    static int columnsFor(int width);

    QList<PerspectiveCatalogueCard *> cards() const { return m_cards; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void arrange();

    QScrollArea *m_scroll = nullptr;
    QGridLayout *m_grid = nullptr;
    QList<PerspectiveCatalogueCard *> m_cards;
    int m_columns = 0;
};

} // namespace wrenfold::ui
