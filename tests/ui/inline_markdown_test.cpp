// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/preview/inline_markdown.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using wrenfold::ui::InlineRun;
using wrenfold::ui::inlineRuns;
using wrenfold::ui::plainText;

namespace {

InlineRun run(const QString &text)
{
    InlineRun r;
    r.text = text;
    return r;
}

InlineRun strong(const QString &text)
{
    InlineRun r = run(text);
    r.strong = true;
    return r;
}

InlineRun emphasis(const QString &text)
{
    InlineRun r = run(text);
    r.emphasis = true;
    return r;
}

TEST(InlineRuns, styledAndPlainText_splitIntoRuns)
{
    const struct {
        const char *name;
        QString text;
        QList<InlineRun> runs;
    } rows[] = {
        {"strong and underscore emphasis are bold and italic",
         u"a **bold** and _italic_ word"_s,
         {run(u"a "_s), strong(u"bold"_s), run(u" and "_s), emphasis(u"italic"_s),
          run(u" word"_s)}},
        {"spaces around styled text are kept",
         u"  **x**  "_s,
         {run(u"  "_s), strong(u"x"_s), run(u"  "_s)}},
        {"plain text is one run", u"just words, 3 of them."_s, {run(u"just words, 3 of them."_s)}},
        {"empty text gives no runs", {}, {}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(inlineRuns(row.text), row.runs) << row.name;
}

TEST(InlineRuns, codeAndLink_carryTheirStyle)
{
    const QList<InlineRun> runs = inlineRuns(u"see `x = 1` at [site](https://example.org)"_s);
    ASSERT_EQ(runs.size(), 4);
    EXPECT_TRUE(runs[1].code);
    EXPECT_EQ(runs[1].text, u"x = 1"_s);
    EXPECT_EQ(runs[3].text, u"site"_s);
    EXPECT_EQ(runs[3].link, u"https://example.org"_s);
}

// Text the inline parser leaves alone, or would turn into a block, is shown as written.
struct ShownAsWritten {
    const char *name;
    QString text;
};

class ShownAsWrittenTest : public ::testing::TestWithParam<ShownAsWritten> {};

TEST_P(ShownAsWrittenTest, showsTheTextUnchangedWithoutStyles)
{
    const QList<InlineRun> runs = inlineRuns(GetParam().text);
    EXPECT_EQ(plainText(runs), GetParam().text) << GetParam().name;
    for (const InlineRun &r : runs) {
        EXPECT_FALSE(r.strong || r.emphasis || r.code) << GetParam().name;
        EXPECT_TRUE(r.link.isEmpty()) << GetParam().name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    InlineRuns, ShownAsWrittenTest,
    ::testing::Values(
        ShownAsWritten{"unclosedStrong", u"**not closed"_s},
        ShownAsWritten{"numberedList", u"1. first"_s},
        ShownAsWritten{"numberedListParen", u"2) second"_s},
        ShownAsWritten{"headingMarker", u"# not a heading"_s},
        ShownAsWritten{"quoteMarker", u"> not a quote"_s},
        ShownAsWritten{"starBullet", u"* not a list"_s},
        ShownAsWritten{"plusBullet", u"+ not a list"_s}, ShownAsWritten{"starRule", u"* * *"_s},
        ShownAsWritten{"underscoreRule", u"___"_s}, ShownAsWritten{"codeFence", u"```js"_s},
        ShownAsWritten{"tildeFence", u"~~~"_s},
        ShownAsWritten{"referenceDefinition", u"[ref]: https://example.org"_s},
        ShownAsWritten{"indentedCode", u"    code & more"_s},
        ShownAsWritten{"tabIndent", u"\tindented & more"_s},
        ShownAsWritten{"rawHtml", u"<b>not bold</b> <script>x</script>"_s},
        ShownAsWritten{"image", u"![alt](file:///etc/passwd) text"_s},
        ShownAsWritten{"trailingSpaces", u"a <x>  "_s},
        ShownAsWritten{"innerSpaceRuns", u"a   _b"_s}, ShownAsWritten{"onlySpaces", u"   "_s}),
    [](const ::testing::TestParamInfo<ShownAsWritten> &info) {
        return std::string(info.param.name);
    });

TEST(InlineRuns, emphasisAfterEscapedBlockMarker_stillRenders)
{
    const QList<InlineRun> runs = inlineRuns(u"1. **done**"_s);
    EXPECT_EQ(plainText(runs), u"1. done"_s);
    EXPECT_TRUE(runs.back().strong);
}

} // namespace
