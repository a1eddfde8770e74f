// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QToolButton;

namespace wrenfold::ui {

/// The toolbar's formatting actions, in button order.
enum class MarkdownAction { bold, italic, heading, link, bullet, task };

/// All six in button order.
const QList<MarkdownAction> &allMarkdownActions();
/// Localised button title, also its tooltip and accessible name ("Bold", "Bulleted List").
QString title(MarkdownAction action);

/// One row of six icon buttons with a divider between "Link" and "Bulleted List", then the
/// word "Markdown". Pressing a button calls `apply` with its action.
class MarkdownToolbar final : public QWidget {
    Q_OBJECT
public:
    /// An empty `apply` makes the buttons do nothing.
    explicit MarkdownToolbar(std::function<void(MarkdownAction)> apply, QWidget *parent = nullptr);

    /// The button of `action`, for focus chains and tests.
    QToolButton *button(MarkdownAction action) const;

private:
    std::function<void(MarkdownAction)> m_apply;
    QList<QToolButton *> m_buttons;
};

} // namespace wrenfold::ui
