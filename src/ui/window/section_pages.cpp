// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/window/section_pages.h"

#include "app/app_model.h"
#include "ui/calendar/calendar_view.h"
#include "ui/flows/flow_detail_view.h"
#include "ui/flows/flow_editor_view.h"
#include "ui/flows/flows_view.h"
#include "ui/journal/journal_view.h"
#include "ui/perspectives/perspectives_view.h"
#include "ui/today/today_view.h"
#include "ui/widgets/empty_state_panel.h"
#include "ui/widgets/text_styles.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {

SectionPlaceholder::SectionPlaceholder(const QString &symbol, const QString &title, QWidget *parent)
    : QWidget(parent), m_title(title)
{
    setAccessibleName(title);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    auto *heading = new QLabel(title, this);
    heading->setFont(textStyleFont(TextStyle::largeTitle));
    column->addWidget(heading);
    column->addWidget(new EmptyStatePanel(symbol, title, {}, {}, this), 1);
}

QWidget *createSectionPage(std::optional<app::AppSection> section, app::AppModel &model,
                           const ScreenContext &context, QWidget *parent)
{
    const app::AppSection shown = section.value_or(app::AppSection::today);
    switch (shown) {
    case app::AppSection::today:
        return new TodayView(model, context.openCalendarSettings, parent);
    case app::AppSection::flows:
        return new FlowsView(model, parent);
    case app::AppSection::calendar:
        return new CalendarView(model, parent);
    case app::AppSection::journal:
        return new JournalView(model, context.workspace, parent);
    case app::AppSection::perspectives:
        return new PerspectivesView(model, parent);
    }
    return new SectionPlaceholder(app::symbolName(shown), app::title(shown), parent);
}

QWidget *createFlowEditorPage(app::AppModel &model, const std::optional<core::FlowItem> &flow,
                              QWidget *parent)
{
    return new FlowEditorView(model, flow, parent);
}

QWidget *createFlowDetailPage(app::AppModel &model, const core::FlowItem &flow, QWidget *parent)
{
    return new FlowDetailView(model, flow, parent);
}

} // namespace wrenfold::ui
