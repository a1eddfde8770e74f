// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/today/day_header.h"

#include "app/app_model.h"
#include "ui/icons.h"
#include "ui/today/day_format.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

QToolButton *makeStepButton(const QString &symbol, const QString &label, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setIcon(symbolIcon(symbol));
    if (button->icon().isNull())
        button->setText(symbol == u"chevron.left"_s ? u"<"_s : u">"_s);
    button->setToolTip(label);
    button->setAccessibleName(label);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoRaise(true);
    button->setIconSize(QSize(16, 16));
    return button;
}

} // namespace

DayHeader::DayHeader(app::AppModel &model, QWidget *parent) : QWidget(parent), m_model(model)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    m_previous = makeStepButton(u"chevron.left"_s, tr("Previous day"), this);
    connect(m_previous, &QToolButton::clicked, this, [this] { moveByDays(-1); });
    row->addWidget(m_previous);

    m_datePicker = new QDateEdit(this);
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setAccessibleName(tr("Date"));
    m_datePicker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    m_datePicker->calendarWidget()->setFirstDayOfWeek(m_model.store().calendar().firstDayOfWeek);
    // Typing a date goes through invalid and unintended intermediate days, so a typed
    // date counts when editing finishes; a click in the pop-up calendar counts at once.
    connect(m_datePicker, &QDateEdit::editingFinished, this,
            [this] { moveToDay(m_datePicker->date()); });
    connect(m_datePicker->calendarWidget(), &QCalendarWidget::clicked, this,
            [this](QDate day) { moveToDay(day); });
    connect(m_datePicker, &QDateEdit::dateChanged, this, [this](QDate day) {
        if (!m_datePicker->hasFocus())
            moveToDay(day);
    });
    row->addWidget(m_datePicker);

    m_next = makeStepButton(u"chevron.right"_s, tr("Next day"), this);
    connect(m_next, &QToolButton::clicked, this, [this] { moveByDays(1); });
    row->addWidget(m_next);

    row->addStretch(1);

    m_today = new QPushButton(tr("Today"), this);
    m_today->setAccessibleName(tr("Today"));
    connect(m_today, &QPushButton::clicked, this, &DayHeader::moveToToday);
    row->addWidget(m_today);

    m_midnight = new QTimer(this);
    m_midnight->setSingleShot(true);
    connect(m_midnight, &QTimer::timeout, this, &DayHeader::refresh);

    connect(&m_model, &app::AppModel::selectedDateChanged, this, &DayHeader::refresh);
    refresh();
}

void DayHeader::moveByDays(int days)
{
    if (days == 0)
        return;
    const QTimeZone zone = m_model.store().calendar().timeZone;
    m_model.showDay(m_model.selectedDate().toTimeZone(zone).addDays(days));
}

void DayHeader::moveToDay(const QDate &day)
{
    const core::Calendar &calendar = m_model.store().calendar();
    if (!day.isValid() || day == calendar.dayOf(m_model.selectedDate()))
        return;
    m_model.showDay(withDay(m_model.selectedDate().toTimeZone(calendar.timeZone), day));
}

void DayHeader::moveToToday()
{
    m_model.showDay(QDateTime::currentDateTime());
}

void DayHeader::refresh()
{
    const core::Calendar &calendar = m_model.store().calendar();
    const QDate selected = calendar.dayOf(m_model.selectedDate());
    {
        const QSignalBlocker blocker(m_datePicker);
        m_datePicker->setDate(selected);
    }
    const bool isToday = selected == calendar.dayOf(QDateTime::currentDateTime());
    if (m_today->isVisibleTo(this) == isToday) {
        // Moving focus off a button that disappears keeps keyboard users in the row.
        if (isToday && m_today->hasFocus())
            m_datePicker->setFocus();
        m_today->setVisible(!isToday);
    }
    scheduleMidnightRefresh();
}

void DayHeader::scheduleMidnightRefresh()
{
    // At midnight "today" moves on: the Today button appears without any model change.
    const core::Calendar &calendar = m_model.store().calendar();
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime nextDay = calendar.startOfDay(calendar.dayOf(now).addDays(1));
    const qint64 ms = now.msecsTo(nextDay);
    m_midnight->start(static_cast<int>(std::clamp<qint64>(ms + 1000, 1000, 26 * 3600 * 1000)));
}

} // namespace wrenfold::ui
