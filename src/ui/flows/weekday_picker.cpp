// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/flows/weekday_picker.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace wrenfold::ui {
namespace {

/// A bordered round-cornered button filled with the accent colour while checked; push
/// buttons of most styles look merely "pressed" when checked, which reads as a glitch.
class WeekdayButton final : public QAbstractButton {
public:
    explicit WeekdayButton(QWidget *parent) : QAbstractButton(parent)
    {
        setCheckable(true);
        setAttribute(Qt::WA_Hover);
        setFocusPolicy(Qt::StrongFocus);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override
    {
        const int side = fontMetrics().height() + 14;
        return {std::max(side + 4, fontMetrics().horizontalAdvance(text()) + 16), side};
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath shape;
        shape.addRoundedRect(box, 6, 6);
        const QPalette &colors = palette();
        if (isChecked()) {
            painter.fillPath(shape, colors.color(QPalette::Highlight));
            painter.setPen(colors.color(QPalette::HighlightedText));
        } else {
            QColor fill = colors.color(QPalette::Button);
            if (isDown() || underMouse())
                fill = fill.darker(108);
            painter.fillPath(shape, fill);
            QColor border = colors.color(QPalette::WindowText);
            border.setAlphaF(0.25);
            painter.setPen(border);
            painter.drawPath(shape);
            painter.setPen(colors.color(QPalette::ButtonText));
        }
        painter.drawText(rect(), Qt::AlignCenter, text());
        if (hasFocus()) {
            QPen ring(colors.color(QPalette::Highlight), 2);
            painter.setPen(ring);
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
        }
    }
};

} // namespace

WeekdayPicker::WeekdayPicker(Qt::DayOfWeek firstDayOfWeek, const QLocale &locale, QWidget *parent)
    : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    for (int offset = 0; offset < 7; ++offset) {
        // Qt counts Monday 1 ... Sunday 7; the stored numbers count Sunday 1 ... Saturday 7.
        const int qtDay = (int(firstDayOfWeek) - 1 + offset) % 7 + 1;
        const int weekday = qtDay % 7 + 1;
        auto *button = new WeekdayButton(this);
        button->setText(locale.standaloneDayName(qtDay, QLocale::NarrowFormat));
        button->setAccessibleName(locale.standaloneDayName(qtDay, QLocale::LongFormat));
        button->setToolTip(button->accessibleName());
        connect(button, &QAbstractButton::clicked, this, [this, weekday] {
            if (!m_selection.remove(weekday))
                m_selection.insert(weekday);
            sync();
            emit selectionChanged(m_selection);
        });
        row->addWidget(button);
        m_order.append(weekday);
        m_buttons.append(button);
    }
    row->addStretch(1);
}

void WeekdayPicker::setSelection(const QSet<int> &selection)
{
    m_selection = selection;
    sync();
}

void WeekdayPicker::sync()
{
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        const QSignalBlocker blocker(m_buttons[i]);
        m_buttons[i]->setChecked(m_selection.contains(m_order[i]));
    }
}

} // namespace wrenfold::ui
