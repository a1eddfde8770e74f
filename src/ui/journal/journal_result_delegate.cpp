// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/journal/journal_result_delegate.h"

#include "ui/journal/journal_results_model.h"
#include "ui/today/day_format.h"
#include "ui/widgets/text_styles.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>

namespace wrenfold::ui {
namespace {

constexpr int kHorizontalPadding = 12;
constexpr int kVerticalPadding = 3;
constexpr int kLineGap = 3;

// The excerpt laid out in at most two lines; the second ends in an ellipsis when the
// text goes on.
void drawExcerpt(QPainter *painter, const QString &text, const QFont &font, const QRect &area)
{
    const QFontMetrics metrics(font);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine first = layout.createLine();
    if (!first.isValid()) {
        layout.endLayout();
        return;
    }
    first.setLineWidth(area.width());
    first.setPosition(QPointF(0, 0));
    QTextLine second = layout.createLine();
    layout.endLayout();

    if (!second.isValid()) {
        layout.draw(painter, area.topLeft());
        return;
    }
    const QString firstText = text.left(first.textLength());
    painter->drawText(QRect(area.left(), area.top(), area.width(), metrics.height()),
                      Qt::AlignLeft | Qt::AlignTop, firstText);
    const QString rest = text.mid(first.textLength());
    painter->drawText(
        QRect(area.left(), area.top() + metrics.lineSpacing(), area.width(), metrics.height()),
        Qt::AlignLeft | Qt::AlignTop, metrics.elidedText(rest, Qt::ElideRight, area.width()));
}

} // namespace

JournalResultDelegate::JournalResultDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

QSize JournalResultDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    const QFontMetrics date(textStyleFont(TextStyle::headline));
    const QFontMetrics excerpt(textStyleFont(TextStyle::caption));
    return {200, 2 * kVerticalPadding + 2 * kLineGap + date.height() + excerpt.lineSpacing() +
                     excerpt.height() + 2 * kVerticalPadding};
}

void JournalResultDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPalette &colors = option.palette;
    const QRect row = option.rect.adjusted(4, 1, -4, -1);
    if (index.data(JournalResultsModel::SelectedDayRole).toBool()) {
        QColor tint = colors.color(QPalette::Highlight);
        tint.setAlphaF(0.14);
        painter->setPen(Qt::NoPen);
        painter->setBrush(tint);
        painter->drawRoundedRect(QRectF(row), 6, 6);
    }
    if (option.state & QStyle::State_HasFocus) {
        QColor ring = colors.color(QPalette::Highlight);
        painter->setPen(QPen(ring, 1.5));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(row).adjusted(0.75, 0.75, -0.75, -0.75), 6, 6);
    }

    const QFont dateFont = textStyleFont(TextStyle::headline);
    const QFont excerptFont = textStyleFont(TextStyle::caption);
    const QRect content = row.adjusted(kHorizontalPadding - 4, 2 * kVerticalPadding,
                                       -(kHorizontalPadding - 4), -2 * kVerticalPadding);
    const QFontMetrics dateMetrics(dateFont);
    painter->setFont(dateFont);
    painter->setPen(colors.color(QPalette::Text));
    const QString date = abbreviatedDate(index.data(JournalResultsModel::DateRole).toDate());
    painter->drawText(QRect(content.topLeft(), QSize(content.width(), dateMetrics.height())),
                      Qt::AlignLeft | Qt::AlignTop,
                      dateMetrics.elidedText(date, Qt::ElideRight, content.width()));

    painter->setFont(excerptFont);
    painter->setPen(colors.color(QPalette::PlaceholderText));
    const QRect excerptArea = content.adjusted(0, dateMetrics.height() + kLineGap, 0, 0);
    drawExcerpt(painter, index.data(JournalResultsModel::ExcerptRole).toString(), excerptFont,
                excerptArea);
    painter->restore();
}

} // namespace wrenfold::ui
