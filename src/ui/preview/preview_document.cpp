// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/preview/preview_document.h"

#include "ui/preview/inline_markdown.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <climits>
#include <cmath>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

constexpr qreal rowSpacing = 8;
constexpr qreal listGap = 8;
constexpr qreal quoteIndent = 12;
constexpr qreal spacerHeight = 4;

QColor mixed(const QColor &foreground, const QColor &background, qreal amount)
{
    return QColor::fromRgbF(
        float(foreground.redF() * amount + background.redF() * (1 - amount)),
        float(foreground.greenF() * amount + background.greenF() * (1 - amount)),
        float(foreground.blueF() * amount + background.blueF() * (1 - amount)));
}

// Heading sizes relative to the body, as desktop title styles go (about 20, 22 and 26
// points over a 13-point body).
qreal headingScale(PreviewRowKind kind)
{
    switch (kind) {
    case PreviewRowKind::heading3:
        return 20.0 / 13.0;
    case PreviewRowKind::heading2:
        return 22.0 / 13.0;
    case PreviewRowKind::heading1:
        return 26.0 / 13.0;
    default:
        return 1.0;
    }
}

qreal headingPadding(PreviewRowKind kind)
{
    switch (kind) {
    case PreviewRowKind::heading3:
        return 4;
    case PreviewRowKind::heading2:
        return 6;
    case PreviewRowKind::heading1:
        return 8;
    default:
        return 0;
    }
}

// The two task boxes, drawn at twice the size for sharp edges on dense screens.
QImage taskBox(bool checked, qreal side, const PreviewStyle &style)
{
    const qreal scale = 2;
    QImage image(QSize(int(std::ceil(side * scale)), int(std::ceil(side * scale))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1, 1, side - 2, side - 2);
    const qreal radius = side * 0.2;
    if (checked) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(style.accent);
        painter.drawRoundedRect(box, radius, radius);
        QPainterPath tick;
        tick.moveTo(box.left() + box.width() * 0.25, box.top() + box.height() * 0.52);
        tick.lineTo(box.left() + box.width() * 0.43, box.top() + box.height() * 0.7);
        tick.lineTo(box.left() + box.width() * 0.76, box.top() + box.height() * 0.32);
        QPen pen(Qt::white, std::max<qreal>(1.5, side * 0.12));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    } else {
        // An open box in the text colour: only a done task takes the accent.
        painter.setPen(QPen(style.text, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }
    return image;
}

// Characters that would split a row into several blocks are shown as a break inside it.
QString displayable(QString text)
{
    for (QChar &ch : text) {
        switch (ch.unicode()) {
        case u'\r':
        case u'\n':
        case QChar::ParagraphSeparator:
        case 0xFDD0: // frame markers of the text document
        case 0xFDD1:
            ch = QChar::LineSeparator;
            break;
        default:
            break;
        }
    }
    // A line end's carriage return is no visible break.
    while (text.endsWith(QChar::LineSeparator))
        text.chop(1);
    return text;
}

void insertInline(QTextCursor &cursor, const QString &source, const QTextCharFormat &base,
                  const PreviewStyle &style)
{
    for (const InlineRun &run : inlineRuns(source)) {
        QTextCharFormat format = base;
        if (run.strong)
            format.setFontWeight(QFont::Bold);
        if (run.emphasis)
            format.setFontItalic(true);
        if (run.code) {
            format.setFontFamilies(style.codeFont.families());
            format.setFontStyleHint(QFont::Monospace);
            format.setFontFixedPitch(true);
            format.setBackground(style.codeBackground);
        }
        if (!run.link.isEmpty()) {
            format.setAnchor(true);
            format.setAnchorHref(run.link);
            format.setForeground(style.link);
            format.setFontUnderline(true);
            format.setToolTip(run.link);
        }
        cursor.insertText(displayable(run.text), format);
    }
}

} // namespace

PreviewStyle PreviewStyle::from(const QFont &font, const QPalette &palette)
{
    PreviewStyle style;
    style.font = font;
    style.codeFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    style.codeFont.setPointSizeF(font.pointSizeF());
    // A generic alias such as "monospace" is not resolved inside text formats; name the
    // family it stands for.
    style.codeFont.setFamilies({QFontInfo(style.codeFont).family()});
    style.text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    style.secondary = mixed(style.text, base, 0.62);
    style.tertiary = mixed(style.text, base, 0.3);
    style.codeBackground = mixed(style.text, base, 0.07);
    style.accent = palette.color(QPalette::Highlight);
    style.link = palette.color(QPalette::Link);
    return style;
}

PreviewRowKind previewRowKind(const QTextBlock &block)
{
    const QVariant kind = block.blockFormat().property(previewRowKindProperty);
    return kind.isValid() ? PreviewRowKind(kind.toInt()) : PreviewRowKind::paragraph;
}

void renderPreview(QTextDocument &document, const QList<PreviewRow> &rows,
                   const PreviewStyle &style)
{
    // No undo history for a rendering; it would also grow with every rebuild.
    document.setUndoRedoEnabled(false);
    document.clear();
    document.setDefaultFont(style.font);

    const QFontMetricsF metrics(style.font);
    const qreal boxSide = std::round(metrics.ascent() * 1.05);
    const QUrl checkedBox(u"wrenfold-preview:task-checked"_s);
    const QUrl openBox(u"wrenfold-preview:task-open"_s);
    document.addResource(QTextDocument::ImageResource, checkedBox, taskBox(true, boxSide, style));
    document.addResource(QTextDocument::ImageResource, openBox, taskBox(false, boxSide, style));
    const qreal taskIndent = boxSide + listGap;
    const qreal bulletIndent = metrics.horizontalAdvance(u"•"_s) + listGap;

    QTextCharFormat bodyFormat;
    bodyFormat.setFont(style.font);
    bodyFormat.setForeground(style.text);

    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const PreviewRow &row : rows) {
        QTextBlockFormat block;
        block.setTopMargin((first ? 0 : rowSpacing) + headingPadding(row.kind));
        block.setProperty(previewRowKindProperty, int(row.kind));
        QTextCharFormat text = bodyFormat;

        const auto hangingIndent = [&block](qreal width) {
            block.setLeftMargin(width);
            block.setTextIndent(-width);
            block.setTabPositions({QTextOption::Tab(width, QTextOption::LeftTab)});
        };
        switch (row.kind) {
        case PreviewRowKind::heading1:
        case PreviewRowKind::heading2:
        case PreviewRowKind::heading3: {
            QFont font = style.font;
            font.setPointSizeF(style.font.pointSizeF() * headingScale(row.kind));
            font.setBold(true);
            text.setFont(font);
            break;
        }
        case PreviewRowKind::checkedTask:
        case PreviewRowKind::openTask:
            hangingIndent(taskIndent);
            break;
        case PreviewRowKind::bullet:
            hangingIndent(bulletIndent);
            break;
        case PreviewRowKind::quote:
            block.setLeftMargin(quoteIndent);
            text.setForeground(style.secondary);
            break;
        case PreviewRowKind::divider:
            block.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                              QTextLength(QTextLength::PercentageLength, 100));
            break;
        case PreviewRowKind::spacer:
            block.setLineHeight(spacerHeight, QTextBlockFormat::FixedHeight);
            break;
        case PreviewRowKind::paragraph:
            break;
        }

        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block, bodyFormat);
        first = false;
        // Kept outside the format so that rows share their few formats.
        cursor.block().setUserState(int(std::min<qsizetype>(row.line, INT_MAX)));

        switch (row.kind) {
        case PreviewRowKind::checkedTask:
        case PreviewRowKind::openTask: {
            QTextImageFormat box;
            box.setName(row.kind == PreviewRowKind::checkedTask ? checkedBox.toString()
                                                                : openBox.toString());
            box.setWidth(boxSide);
            box.setHeight(boxSide);
            box.setVerticalAlignment(QTextCharFormat::AlignBaseline);
            cursor.insertImage(box);
            cursor.insertText(u"\t"_s, bodyFormat);
            insertInline(cursor, row.text, text, style);
            break;
        }
        case PreviewRowKind::bullet:
            cursor.insertText(u"•\t"_s, bodyFormat);
            insertInline(cursor, row.text, text, style);
            break;
        case PreviewRowKind::divider:
        case PreviewRowKind::spacer:
            break;
        default:
            insertInline(cursor, row.text, text, style);
            break;
        }
    }
    cursor.endEditBlock();
}

} // namespace wrenfold::ui
