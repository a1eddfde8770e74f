// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/widgets/elided_label.h"

#include <QResizeEvent>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

// Widest a label asks to be; the layout may still give it more.
constexpr int preferredWidthEms = 24;

} // namespace

ElidedLabel::ElidedLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ElidedLabel::setFullText(const QString &text)
{
    m_fullText = text;
    setToolTip(text);
    setAccessibleDescription(text);
    elide();
    updateGeometry();
}

QSize ElidedLabel::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    const int wanted = metrics.horizontalAdvance(m_fullText);
    const int preferred = metrics.horizontalAdvance(u'M') * preferredWidthEms;
    const QMargins margins = contentsMargins();
    return {std::min(wanted, preferred) + margins.left() + margins.right(),
            metrics.height() + margins.top() + margins.bottom()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    const QMargins margins = contentsMargins();
    return {metrics.horizontalAdvance(u"M…M"_s) + margins.left() + margins.right(),
            metrics.height() + margins.top() + margins.bottom()};
}

void ElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide()
{
    const QString shown =
        fontMetrics().elidedText(m_fullText, Qt::ElideMiddle, contentsRect().width());
    if (shown != text())
        QLabel::setText(shown);
}

} // namespace wrenfold::ui
