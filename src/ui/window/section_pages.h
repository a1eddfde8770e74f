// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "app/app_section.h"
#include "core/journal.h"

#include <QWidget>

#include <functional>
#include <optional>

namespace wrenfold::app {
class AppModel;
}

namespace wrenfold::platform {
class Workspace;
}

namespace wrenfold::ui {

/// What screens may need from the window besides the model.
struct ScreenContext {
    /// Opens the calendar sources dialog ("Open Calendar Settings"); may be empty.
    std::function<void()> openCalendarSettings;
    /// Reveals files in the file manager (preserved copies); may be null.
    platform::Workspace *workspace = nullptr;
};

/// A page that says which section it is while that section has no screen: the section's
/// title with its symbol, and nothing pretending to work.
class SectionPlaceholder final : public QWidget {
    Q_OBJECT
public:
    SectionPlaceholder(const QString &symbol, const QString &title, QWidget *parent = nullptr);
    QString title() const { return m_title; }

private:
    QString m_title;
};

/// The detail screen of `section`, newly created (no selection is the today screen).
QWidget *createSectionPage(std::optional<app::AppSection> section, app::AppModel &model,
                           const ScreenContext &context, QWidget *parent);

/// The content of the flow sheets: a new flow (no flow given) or an existing one's editor,
/// and a flow's detail with its monthly review.
QWidget *createFlowEditorPage(app::AppModel &model, const std::optional<core::FlowItem> &flow,
                              QWidget *parent);
QWidget *createFlowDetailPage(app::AppModel &model, const core::FlowItem &flow, QWidget *parent);

} // namespace wrenfold::ui
