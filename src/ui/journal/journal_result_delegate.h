// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QStyledItemDelegate>

namespace wrenfold::ui {

/// Draws a journal row: the date in the headline font over the excerpt in the caption
/// font and secondary colour, cut to two lines. The selected day's row is tinted with
/// the accent colour; the keyboard's current row gets a focus frame. Every row has the
/// same height, so long lists lay out at once.
class JournalResultDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit JournalResultDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace wrenfold::ui
