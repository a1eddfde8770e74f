// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "ui/preview/preview_rows.h"

#include <QString>
#include <QWidget>

class QTextBrowser;
class QTextDocument;
class QUrl;

namespace wrenfold::ui {

class PreviewBrowser;

/// Whether a clicked link may go to the desktop: web and mail addresses only
/// ("https://x", "mailto:a@b"); "file:", "javascript:", relative and empty targets stay put.
bool isExternalLink(const QUrl &url);

/// Read-only rendering of an entry: one row per drawn line (headings, tasks, bullets,
/// quotes, dividers, spacers, paragraphs) with inline emphasis, strong text, code and
/// links. Hidden marker lines are never drawn. The text can be selected and copied; links
/// open in the desktop's browser (web and mail links only).
///
/// All rows live in one text document, so a long entry scrolls as smoothly as a long
/// plain text; the column is at most 720 pixels wide.
class MarkdownRenderedView final : public QWidget {
    Q_OBJECT
public:
    explicit MarkdownRenderedView(QWidget *parent = nullptr);
    ~MarkdownRenderedView() override;

    /// Rebuilds the rendering from `markdown`; the same text again does nothing.
    void setMarkdown(const QString &markdown);
    /// Shows the first line, with the text cursor before it (as on opening the preview).
    void scrollToTop();
    /// The text last rendered.
    QString markdown() const { return m_markdown; }

    /// The rows as drawn, in order.
    const QList<PreviewRow> &rows() const { return m_rows; }
    /// The rendered document (one block per row), for copying and for tests.
    QTextDocument *document() const;
    /// The scrolling text area that carries the accessible name.
    QTextBrowser *browser() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void rebuild();

    QString m_markdown;
    QList<PreviewRow> m_rows;
    PreviewBrowser *m_browser = nullptr;
};

} // namespace wrenfold::ui
