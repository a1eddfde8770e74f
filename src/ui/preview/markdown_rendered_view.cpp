// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/preview/markdown_rendered_view.h"

#include "ui/preview/preview_document.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {

namespace {
constexpr int maximumColumnWidth = 720;
constexpr qreal quoteBarWidth = 3;
} // namespace

/// The scrolling document: keeps the column at most 720 pixels wide and draws the bar
/// beside each quote row, which text formats cannot express.
class PreviewBrowser final : public QTextBrowser {
public:
    explicit PreviewBrowser(QWidget *parent) : QTextBrowser(parent) {}

    QColor barColor;

protected:
    // Copies what the reader sees as plain text: the task boxes are pictures that would
    // paste as placeholder characters, and their internal addresses mean nothing elsewhere.
    QMimeData *createMimeDataFromSelection() const override
    {
        QString text = textCursor().selection().toPlainText();
        text.remove(QChar::ObjectReplacementCharacter);
        auto *data = new QMimeData;
        data->setText(text);
        return data;
    }

    void resizeEvent(QResizeEvent *event) override
    {
        QTextBrowser::resizeEvent(event);
        const int width = std::min(maximumColumnWidth, viewport()->width());
        if (lineWrapColumnOrWidth() != width)
            setLineWrapColumnOrWidth(width);
    }

    void paintEvent(QPaintEvent *event) override
    {
        QTextBrowser::paintEvent(event);
        QPainter painter(viewport());
        const QPointF offset(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
        const QRectF visible(QPointF(0, 0), viewport()->size());
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
            if (previewRowKind(block) != PreviewRowKind::quote)
                continue;
            const QTextLayout *layout = block.layout();
            if (!layout || layout->lineCount() == 0)
                continue;
            const QTextLine firstLine = layout->lineAt(0);
            const QTextLine lastLine = layout->lineAt(layout->lineCount() - 1);
            const QPointF origin = layout->position() + offset;
            const QRectF bar(origin.x() + firstLine.x() - block.blockFormat().leftMargin(),
                             origin.y() + firstLine.y(), quoteBarWidth,
                             lastLine.y() + lastLine.height() - firstLine.y());
            if (bar.top() > visible.bottom())
                break;
            if (bar.intersects(visible))
                painter.fillRect(bar, barColor);
        }
    }
};

bool isExternalLink(const QUrl &url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == u"mailto"_s)
        return !url.path().isEmpty();
    return (scheme == u"https"_s || scheme == u"http"_s) && !url.host().isEmpty();
}

MarkdownRenderedView::MarkdownRenderedView(QWidget *parent)
    : QWidget(parent), m_browser(new PreviewBrowser(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);

    m_browser->setAccessibleName(tr("Rendered journal entry"));
    m_browser->setFrameShape(QFrame::NoFrame);
    m_browser->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_browser->setLineWrapMode(QTextEdit::FixedPixelWidth);
    m_browser->setLineWrapColumnOrWidth(maximumColumnWidth);
    m_browser->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                                       Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_browser->setOpenLinks(false);
    m_browser->document()->setDocumentMargin(8);
    // Only web and mail links leave the app; a note is no place to launch local files from.
    connect(m_browser, &QTextBrowser::anchorClicked, this, [](const QUrl &url) {
        if (isExternalLink(url))
            QDesktopServices::openUrl(url);
    });
    rebuild();
}

MarkdownRenderedView::~MarkdownRenderedView() = default;

QTextDocument *MarkdownRenderedView::document() const
{
    return m_browser->document();
}

QTextBrowser *MarkdownRenderedView::browser() const
{
    return m_browser;
}

void MarkdownRenderedView::setMarkdown(const QString &markdown)
{
    if (markdown == m_markdown)
        return;
    m_markdown = markdown;
    rebuild();
}

void MarkdownRenderedView::scrollToTop()
{
    // The cursor ends up after the last row while the document is built; a browser shown
    // with it there opens at the bottom.
    m_browser->moveCursor(QTextCursor::Start);
    m_browser->verticalScrollBar()->setValue(0);
}

void MarkdownRenderedView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        rebuild();
}

void MarkdownRenderedView::rebuild()
{
    m_rows = previewRows(m_markdown);
    const PreviewStyle style = PreviewStyle::from(font(), palette());
    m_browser->barColor = style.tertiary;
    renderPreview(*m_browser->document(), m_rows, style);
    m_browser->document()->setDocumentMargin(8);
}

} // namespace wrenfold::ui
