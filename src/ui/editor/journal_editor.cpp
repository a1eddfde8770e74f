// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/editor/journal_editor.h"

#include "app/app_model.h"
#include "core/markdown_formatting.h"
#include "core/perspective_catalogue.h"
#include "ui/editor/markdown_text_view.h"
#include "ui/icons.h"
#include "ui/preview/markdown_rendered_view.h"
#include "ui/widgets/text_styles.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

constexpr int columnSpacing = 12;
constexpr int paneMargin = 24;

// The pane's title: the symbol beside the word, in the headline weight.
QWidget *headline(const QString &text, QStringView symbol, QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto *label = new QLabel(text, row);
    // The same headline as the agenda's "Calendar" beside it.
    const QFont font = textStyleFont(TextStyle::headline);
    label->setFont(font);
    if (const QIcon icon = symbolIcon(symbol); !icon.isNull()) {
        auto *image = new QLabel(row);
        const int side = QFontMetrics(font).height();
        image->setPixmap(icon.pixmap(QSize(side, side), row->devicePixelRatioF()));
        layout->addWidget(image);
    }
    layout->addWidget(label);
    return row;
}

} // namespace

JournalEditor::JournalEditor(app::AppModel &model, QWidget *parent)
    : QWidget(parent), m_model(model)
{
    // The pane is the page: the entry sits on it without a box of its own.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(paneMargin, paneMargin, paneMargin, paneMargin);
    column->setSpacing(columnSpacing);

    buildHeader(column);

    m_body = new QStackedWidget(this);
    auto *writePage = new QWidget(m_body);
    auto *writeColumn = new QVBoxLayout(writePage);
    writeColumn->setContentsMargins(0, 0, 0, 0);
    writeColumn->setSpacing(8);
    m_toolbar = new MarkdownToolbar([this](MarkdownAction action) { apply(action); }, writePage);
    m_textView = new MarkdownTextView(writePage);
    writeColumn->addWidget(m_toolbar);
    writeColumn->addWidget(m_textView, 1);
    m_renderedView = new MarkdownRenderedView(m_body);
    m_body->addWidget(writePage);
    m_body->addWidget(m_renderedView);
    column->addWidget(m_body, 1);

    m_footer = new QVBoxLayout;
    m_footer->setContentsMargins(0, 0, 0, 0);
    m_footer->setSpacing(columnSpacing);
    column->addLayout(m_footer);

    connect(m_textView, &MarkdownTextView::edited, this, &JournalEditor::onUserEdited);
    connect(m_textView, &MarkdownTextView::selectionMoved, this,
            &JournalEditor::onSelectionChanged);
    connect(&m_model, &app::AppModel::noteTextChanged, this, &JournalEditor::takeOverModelText);

    m_textView->takeOver(m_model.noteText(), 0, 0);
    // No focus proxy on the pane: Tab would hand the focus from the pane straight to the
    // text and never reach the header and the toolbar above it.
}

JournalEditor::~JournalEditor() = default;

void JournalEditor::buildHeader(QVBoxLayout *column)
{
    auto *header = new QHBoxLayout;
    m_header = header;
    header->setSpacing(8);
    header->addWidget(headline(tr("Journal"), u"book.pages", this));
    header->addStretch(1);

    // The Write / Preview switch: two exclusive buttons that read as one segmented control.
    auto *modeSwitch = new QWidget(this);
    modeSwitch->setObjectName(u"Journal view selector"_s);
    modeSwitch->setAccessibleName(tr("Journal view"));
    auto *modeRow = new QHBoxLayout(modeSwitch);
    modeRow->setContentsMargins(0, 0, 0, 0);
    modeRow->setSpacing(0);
    m_modeButtons = new QButtonGroup(this);
    m_modeButtons->setExclusive(true);
    for (JournalMode mode : allJournalModes()) {
        auto *segment = new QPushButton(title(mode), modeSwitch);
        segment->setCheckable(true);
        segment->setChecked(mode == m_mode);
        segment->setAccessibleName(title(mode));
        segment->setObjectName(u"journalMode_"_s + rawValue(mode));
        segment->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        m_modeButtons->addButton(segment, int(mode));
        modeRow->addWidget(segment);
    }
    // The chosen segment in the accent colour: a plain checked button reads as unchecked
    // on dark palettes.
    modeSwitch->setStyleSheet(
        u"QPushButton { border: 1px solid palette(mid); background: palette(button);"
        " color: palette(button-text); padding: 3px 14px; }"
        "QPushButton:checked { background: palette(highlight); border-color: palette(highlight);"
        " color: palette(highlighted-text); }"
        "QPushButton:focus { border: 2px solid palette(highlight); padding: 2px 13px; }"
        "QPushButton:checked:focus { border-color: palette(highlighted-text); }"
        "QPushButton#journalMode_write { border-top-left-radius: 5px;"
        " border-bottom-left-radius: 5px; }"
        "QPushButton#journalMode_preview { border-top-right-radius: 5px;"
        " border-bottom-right-radius: 5px; }"_s);
    connect(m_modeButtons, &QButtonGroup::idClicked, this,
            [this](int id) { setMode(JournalMode(id)); });
    header->addWidget(modeSwitch);

    m_addPerspectiveButton = new QToolButton(this);
    m_addPerspectiveButton->setObjectName(u"addPerspective"_s);
    m_addPerspectiveButton->setText(tr("Add Perspective"));
    m_addPerspectiveButton->setAccessibleName(tr("Add Perspective"));
    m_addPerspectiveButton->setToolTip(tr("Add Perspective"));
    m_addPerspectiveButton->setIcon(symbolIcon(u"plus.circle"));
    m_addPerspectiveButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_addPerspectiveButton->setAutoRaise(true);
    m_addPerspectiveButton->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(m_addPerspectiveButton);
    for (const core::Perspective &perspective : core::perspectives()) {
        QString text = perspective.name + u" — "_s + perspective.localizedTitle();
        // A title is no mnemonic.
        text.replace(u'&', u"&&"_s);
        menu->addAction(text, this,
                        [this, perspective] { m_model.insertPerspective(perspective); });
    }
    m_addPerspectiveButton->setMenu(menu);
    // The header may squeeze the button down to its icon; fitHeader then drops the word.
    m_addPerspectiveButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_addPerspectiveButton->setMinimumWidth(m_addPerspectiveButton->sizeHint().width());
    m_addPerspectiveButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    header->addWidget(m_addPerspectiveButton);

    m_openExternallyButton = new QToolButton(this);
    m_openExternallyButton->setObjectName(u"openInExternalEditor"_s);
    const QString openText = tr("Open in External Editor");
    const QIcon openIcon = symbolIcon(u"arrow.up.forward.app");
    m_openExternallyButton->setText(openText);
    m_openExternallyButton->setIcon(openIcon);
    m_openExternallyButton->setToolButtonStyle(openIcon.isNull() ? Qt::ToolButtonTextOnly
                                                                 : Qt::ToolButtonIconOnly);
    m_openExternallyButton->setToolTip(openText);
    m_openExternallyButton->setAccessibleName(openText);
    m_openExternallyButton->setAutoRaise(true);
    connect(m_openExternallyButton, &QToolButton::clicked, this,
            [this] { m_model.openCurrentNoteExternally(); });
    header->addWidget(m_openExternallyButton);

    column->addLayout(header);
}

void JournalEditor::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitHeader();
}

void JournalEditor::fitHeader()
{
    m_addPerspectiveButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const int room = contentsRect().width() - paneMargin * 2;
    if (m_header->sizeHint().width() > room && !m_addPerspectiveButton->icon().isNull())
        m_addPerspectiveButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void JournalEditor::setMode(JournalMode mode)
{
    if (QAbstractButton *segment = m_modeButtons->button(int(mode));
        segment && !segment->isChecked())
        segment->setChecked(true);
    if (mode == m_mode)
        return;
    m_mode = mode;
    if (m_mode == JournalMode::preview) {
        m_renderedView->setMarkdown(m_model.noteText());
        m_body->setCurrentWidget(m_renderedView);
        m_renderedView->scrollToTop();
    } else {
        m_body->setCurrentIndex(0);
    }
    emit modeChanged(m_mode);
}

void JournalEditor::addFooterWidget(QWidget *footer)
{
    if (!footer)
        return;
    footer->setParent(this);
    m_footer->addWidget(footer);
}

void JournalEditor::apply(MarkdownAction action)
{
    if (m_mode != JournalMode::write)
        return;
    // The control's own form of the text, so that the selection indexes into it.
    const QString text = m_textView->controlText();
    const qsizetype location = m_selectionLocation;
    const qsizetype length = m_selectionLength;
    const auto wrap = [&](const QString &prefix, const QString &suffix,
                          const QString &placeholder) {
        return core::MarkdownFormatting::wrap(text, location, length, prefix, suffix, placeholder);
    };
    const auto linePrefix = [&](const QString &prefix) {
        return core::MarkdownFormatting::linePrefix(text, location, length, prefix);
    };

    core::MarkdownEdit edit;
    switch (action) {
    case MarkdownAction::bold:
        edit = wrap(u"**"_s, u"**"_s, tr("bold text"));
        break;
    case MarkdownAction::italic:
        edit = wrap(u"_"_s, u"_"_s, tr("italic text"));
        break;
    case MarkdownAction::heading:
        edit = linePrefix(u"## "_s);
        break;
    case MarkdownAction::link:
        edit = wrap(u"["_s, u"](https://)"_s, tr("link text"));
        break;
    case MarkdownAction::bullet:
        edit = linePrefix(u"- "_s);
        break;
    case MarkdownAction::task:
        edit = linePrefix(u"- [ ] "_s);
        break;
    }

    m_selectionLocation = int(edit.selectionLocation);
    m_selectionLength = int(edit.selectionLength);
    // One undoable step in the control, then the model hears of it like any edit.
    m_textView->replaceUndoably(edit.text, m_selectionLocation, m_selectionLength);
    m_model.noteChanged(m_textView->text());
    m_textView->setFocus(Qt::OtherFocusReason);
}

void JournalEditor::takeOverModelText()
{
    m_textView->takeOver(m_model.noteText(), m_selectionLocation, m_selectionLength);
    if (m_mode == JournalMode::preview)
        m_renderedView->setMarkdown(m_model.noteText());
}

void JournalEditor::onUserEdited(const QString &controlText)
{
    m_selectionLocation = m_textView->selectionLocation();
    m_selectionLength = m_textView->selectionLength();
    m_model.noteChanged(controlText);
}

void JournalEditor::onSelectionChanged(int location, int length)
{
    m_selectionLocation = location;
    m_selectionLength = length;
}

} // namespace wrenfold::ui
