// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/today/today_view.h"

#include "app/app_model.h"
#include "ui/editor/journal_editor.h"
#include "ui/today/calendar_agenda.h"
#include "ui/today/day_format.h"
#include "ui/today/day_header.h"
#include "ui/today/journal_footer_area.h"
#include "ui/today/journal_habits_footer.h"
#include "ui/today/perspective_cards.h"
#include "ui/today/root_notice.h"
#include "ui/widgets/text_styles.h"

#include <QFrame>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

namespace wrenfold::ui {

TodayView::TodayView(app::AppModel &model, std::function<void()> openCalendarSettings,
                     QWidget *parent)
    : QWidget(parent), m_model(model)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *headerBlock = new QWidget(this);
    auto *headerColumn = new QVBoxLayout(headerBlock);
    headerColumn->setContentsMargins(24, 24, 24, 24);
    headerColumn->setSpacing(12);
    m_header = new DayHeader(model, headerBlock);
    headerColumn->addWidget(m_header);
    m_title = new QLabel(headerBlock);
    m_title->setFont(textStyleFont(TextStyle::largeTitle));
    m_title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_title->setAccessibleName(tr("Selected day"));
    m_title->setWordWrap(true);
    headerColumn->addWidget(m_title);
    m_rootNotice = new RootNotice(model, headerBlock);
    headerColumn->addWidget(m_rootNotice);
    column->addWidget(headerBlock);

    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    column->addWidget(divider);

    m_split = new QSplitter(Qt::Horizontal, this);
    m_split->setChildrenCollapsible(false);

    m_agenda = new CalendarAgenda(model, std::move(openCalendarSettings), m_split);
    // Narrower than an ideal agenda and entry, so that an 800-pixel window still fits both.
    m_agenda->setMinimumWidth(200);
    m_split->addWidget(m_agenda);

    m_editor = new JournalEditor(model, m_split);
    m_editor->setMinimumWidth(340);
    auto *footer = new JournalFooterArea(m_editor, m_editor);
    m_cards = new PerspectiveCards(model, footer);
    m_cards->setEditing(m_editor->mode() == JournalMode::write);
    footer->addPart(m_cards);
    m_habits = new JournalHabitsFooter(model, footer);
    footer->addPart(m_habits);
    m_editor->addFooterWidget(footer);
    // Another day's cards and habits start at their top.
    connect(&m_model, &app::AppModel::selectedDateChanged, footer,
            [footer] { footer->verticalScrollBar()->setValue(0); });
    connect(m_editor, &JournalEditor::modeChanged, m_cards,
            [this](JournalMode mode) { m_cards->setEditing(mode == JournalMode::write); });
    m_split->addWidget(m_editor);

    // A narrower window takes most of its width from the agenda, not the writing area.
    m_split->setStretchFactor(0, 1);
    m_split->setStretchFactor(1, 3);
    m_split->setSizes({360, 800});
    column->addWidget(m_split, 1);

    // The focus chain follows creation order: header, agenda, then the journal pane with
    // its mode switch, menus and toolbar before its text.

    connect(&m_model, &app::AppModel::selectedDateChanged, this, &TodayView::refreshTitle);
    refreshTitle();
}

void TodayView::refreshTitle()
{
    const QDate day = m_model.store().calendar().dayOf(m_model.selectedDate());
    m_title->setText(dayTitle(day));
}

} // namespace wrenfold::ui
