// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/calendar/day_cell.h"

#include "ui/icons.h"
#include "ui/widgets/text_styles.h"

#include <QLocale>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

constexpr int kPadding = 8;
constexpr int kMinimumContentHeight = 66;
constexpr qreal kRadius = 8;

// Colours that read on light and dark palettes alike.
const QColor kBlue(0x35, 0x84, 0xe4);
const QColor kGreen(0x2e, 0xc2, 0x7e);
const QColor kPurple(0x91, 0x41, 0xac);

QPixmap tintedSymbol(QStringView symbol, const QColor &color, int size, qreal ratio)
{
    const QIcon icon = symbolIcon(symbol);
    QPixmap result(QSize(size, size) * ratio);
    result.setDevicePixelRatio(ratio);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    if (icon.isNull()) {
        // No theme at all: a plain dot still tells the kinds apart by colour.
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(QRectF(1, 1, size - 2, size - 2));
        return result;
    }
    painter.drawPixmap(0, 0, icon.pixmap(QSize(size, size), ratio));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(0, 0, size, size), color);
    return result;
}

} // namespace

ActivityIcons ActivityIcons::make(int size, const QWidget *widget)
{
    const qreal ratio = widget->devicePixelRatioF();
    return {tintedSymbol(u"circle.fill", kBlue, size, ratio),
            tintedSymbol(u"checkmark.circle.fill", kGreen, size, ratio),
            tintedSymbol(u"arrow.triangle.branch", kPurple, size, ratio)};
}

DayCell::DayCell(const ActivityIcons &icons, QWidget *parent)
    : QAbstractButton(parent), m_icons(icons)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFont(textStyleFont(TextStyle::headline));
}

void DayCell::setDay(const QDate &day, const app::DayActivity &activity, bool selected)
{
    if (day == m_day && activity == m_activity && selected == m_selected)
        return;
    m_day = day;
    m_activity = activity;
    m_selected = selected;
    setText(QString::number(day.day()));

    QStringList happened;
    if (activity.hasJournal)
        happened << tr("journal entry");
    if (activity.completedHabits > 0)
        happened << (activity.completedHabits == 1
                         ? tr("1 completed habit")
                         : tr("%1 completed habits").arg(activity.completedHabits));
    if (activity.flowMentions > 0)
        happened << (activity.flowMentions == 1
                         ? tr("1 flow mention")
                         : tr("%1 flow mentions").arg(activity.flowMentions));
    const QString date = QLocale().toString(day, QLocale::LongFormat);
    setAccessibleName(happened.isEmpty() ? date : tr("%1: %2").arg(date, happened.join(u", "_s)));
    setAccessibleDescription(selected ? tr("Selected day") : QString());
    update();
}

QSize DayCell::sizeHint() const
{
    return {96, kMinimumContentHeight + 2 * kPadding};
}

QSize DayCell::minimumSizeHint() const
{
    return {10, kMinimumContentHeight + 2 * kPadding};
}

void DayCell::paintEvent(QPaintEvent *)
{
    // A position before the 1st holds no day: clear space.
    if (!m_day.isValid())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette &colors = palette();
    const QRectF card = QRectF(rect()).adjusted(1, 1, -1, -1);

    QColor fill = colors.color(m_selected ? QPalette::Highlight : QPalette::Base);
    if (m_selected)
        fill.setAlphaF(0.18);
    QColor outline = colors.color(m_selected ? QPalette::Highlight : QPalette::Mid);
    if (!m_selected)
        outline.setAlphaF(0.45);
    painter.setBrush(fill);
    painter.setPen(QPen(outline, m_selected ? 2.0 : 1.0));
    painter.drawRoundedRect(card, kRadius, kRadius);

    if (hasFocus()) {
        QColor ring = colors.color(QPalette::Highlight);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ring, 1.5, Qt::DashLine));
        painter.drawRoundedRect(card.adjusted(3, 3, -3, -3), kRadius - 3, kRadius - 3);
    }

    const QRect content = rect().adjusted(kPadding, kPadding, -kPadding, -kPadding);
    painter.setPen(colors.color(QPalette::Text));
    painter.setFont(font());
    painter.drawText(content, Qt::AlignLeft | Qt::AlignTop, text());

    int x = content.left();
    const int iconSize = m_icons.journal.isNull()
                             ? 0
                             : int(m_icons.journal.width() / m_icons.journal.devicePixelRatio());
    const int y = content.bottom() - iconSize + 1;
    auto mark = [&](bool present, const QPixmap &pixmap) {
        if (!present)
            return;
        painter.drawPixmap(x, y, pixmap);
        x += iconSize + 6;
    };
    mark(m_activity.hasJournal, m_icons.journal);
    mark(m_activity.completedHabits > 0, m_icons.habit);
    mark(m_activity.flowMentions > 0, m_icons.flow);
}

} // namespace wrenfold::ui
