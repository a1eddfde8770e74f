// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace wrenfold::ui {

/// A centred "nothing here" panel: a large symbol, a title, an optional description and
/// an optional button. Used where a list is empty or a source is unavailable.
class EmptyStatePanel final : public QWidget {
    Q_OBJECT
public:
    /// An empty `description` or `buttonText` hides that part; an unknown symbol shows no
    /// picture.
    EmptyStatePanel(const QString &symbol, const QString &title, const QString &description = {},
                    const QString &buttonText = {}, QWidget *parent = nullptr);

    QString title() const;
    QString description() const;
    /// Null when the panel was built without a button.
    QPushButton *button() const { return m_button; }

signals:
    /// The panel's button was pressed (by mouse or keyboard).
    void buttonClicked();

private:
    QLabel *m_title = nullptr;
    QLabel *m_description = nullptr;
    QPushButton *m_button = nullptr;
};

} // namespace wrenfold::ui
