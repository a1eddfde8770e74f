// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The journal pane driven like a user drives it, over a real model and notes folder, and
// the preview's rows and inline runs it draws.
#include "core/perspective_catalogue.h"
#include "support/model_fixture.h"
#include "ui/editor/journal_editor.h"
#include "ui/editor/markdown_text_view.h"
#include "ui/preview/inline_markdown.h"
#include "ui/preview/markdown_rendered_view.h"
#include "ui/preview/preview_document.h"
#include "ui/preview/preview_rows.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace wrenfold::ui;

namespace wrenfold::testing {
namespace {

class JournalEditorTest : public UiWorld {
protected:
    void makeEditor()
    {
        if (!model)
            makeModel();
        m_editor = std::make_unique<JournalEditor>(*model);
        m_editor->resize(900, 640);
        m_editor->show();
        m_editor->textView()->setFocus();
    }

    /// Where the store keeps the note of `day`, before any model exists.
    QString plannedNotePath(const QDate &day) const
    {
        return core::MarkdownStore(notesRoot, calendar).noteURL(calendar.startOfDay(day));
    }

    ui::MarkdownTextView &view() { return *m_editor->textView(); }
    void type(const QString &text) { QTest::keyClicks(&view(), text); }
    void press(MarkdownAction action)
    {
        QTest::mouseClick(m_editor->toolbar()->button(action), Qt::LeftButton);
    }
    void select(int location, int length)
    {
        QTextCursor cursor(view().document());
        cursor.setPosition(location);
        cursor.setPosition(location + length, QTextCursor::KeepAnchor);
        view().setTextCursor(cursor);
    }

    std::unique_ptr<JournalEditor> m_editor;
};

// ---- Typing and saving -------------------------------------------------------------------

TEST_F(JournalEditorTest, typingAndPasting_writeOncePausedKeepTheCursorAndTheTextPlain)
{
    makeEditor();

    type(u"Dear diary"_s);

    EXPECT_EQ(model->noteText(), u"Dear diary"_s);
    EXPECT_TRUE(model->hasPendingSave());
    EXPECT_FALSE(QFileInfo::exists(notePath())) << "written per keystroke, not after the pause";
    ASSERT_TRUE(waitUntil([&] { return noteFile() == u"Dear diary"_s; }));
    EXPECT_FALSE(model->hasPendingSave());
    select(2, 0);

    type(u"XY"_s);

    EXPECT_EQ(model->noteText(), u"DeXYar diary"_s);
    EXPECT_EQ(view().textCursor().position(), 4);
    EXPECT_EQ(m_editor->selectionLocation(), 4);

    // Rich text arrives as plain text in a monospaced control.
    auto *mime = new QMimeData;
    mime->setHtml(u"<b>bold</b> <i>words</i>"_s);
    mime->setText(u"bold words"_s);
    QApplication::clipboard()->setMimeData(mime);
    view().selectAll();
    view().paste();
    EXPECT_EQ(model->noteText(), u"bold words"_s);
    EXPECT_FALSE(QTextCursor(view().document()).charFormat().font().bold());
    const QFontMetricsF metrics(view().font());
    EXPECT_EQ(metrics.horizontalAdvance(u'i'), metrics.horizontalAdvance(u'W'));
}

// ---- Toolbar actions ---------------------------------------------------------------------

TEST_F(JournalEditorTest, toolbarActions_editTheTextAndSelectInUtf16Units)
{
    using A = MarkdownAction;
    const struct {
        const char *name;
        QString text;
        int location, length;
        MarkdownAction action;
        QString expected;
        int selectedLocation, selectedLength;
    } rows[] = {
        {"bold selects a placeholder", u"Hi "_s, 3, 0, A::bold, u"Hi **bold text**"_s, 5, 9},
        {"an emoji counts two units", u"🙂 ok"_s, 3, 2, A::bold, u"🙂 **ok**"_s, 5, 2},
        {"link selects its text", {}, 0, 0, A::link, u"[link text](https://)"_s, 1, 9},
        {"task prefixes the line", u"one\ntwo"_s, 5, 0, A::task, u"one\n- [ ] two"_s, 11, 0},
        {"bullet prefixes the line", u"one\ntwo"_s, 5, 0, A::bullet, u"one\n- two"_s, 7, 0},
        {"heading prefixes the line", u"one\ntwo"_s, 5, 0, A::heading, u"one\n## two"_s, 8, 0},
    };
    makeModel();
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        model->noteChanged(QString());
        makeEditor();
        view().insertPlainText(row.text);
        select(row.location, row.length);

        press(row.action);

        EXPECT_EQ(model->noteText(), row.expected);
        EXPECT_EQ(view().selectionLocation(), row.selectedLocation);
        EXPECT_EQ(view().selectionLength(), row.selectedLength);
        EXPECT_EQ(m_editor->selectionLocation(), row.selectedLocation);
    }
}

TEST_F(JournalEditorTest, undo_takesBackAToolbarActionInOneStepAndPreviewTakesNone)
{
    makeEditor();
    type(u"one two three"_s);
    for (MarkdownAction action : {MarkdownAction::bold, MarkdownAction::heading}) {
        select(4, 3);
        press(action);
        view().undo();
        EXPECT_EQ(model->noteText(), u"one two three"_s);
        // The cursor stays where the edit was.
        EXPECT_GE(view().selectionLocation(), 4) << int(action);
        EXPECT_LE(view().selectionLocation() + view().selectionLength(), 7) << int(action);
    }
    QTest::keyClick(&view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(model->noteText(), QString());
    m_editor->setMode(JournalMode::preview);
    m_editor->apply(MarkdownAction::bold);
    EXPECT_EQ(model->noteText(), QString());
}

// ---- Text replaced from outside ----------------------------------------------------------

TEST_F(JournalEditorTest, anotherDay_replacesTextKeepingASelectionThatFits)
{
    const QDate today = QDate::currentDate();
    ASSERT_TRUE(writeFile(plannedNotePath(today.addDays(1)), "Tomorrow is a longer day."));
    ASSERT_TRUE(writeFile(plannedNotePath(today.addDays(2)), "ab"));
    makeEditor();
    type(u"Today text"_s);
    select(6, 3);
    const QDateTime start = model->selectedDate();

    model->showDay(start.addDays(1));

    EXPECT_EQ(view().controlText(), u"Tomorrow is a longer day."_s);
    EXPECT_EQ(view().selectionLocation(), 6);
    EXPECT_EQ(view().selectionLength(), 3);
    EXPECT_FALSE(model->hasPendingSave()) << "taking over a text must not count as an edit";
    EXPECT_EQ(noteFileOf(start), u"Today text"_s);

    model->showDay(start.addDays(2));

    EXPECT_EQ(view().controlText(), u"ab"_s);
    EXPECT_EQ(view().selectionLocation(), 2) << "the cursor jumped to the top";
    EXPECT_EQ(view().selectionLength(), 0);
    EXPECT_FALSE(model->hasPendingSave());
    EXPECT_FALSE(view().document()->isUndoAvailable()) << "undo must not reach another day";
}

TEST_F(JournalEditorTest, unusualLineEndsAndSpaces_surviveAnEdit)
{
    // Typed at the end; the control shows line feeds, and every line end and space the
    // edit did not touch keeps its form.
    const struct {
        const char *name;
        QString file;
        QString shown;
    } rows[] = {
        {"CRLF line ends", u"one\r\ntwo\r\n"_s, u"one\ntwo\n"_s},
        {"no-break space and line separator", u"50\u00A0km\u2028next"_s, u"50\u00A0km\u2028next"_s},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        m_editor.reset();
        ASSERT_TRUE(writeFile(plannedNotePath(QDate::currentDate()), row.file.toUtf8()));
        makeModel();
        makeEditor();
        EXPECT_EQ(view().controlText(), row.shown);
        EXPECT_FALSE(model->hasPendingSave());

        view().moveCursor(QTextCursor::End);
        type(u"!"_s);

        EXPECT_EQ(model->noteText(), row.file + u"!"_s);
    }
}

// ---- Preview -------------------------------------------------------------------------------

TEST_F(JournalEditorTest, preview_showsRowsWithoutHiddenMarkersAndFollowsTheText)
{
    const QString note = u"# Thursday\n"
                         "<!-- vesk-perspective: kaizen -->\n"
                         "Moved the **kettle**."_s;
    makeEditor();
    // Handed over like a reload; a note file on disk would first be migrated.
    model->noteChanged(note);
    QSignalSpy modeSpy(m_editor.get(), &JournalEditor::modeChanged);

    QTest::mouseClick(m_editor->findChild<QPushButton *>(u"journalMode_preview"_s), Qt::LeftButton);

    ASSERT_EQ(m_editor->mode(), JournalMode::preview);
    EXPECT_EQ(modeSpy.count(), 1);
    EXPECT_TRUE(m_editor->renderedView()->isVisible());
    EXPECT_FALSE(view().isVisible());
    EXPECT_EQ(m_editor->renderedView()->rows().size(), 2);

    QTest::mouseClick(m_editor->findChild<QPushButton *>(u"journalMode_write"_s), Qt::LeftButton);

    EXPECT_EQ(m_editor->mode(), JournalMode::write);
    EXPECT_EQ(view().controlText(), note);
    EXPECT_EQ(model->noteText(), note);
    m_editor->setMode(JournalMode::preview);

    model->noteChanged(u"> after"_s);

    ASSERT_EQ(m_editor->renderedView()->rows().size(), 1);
    EXPECT_EQ(m_editor->renderedView()->rows()[0].kind, PreviewRowKind::quote);
    EXPECT_EQ(m_editor->renderedView()->document()->toPlainText(), u"after"_s);
}

TEST_F(JournalEditorTest, preview_opensAtTheTopWhereverTheCursorWas)
{
    makeEditor();
    model->noteChanged(u"line\n"_s.repeated(300));
    view().moveCursor(QTextCursor::End);
    m_editor->setMode(JournalMode::preview);
    QScrollBar *bar = m_editor->renderedView()->browser()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->value(), 0);
}

// ---- Header ------------------------------------------------------------------------------

TEST_F(JournalEditorTest, headerButtons_insertAPerspectiveAndOpenTheSavedDayFile)
{
    makeEditor();
    auto *button = m_editor->findChild<QToolButton *>(u"addPerspective"_s);
    ASSERT_NE(button, nullptr);
    ASSERT_NE(button->menu(), nullptr);
    const QList<QAction *> items = button->menu()->actions();
    ASSERT_EQ(items.size(), 11);

    items[5]->trigger();

    ASSERT_EQ(model->perspectiveEntries().size(), 1);
    EXPECT_EQ(model->perspectiveEntries()[0].perspectiveID, core::PerspectiveID::ma);
    type(u"to be opened"_s);
    QTest::mouseClick(m_editor->findChild<QToolButton *>(u"openInExternalEditor"_s),
                      Qt::LeftButton);

    EXPECT_EQ(workspace.openedFiles, QStringList{notePath()});
    EXPECT_EQ(noteFile(), u"to be opened"_s);
}

// ---- Rendered preview -------------------------------------------------------------------

TEST(PreviewRows, renderedLine_classifiesByFirstMatchingRule)
{
    using K = PreviewRowKind;
    const QString habit = u" <!-- vesk-habit: 3f2a1c4e-0000-4000-8000-00000000abcd -->"_s;
    const struct {
        QString line;
        std::optional<PreviewRowKind> kind; // none: no row
        QString text;                       // null: the line as written
    } rows[] = {
        {u"<!-- vesk-perspective: kaizen -->"_s, {}, {}},
        {u"<!--x--> visible?"_s, {}, {}}, // hidden even with text after
        {u" <!-- x -->"_s, K::paragraph, {}},
        {u"### Small"_s, K::heading3, u"Small"_s},
        {u"## Kaizen — Small steps"_s, K::heading2, u"Kaizen — Small steps"_s},
        {u"# Big"_s, K::heading1, u"Big"_s},
        {u"#Big"_s, K::paragraph, {}},
        {u"#### Deep"_s, K::paragraph, {}},
        {u"- [x] Walk"_s + habit, K::checkedTask, u"Walk"_s}, // marker and space dropped
        {u"- [X] Walk"_s + habit, K::checkedTask, u"Walk"_s},
        {u"- [ ] Call <!--a-->mum<!--b-->"_s, K::openTask, u"Callmum"_s},
        {u"- [ ]Call"_s, K::bullet, u"[ ]Call"_s},
        {u"- [ ] "_s, K::openTask, u""_s},
        {u"- milk"_s, K::bullet, u"milk"_s},
        {u"- milk <!-- c -->"_s, K::bullet, u"milk <!-- c -->"_s},
        {u"  - milk"_s, K::paragraph, {}},
        {u"-milk"_s, K::paragraph, {}},
        {u"> calm"_s, K::quote, u"calm"_s},
        {u">calm"_s, K::paragraph, {}},
        {u"---"_s, K::divider, u""_s},
        {u""_s, K::spacer, u""_s},
        {u"   "_s, K::paragraph, {}},
        {u"---\r"_s, K::paragraph, {}},     // the carriage return stays in the line
        {u"- \u0301x"_s, K::paragraph, {}}, // a combining mark after the space: no bullet
        {u"- 🙂 ok"_s, K::bullet, u"🙂 ok"_s},
    };
    for (const auto &c : rows) {
        SCOPED_TRACE(c.line.toStdString());
        const std::optional<PreviewRow> row = renderedLine(c.line);
        ASSERT_EQ(row.has_value(), c.kind.has_value());
        if (row) {
            EXPECT_EQ(row->kind, *c.kind);
            EXPECT_EQ(row->text, c.text.isNull() ? c.line : c.text);
        }
    }
}

TEST(PreviewRows, splitIntoLinesByLineFeedOnly)
{
    using K = PreviewRowKind;
    // An empty entry is one spacer, a trailing line feed gives a final spacer, and CRLF
    // keeps the carriage return in each line.
    EXPECT_EQ(previewRows({}), (QList<PreviewRow>{{0, K::spacer, {}}}));
    EXPECT_EQ(previewRows(u"a\n"_s),
              (QList<PreviewRow>{{0, K::paragraph, u"a"_s}, {1, K::spacer, {}}}));
    EXPECT_EQ(previewRows(u"- a\r\n\r\n"_s),
              (QList<PreviewRow>{
                  {0, K::bullet, u"a\r"_s}, {1, K::paragraph, u"\r"_s}, {2, K::spacer, {}}}));
}

InlineRun run(const QString &text, bool strong = false, bool emphasis = false, bool code = false,
              const QString &link = {})
{
    return {text, strong, emphasis, code, link};
}

TEST(InlineRuns, styledAndPlainText_splitIntoRuns)
{
    const std::pair<QString, QList<InlineRun>> rows[] = {
        {u"a **bold** and _italic_ word"_s,
         {run(u"a "_s), run(u"bold"_s, true), run(u" and "_s), run(u"italic"_s, false, true),
          run(u" word"_s)}},
        {u"  **x**  "_s, {run(u"  "_s), run(u"x"_s, true), run(u"  "_s)}}, // spaces around are kept
        {u"see `x = 1` at [site](https://example.org)"_s,
         {run(u"see "_s), run(u"x = 1"_s, false, false, true), run(u" at "_s),
          run(u"site"_s, false, false, false, u"https://example.org"_s)}},
        {u"1. **done**"_s, {run(u"1. "_s), run(u"done"_s, true)}}, // after an escaped block marker
        {u"just words, 3 of them."_s, {run(u"just words, 3 of them."_s)}},
        {{}, {}},
    };
    for (const auto &[text, runs] : rows)
        EXPECT_EQ(inlineRuns(text), runs) << text.toStdString();
}

TEST(InlineRuns, unstyledAndBlockSyntax_showTheTextUnchangedWithoutStyles)
{
    // Separated by "|".
    const QStringList texts =
        u"**not closed|1. first|2) second|# not a heading|> not a quote|* not a list|"
        u"+ not a list|* * *|___|```js|~~~|[ref]: https://example.org|    code & more|"
        u"\tindented & more|<b>not bold</b> <script>x</script>|![alt](file:///etc/passwd) text|"
        u"a <x>  |a   _b|   "_s.split(u'|');
    for (const QString &text : texts) {
        const QList<InlineRun> runs = inlineRuns(text);
        EXPECT_EQ(plainText(runs), text);
        for (const InlineRun &r : runs)
            EXPECT_FALSE(r.strong || r.emphasis || r.code || !r.link.isEmpty())
                << text.toStdString();
    }
}

TEST(MarkdownRenderedView, oneBlockPerDrawnRowWithoutMarkers_andOnlyWebAndMailLinksLeave)
{
    MarkdownRenderedView view;
    view.setMarkdown(u"<!-- vesk-perspective: ma -->\n## Ma — Space between\n> pause\n---\n"
                     u"read [this](https://example.org/a) now"_s);

    QList<PreviewRowKind> kinds;
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next())
        kinds << previewRowKind(block);
    EXPECT_EQ(kinds, (QList<PreviewRowKind>{PreviewRowKind::heading2, PreviewRowKind::quote,
                                            PreviewRowKind::divider, PreviewRowKind::paragraph}));
    EXPECT_EQ(view.document()->firstBlock().userState(), 1);
    EXPECT_EQ(view.document()->lastBlock().userState(), 4);
    EXPECT_EQ(view.document()->toPlainText(), u"Ma — Space between\npause\n\nread this now"_s);

    // A link is an anchor; only web and mail addresses are handed to the desktop.
    QStringList anchors;
    const QTextBlock block = view.document()->lastBlock();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isAnchor())
            anchors << it.fragment().text() + u" -> "_s + it.fragment().charFormat().anchorHref();
    }
    EXPECT_EQ(anchors, QStringList{u"this -> https://example.org/a"_s});
    const QStringList opened{u"https://example.org/a"_s, u"HTTP://example.org"_s,
                             u"mailto:me@example.org"_s};
    const QStringList kept{u"file:///etc/passwd"_s, u"javascript:alert(1)"_s, u"notes.md"_s, u""_s,
                           u"https://"_s,           u"smb://server/share"_s,  u"mailto:"_s};
    for (const QString &link : opened)
        EXPECT_TRUE(isExternalLink(QUrl(link))) << link.toStdString();
    for (const QString &link : kept)
        EXPECT_FALSE(isExternalLink(QUrl(link))) << link.toStdString();
}

TEST(MarkdownRenderedView, isReadOnlyAndCopiesPlainTextWithoutPictureCharacters)
{
    MarkdownRenderedView view;
    view.setMarkdown(u"- [ ] Read\n**bold**"_s);
    view.browser()->selectAll();

    view.browser()->copy();

    EXPECT_EQ(QApplication::clipboard()->text(), u"\tRead\nbold"_s);
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasHtml());
    EXPECT_TRUE(view.browser()->isReadOnly());
    EXPECT_TRUE(view.browser()->textInteractionFlags() & Qt::TextSelectableByKeyboard);
}

} // namespace
} // namespace wrenfold::testing
