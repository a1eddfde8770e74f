// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/today/journal_habits_footer.h"

#include "app/app_model.h"
#include "ui/icons.h"
#include "ui/widgets/text_styles.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {

JournalHabitsFooter::JournalHabitsFooter(app::AppModel &model, QWidget *parent)
    : QWidget(parent), m_model(model)
{
    setAccessibleName(tr("Today’s habits"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    outer->addWidget(divider);

    auto *column = new QVBoxLayout;
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(12);
    outer->addLayout(column);

    auto *header = new QHBoxLayout;
    header->setSpacing(8);
    auto *icon = new QLabel(this);
    icon->setPixmap(symbolIcon(u"checkmark.circle"_s).pixmap(16, 16));
    header->addWidget(icon);
    auto *title = new QLabel(tr("Today’s habits"), this);
    applyTextStyle(title, TextStyle::subheadline);
    header->addWidget(title);
    header->addStretch(1);
    column->addLayout(header);

    m_rows = new QVBoxLayout;
    m_rows->setSpacing(12);
    column->addLayout(m_rows);

    connect(&m_model, &app::AppModel::flowsChanged, this, &JournalHabitsFooter::refresh);
    connect(&m_model, &app::AppModel::selectedDateChanged, this, &JournalHabitsFooter::refresh);
    // Checked marks live in the habits files, not in a property: the model announces them
    // with a bare modelChanged(). Keystrokes also end in modelChanged(), and re-reading
    // the habits files for each of those would be wasted work.
    connect(&m_model, &app::AppModel::noteTextChanged, this,
            &JournalHabitsFooter::onNoteTextChanged);
    connect(&m_model, &app::AppModel::modelChanged, this, &JournalHabitsFooter::onModelChanged);
    refresh();
}

QList<QCheckBox *> JournalHabitsFooter::checkBoxes() const
{
    QList<QCheckBox *> boxes;
    for (const Row &row : m_rowList)
        boxes.append(row.box);
    return boxes;
}

void JournalHabitsFooter::onModelChanged()
{
    if (m_skipNextModelChange) {
        m_skipNextModelChange = false;
        return;
    }
    refresh();
}

void JournalHabitsFooter::refresh()
{
    const QList<core::FlowItem> habits = m_model.scheduledHabits();
    bool sameRows = habits.size() == m_rowList.size();
    for (qsizetype i = 0; sameRows && i < habits.size(); ++i)
        sameRows = habits[i].id == m_rowList[i].id;

    if (!sameRows) {
        for (const Row &row : std::as_const(m_rowList)) {
            row.widget->hide();
            row.widget->deleteLater();
        }
        m_rowList.clear();
        for (const core::FlowItem &habit : habits) {
            auto *rowWidget = new QWidget(this);
            auto *rowColumn = new QVBoxLayout(rowWidget);
            rowColumn->setContentsMargins(0, 0, 0, 0);
            rowColumn->setSpacing(2);
            auto *box = new QCheckBox(rowWidget);
            rowColumn->addWidget(box, 0, Qt::AlignLeft);
            if (habit.habitSchedule == core::HabitSchedule::weekly) {
                auto *weekly = new QLabel(tr("Weekly"), rowWidget);
                applyTextStyle(weekly, TextStyle::caption);
                applySecondaryColor(weekly);
                // Line the caption up with the title, not with the box.
                QStyleOptionButton option;
                option.initFrom(box);
                const int indent =
                    box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).left();
                weekly->setContentsMargins(indent, 0, 0, 0);
                box->setAccessibleDescription(tr("Weekly"));
                rowColumn->addWidget(weekly);
            }
            const QUuid id = habit.id;
            connect(box, &QCheckBox::clicked, this, [this, id] {
                // The click flips the box; what counts is what the files say afterwards.
                const QList<core::FlowItem> current = m_model.scheduledHabits();
                for (const core::FlowItem &flow : current) {
                    if (flow.id == id) {
                        m_model.toggleHabit(flow);
                        break;
                    }
                }
                refresh();
            });
            m_rows->addWidget(rowWidget);
            rowWidget->show(); // a layout would show it only on a later event-loop turn
            m_rowList.append(Row{id, rowWidget, box});
        }
    }

    const QList<bool> done = m_model.habitsCompleted(habits);
    for (qsizetype i = 0; i < habits.size(); ++i) {
        QCheckBox *box = m_rowList[i].box;
        // A title's "&" is text, not a keyboard mnemonic.
        box->setText(QString(habits[i].title).replace(u'&', u"&&"_s));
        box->setAccessibleName(habits[i].title);
        const QSignalBlocker blocker(box);
        box->setChecked(done[i]);
    }

    if (habits.isEmpty())
        hide();
    else if (parentWidget())
        show();
}

} // namespace wrenfold::ui
