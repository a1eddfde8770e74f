// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/flows/flow_editor_view.h"

#include "app/app_model.h"
#include "ui/flows/flow_texts.h"
#include "ui/flows/growing_text_edit.h"
#include "ui/flows/weekday_picker.h"
#include "ui/widgets/text_styles.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wrenfold::ui {

FlowEditorView::FlowEditorView(app::AppModel &model, const std::optional<core::FlowItem> &flow,
                               QWidget *parent)
    : QWidget(parent), m_model(model), m_flow(flow)
{
    const core::FlowItem start = flow.value_or(core::FlowItem{});
    m_tracksHabit = flow && flow->tracksHabit;

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);

    auto *title = new QLabel(flow ? tr("Edit Flow") : tr("New Flow"), this);
    applyTextStyle(title, TextStyle::title2);
    column->addWidget(title);

    m_name = new QLineEdit(start.title, this);
    m_name->setPlaceholderText(tr("Name"));
    m_name->setAccessibleName(tr("Name"));
    column->addWidget(m_name);

    m_detail = new GrowingTextEdit(2, 4, GrowingTextEdit::ReturnKey::submits, this);
    m_detail->setPlaceholderText(tr("Current note"));
    m_detail->setAccessibleName(tr("Current note"));
    m_detail->setPlainText(start.detail);
    column->addWidget(m_detail);

    m_nextStep = new GrowingTextEdit(2, 4, GrowingTextEdit::ReturnKey::submits, this);
    m_nextStep->setPlaceholderText(tr("Next step"));
    m_nextStep->setAccessibleName(tr("Next step"));
    m_nextStep->setPlainText(start.nextStep);
    column->addWidget(m_nextStep);

    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    column->addWidget(divider);

    auto *typeRow = new QHBoxLayout;
    typeRow->setSpacing(0);
    auto *typeLabel = new QLabel(tr("Type"), this);
    typeRow->addWidget(typeLabel);
    typeRow->addSpacing(12);
    m_threadButton = new QPushButton(tr("Ongoing thread"), this);
    m_habitButton = new QPushButton(tr("Habit"), this);
    auto *types = new QButtonGroup(this);
    for (QPushButton *button : {m_threadButton, m_habitButton}) {
        button->setCheckable(true);
        button->setAutoDefault(false);
        types->addButton(button);
        typeRow->addWidget(button);
    }
    m_threadButton->setAccessibleDescription(tr("Type"));
    m_habitButton->setAccessibleDescription(tr("Type"));
    typeLabel->setBuddy(m_threadButton);
    (m_tracksHabit ? m_habitButton : m_threadButton)->setChecked(true);
    typeRow->addStretch(1);
    column->addLayout(typeRow);
    connect(types, &QButtonGroup::buttonClicked, this, [this](QAbstractButton *button) {
        m_tracksHabit = button == m_habitButton;
        syncTypeSection();
    });

    m_typeExplanation = new QLabel(this);
    m_typeExplanation->setWordWrap(true);
    applyTextStyle(m_typeExplanation, TextStyle::caption);
    applySecondaryColor(m_typeExplanation);
    column->addWidget(m_typeExplanation);

    m_rhythmRow = new QWidget(this);
    auto *rhythmColumn = new QVBoxLayout(m_rhythmRow);
    rhythmColumn->setContentsMargins(0, 0, 0, 0);
    rhythmColumn->setSpacing(12);
    auto *rhythmLine = new QHBoxLayout;
    auto *rhythmLabel = new QLabel(tr("Rhythm"), m_rhythmRow);
    rhythmLine->addWidget(rhythmLabel);
    m_rhythm = new QComboBox(m_rhythmRow);
    m_rhythm->setAccessibleName(tr("Rhythm"));
    rhythmLabel->setBuddy(m_rhythm);
    for (core::HabitSchedule schedule : core::allHabitSchedules())
        m_rhythm->addItem(rhythmName(schedule), int(schedule));
    m_rhythm->setCurrentIndex(m_rhythm->findData(int(start.habitSchedule)));
    rhythmLine->addWidget(m_rhythm);
    rhythmLine->addStretch(1);
    rhythmColumn->addLayout(rhythmLine);
    m_weekdays = new WeekdayPicker(m_model.store().calendar().firstDayOfWeek, QLocale(), this);
    m_weekdays->setSelection(start.habitWeekdays);
    rhythmColumn->addWidget(m_weekdays);
    column->addWidget(m_rhythmRow);
    connect(m_rhythm, &QComboBox::currentIndexChanged, this, &FlowEditorView::syncTypeSection);

    column->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setAutoDefault(false);
    buttons->addWidget(m_cancel);
    m_save = new QPushButton(flow ? tr("Save") : tr("Add"), this);
    m_save->setDefault(true);
    buttons->addWidget(m_save);
    column->addLayout(buttons);

    connect(m_cancel, &QPushButton::clicked, this, &FlowEditorView::cancel);
    connect(m_save, &QPushButton::clicked, this, &FlowEditorView::save);
    connect(m_detail, &GrowingTextEdit::submitRequested, this, &FlowEditorView::save);
    connect(m_nextStep, &GrowingTextEdit::submitRequested, this, &FlowEditorView::save);
    connect(m_name, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_save->setEnabled(!text.trimmed().isEmpty()); });
    m_save->setEnabled(!start.title.trimmed().isEmpty());

    setFixedWidth(420 + 48);
    syncTypeSection();
    m_name->setFocus();
}

void FlowEditorView::syncTypeSection()
{
    m_typeExplanation->setText(m_tracksHabit
                                   ? tr("A habit appears on Today and can be checked off.")
                                   : tr("An ongoing thread keeps notes and a next step together."));
    m_rhythmRow->setVisible(m_tracksHabit);
    const auto schedule = core::HabitSchedule(m_rhythm->currentData().toInt());
    m_weekdays->setVisible(schedule == core::HabitSchedule::selectedWeekdays);
}

void FlowEditorView::save()
{
    const QString title = m_name->text().trimmed();
    if (title.isEmpty())
        return;
    const QString detail = m_detail->toPlainText().trimmed();
    const QString nextStep = m_nextStep->toPlainText().trimmed();
    const auto schedule = core::HabitSchedule(m_rhythm->currentData().toInt());
    const QDateTime now = QDateTime::currentDateTime();

    QList<core::FlowItem> flows = m_model.flows();
    core::FlowItem *target = nullptr;
    if (m_flow) {
        for (core::FlowItem &candidate : flows) {
            if (candidate.id == m_flow->id) {
                target = &candidate;
                break;
            }
        }
    } else {
        core::FlowItem created;
        created.id = QUuid::createUuid();
        created.isActive = true;
        created.createdAt = now;
        flows.append(created);
        target = &flows.last();
    }
    // A flow deleted while its editor was open stays deleted.
    if (target) {
        target->title = title;
        target->detail = detail;
        target->nextStep = nextStep;
        // The rhythm is kept as chosen even for a thread, so switching back restores it.
        target->tracksHabit = m_tracksHabit;
        target->habitSchedule = schedule;
        target->habitWeekdays = m_weekdays->selection();
        target->updatedAt = now;
        m_model.setFlows(flows);
        m_model.saveFlows();
    }
    dismiss();
}

void FlowEditorView::cancel()
{
    dismiss();
}

void FlowEditorView::dismiss()
{
    if (m_flow)
        m_model.setEditingFlow(std::nullopt);
    else
        m_model.setPresentNewFlow(false);
}

} // namespace wrenfold::ui
