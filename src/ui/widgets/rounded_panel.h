// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QPalette>
#include <QWidget>

namespace wrenfold::ui {

/// A plain container that paints a rounded rectangle behind its children, filled with a
/// palette colour at the given opacity (cards, text fields without their own frame).
class RoundedPanel : public QWidget {
    Q_OBJECT
public:
    RoundedPanel(qreal radius, QPalette::ColorRole role, qreal opacity, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal m_radius;
    QPalette::ColorRole m_role;
    qreal m_opacity;
};

} // namespace wrenfold::ui
