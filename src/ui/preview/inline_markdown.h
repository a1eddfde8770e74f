// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QList>
#include <QString>

namespace wrenfold::ui {

/// A piece of one line with the inline styles Markdown gave it.
struct InlineRun {
    QString text;
    bool strong = false;
    bool emphasis = false;
    bool code = false;
    QString link; ///< target of a link, empty when the run is no link
    friend bool operator==(const InlineRun &, const InlineRun &) = default;
};

/// Renders the inline Markdown of one line (CommonMark inline syntax, raw HTML kept as
/// text): "**a** _b_" gives a strong "a", a plain " " and an emphasised "b". Block syntax
/// has no effect ("# x", "1. x", "> x", "```" stay as written), and leading, trailing and
/// inner runs of white space are kept. Text the parser would not render inline (an image,
/// or a construct that still forms a block) comes back unchanged as one plain run. The
/// empty text gives no runs.
QList<InlineRun> inlineRuns(const QString &text);

/// The runs' texts joined: what the line shows.
QString plainText(const QList<InlineRun> &runs);

} // namespace wrenfold::ui
