// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "ui/preview/preview_rows.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QTextFormat>

class QPalette;
class QTextBlock;
class QTextDocument;

namespace wrenfold::ui {

/// Fonts and colours of the rendered entry.
struct PreviewStyle {
    QFont font;       ///< body text; headings scale from it
    QFont codeFont;   ///< inline code
    QColor text;      ///< body text
    QColor secondary; ///< quote text
    QColor tertiary;  ///< quote bar, open task box
    QColor accent;    ///< checked task box
    QColor link;
    QColor codeBackground; ///< faint shade behind inline code

    /// Derives the colours from a widget's palette and the fonts from `font`.
    static PreviewStyle from(const QFont &font, const QPalette &palette);
};

/// Block property holding each row's PreviewRowKind (as int). The row's source line index
/// is the block's user state.
constexpr int previewRowKindProperty = QTextFormat::UserProperty + 1;

/// Replaces the content of `document` with one block per row (an empty list leaves the
/// document empty). Row spacing, heading sizes, task boxes, bullets, quote indents and
/// dividers are set as block and character formats; the quote bar is left to the view,
/// which finds quote blocks by `previewRowKindProperty`.
void renderPreview(QTextDocument &document, const QList<PreviewRow> &rows,
                   const PreviewStyle &style);

/// The row kind a rendered block carries; paragraph for a block without one.
PreviewRowKind previewRowKind(const QTextBlock &block);

} // namespace wrenfold::ui
