// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/preview/preview_rows.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using wrenfold::ui::PreviewRow;
using wrenfold::ui::PreviewRowKind;
using wrenfold::ui::previewRows;
using wrenfold::ui::renderedLine;

namespace {

struct LineCase {
    const char *name;
    QString line;
    std::optional<PreviewRowKind> kind; ///< nullopt: no row
    QString text;
};

class RenderedLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(RenderedLineTest, classifiesByFirstMatchingRule)
{
    const LineCase &c = GetParam();
    const std::optional<PreviewRow> row = renderedLine(c.line);
    ASSERT_EQ(row.has_value(), c.kind.has_value()) << c.name;
    if (row) {
        EXPECT_EQ(row->kind, *c.kind) << c.name;
        EXPECT_EQ(row->text, c.text) << c.name;
    }
}

const QString habitMarker = u" <!-- vesk-habit: 3f2a1c4e-0000-4000-8000-00000000abcd -->"_s;

INSTANTIATE_TEST_SUITE_P(
    Rules, RenderedLineTest,
    ::testing::Values(
        LineCase{"commentLine_isHidden", u"<!-- vesk-perspective: kaizen -->"_s, std::nullopt, {}},
        LineCase{"commentEvenWithTextAfter_isHidden", u"<!--x--> visible?"_s, std::nullopt, {}},
        LineCase{"indentedComment_isParagraph", u" <!-- x -->"_s, PreviewRowKind::paragraph,
                 u" <!-- x -->"_s},
        LineCase{"threeHashes_isTitle3", u"### Small"_s, PreviewRowKind::heading3, u"Small"_s},
        LineCase{"twoHashes_isTitle2", u"## Kaizen — Small steps"_s, PreviewRowKind::heading2,
                 u"Kaizen — Small steps"_s},
        LineCase{"oneHash_isLargeTitle", u"# Big"_s, PreviewRowKind::heading1, u"Big"_s},
        LineCase{"hashWithoutSpace_isParagraph", u"#Big"_s, PreviewRowKind::paragraph, u"#Big"_s},
        LineCase{"fourHashes_isParagraph", u"#### Deep"_s, PreviewRowKind::paragraph,
                 u"#### Deep"_s},
        LineCase{"headingKeepsComment", u"## A <!-- c -->"_s, PreviewRowKind::heading2,
                 u"A <!-- c -->"_s},
        LineCase{"checkedTaskWithHabitMarker_dropsMarkerAndSpace", u"- [x] Walk"_s + habitMarker,
                 PreviewRowKind::checkedTask, u"Walk"_s},
        LineCase{"upperCaseX_isCheckedTaskToo", u"- [X] Walk"_s + habitMarker,
                 PreviewRowKind::checkedTask, u"Walk"_s},
        LineCase{"openTask", u"- [ ] Call <!--a-->mum<!--b-->"_s, PreviewRowKind::openTask,
                 u"Callmum"_s},
        LineCase{"openTaskWithoutSpace_isBulletWithBox", u"- [ ]Call"_s, PreviewRowKind::bullet,
                 u"[ ]Call"_s},
        LineCase{"emptyTask", u"- [ ] "_s, PreviewRowKind::openTask, u""_s},
        LineCase{"bullet", u"- milk"_s, PreviewRowKind::bullet, u"milk"_s},
        LineCase{"bulletKeepsComment", u"- milk <!-- c -->"_s, PreviewRowKind::bullet,
                 u"milk <!-- c -->"_s},
        LineCase{"indentedBullet_isParagraph", u"  - milk"_s, PreviewRowKind::paragraph,
                 u"  - milk"_s},
        LineCase{"hyphenWithoutSpace_isParagraph", u"-milk"_s, PreviewRowKind::paragraph,
                 u"-milk"_s},
        LineCase{"quote", u"> calm"_s, PreviewRowKind::quote, u"calm"_s},
        LineCase{"quoteWithoutSpace_isParagraph", u">calm"_s, PreviewRowKind::paragraph,
                 u">calm"_s},
        LineCase{"threeHyphens_isDivider", u"---"_s, PreviewRowKind::divider, u""_s},
        LineCase{"threeHyphensAndSpace_isParagraph", u"--- "_s, PreviewRowKind::paragraph,
                 u"--- "_s},
        LineCase{"empty_isSpacer", u""_s, PreviewRowKind::spacer, u""_s},
        LineCase{"onlySpaces_isParagraph", u"   "_s, PreviewRowKind::paragraph, u"   "_s},
        LineCase{"numberedList_isParagraph", u"1. first"_s, PreviewRowKind::paragraph,
                 u"1. first"_s},
        LineCase{"codeFence_isParagraph", u"```"_s, PreviewRowKind::paragraph, u"```"_s},
        LineCase{"carriageReturn_staysInLine", u"---\r"_s, PreviewRowKind::paragraph, u"---\r"_s},
        LineCase{"combiningMarkAfterSpace_isNoBullet", u"- \u0301x"_s, PreviewRowKind::paragraph,
                 u"- \u0301x"_s},
        LineCase{"emojiAfterSpace_isBullet", u"- 🙂 ok"_s, PreviewRowKind::bullet, u"🙂 ok"_s}),
    [](const ::testing::TestParamInfo<LineCase> &info) { return std::string(info.param.name); });

TEST(PreviewRows, splitIntoLinesByLineFeedOnly)
{
    const struct {
        const char *name;
        QString text;
        QList<PreviewRow> rows;
    } cases[] = {
        {"an empty entry is one spacer", {}, {{0, PreviewRowKind::spacer, {}}}},
        {"a trailing line feed gives a final spacer",
         u"a\n"_s,
         {{0, PreviewRowKind::paragraph, u"a"_s}, {1, PreviewRowKind::spacer, {}}}},
        {"equal lines are distinct rows by index",
         u"same\nsame"_s,
         {{0, PreviewRowKind::paragraph, u"same"_s}, {1, PreviewRowKind::paragraph, u"same"_s}}},
        {"CRLF keeps the carriage return in each line",
         u"- a\r\n\r\n"_s,
         {{0, PreviewRowKind::bullet, u"a\r"_s},
          {1, PreviewRowKind::paragraph, u"\r"_s},
          {2, PreviewRowKind::spacer, {}}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(previewRows(c.text), c.rows) << c.name;
}

TEST(PreviewRows, perspectiveBlockAndHabitLine_showOnlyVisibleRows)
{
    const QString note = u"# Thursday\n"
                         "<!-- vesk-perspective: kaizen -->\n"
                         "## Kaizen — Small steps\n"
                         "What small change did I notice?\n"
                         "\n"
                         "Moved the kettle.\n"
                         "<!-- /vesk-perspective -->\n"
                         "- [x] Walk <!-- vesk-habit: 3f2a1c4e-0000-4000-8000-00000000abcd -->"_s;
    const QList<PreviewRow> rows = previewRows(note);
    const QList<PreviewRow> expected{
        {0, PreviewRowKind::heading1, u"Thursday"_s},
        {2, PreviewRowKind::heading2, u"Kaizen — Small steps"_s},
        {3, PreviewRowKind::paragraph, u"What small change did I notice?"_s},
        {4, PreviewRowKind::spacer, {}},
        {5, PreviewRowKind::paragraph, u"Moved the kettle."_s},
        {7, PreviewRowKind::checkedTask, u"Walk"_s},
    };
    EXPECT_EQ(rows, expected);
}

} // namespace
