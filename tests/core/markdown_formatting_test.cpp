// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/markdown_formatting.h"
#include "core/markdown_text.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::core;

TEST(MarkdownFormatting, wrap_table)
{
    // Symmetric markers; the placeholder is "x" unless the row needs another.
    const struct {
        const char *name;
        QString text;
        qsizetype location;
        qsizetype length;
        QString marker;
        MarkdownEdit expected;
    } rows[] = {
        {"selection stays selected", u"hello world"_s, 6, 5, u"**"_s, {u"hello **world**"_s, 8, 5}},
        {"start past the end is clamped", u"hello"_s, 100, 3, u"_"_s, {u"hello_x_"_s, 6, 1}},
        {"negative start and length are zero", u"hello"_s, -4, -2, u"`"_s, {u"`x`hello"_s, 1, 1}},
        {"length past the end is clamped", u"hello"_s, 3, 50, u"~~"_s, {u"hel~~lo~~"_s, 5, 2}},
        {"emoji before: two units", u"🌲 tree"_s, 3, 4, u"**"_s, {u"🌲 **tree**"_s, 5, 4}},
        {"selected emoji is two units long", u"a🌲b"_s, 1, 2, u"*"_s, {u"a*🌲*b"_s, 2, 2}},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(MarkdownFormatting::wrap(row.text, row.location, row.length, row.marker,
                                           row.marker, u"x"_s),
                  row.expected)
            << row.name;
    }
    // Empty text gets the placeholder, selected, between unequal markers.
    EXPECT_EQ(MarkdownFormatting::wrap({}, 0, 0, u"["_s, u"](https://)"_s, u"link text"_s),
              (MarkdownEdit{u"[link text](https://)"_s, 1, 9}));
}

TEST(MarkdownFormatting, linePrefix_table)
{
    const struct {
        const char *name;
        QString text;
        qsizetype location;
        qsizetype length;
        MarkdownEdit expected;
    } rows[] = {
        {"middle of the second line", u"one\ntwo"_s, 5, 0, {u"one\n- two"_s, 7, 0}},
        {"end of a text ending in a line feed", u"one\n"_s, 4, 0, {u"one\n- "_s, 6, 0}},
        {"start of the text", u"one"_s, 0, 3, {u"- one"_s, 2, 3}},
        {"only the first line of a selection", u"a\nb\nc"_s, 2, 3, {u"a\n- b\nc"_s, 4, 3}},
        {"carriage return ends a line", u"a\rbc"_s, 3, 0, {u"a\r- bc"_s, 5, 0}},
        {"CRLF ends a line", u"a\r\nbc"_s, 4, 0, {u"a\r\n- bc"_s, 6, 0}},
        {"inside CRLF belongs to the line before", u"a\r\nb"_s, 2, 0, {u"- a\r\nb"_s, 4, 0}},
        {"line separator ends a line", u"a\u2028b"_s, 2, 0, {u"a\u2028- b"_s, 4, 0}},
        {"paragraph separator ends a line", u"a\u2029b"_s, 2, 0, {u"a\u2029- b"_s, 4, 0}},
        {"position past the end is clamped", u"ab\ncd"_s, 99, 0, {u"ab\n- cd"_s, 7, 0}},
        {"negative start: 0, length kept", u"ab"_s, -3, -7, {u"- ab"_s, 2, -7}},
        {"emoji on the line counts two units", u"x\n🌲y"_s, 5, 0, {u"x\n- 🌲y"_s, 7, 0}},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(MarkdownFormatting::linePrefix(row.text, row.location, row.length, u"- "_s),
                  row.expected)
            << row.name;
    }
}

TEST(LineEndings, anEditKeepsEveryUntouchedLineEnd)
{
    const struct {
        const char *name;
        QString previous;
        QString edited; // the control's LF form after the edit
        QString expected;
    } rows[] = {
        {"line joined in the middle", u"a\r\nb\nc\rd"_s, u"a\nbc\nd"_s, u"a\r\nbc\rd"_s},
        {"middle line edited", u"a\rb\r\nc\nd"_s, u"a\nbX\nc\nd"_s, u"a\rbX\r\nc\nd"_s},
        {"lines pasted take the commonest form", u"a\rb\rc\nd"_s, u"a\nx\ny\nb\nc\nd"_s,
         u"a\rx\ry\rb\rc\nd"_s},
        {"paragraph separators stay", u"p\u2029q\u2029r"_s, u"p\nq!\nr"_s, u"p\u2029q!\u2029r"_s},
        {"a tie goes to LF", u"a\r\nb\nc"_s, u"a\nb\nc\n"_s, u"a\r\nb\nc\n"_s},
        {"LF only stays LF", u"a\nb"_s, u"a\nb\nc"_s, u"a\nb\nc"_s},
        {"from nothing", u""_s, u"a\nb"_s, u"a\nb"_s},
        {"all replaced", u"a\r\nb\r\n"_s, u"z\n"_s, u"z\r\n"_s},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(withLineFeeds(row.expected), row.edited);
        EXPECT_EQ(restoredLineEndings(row.previous, row.edited), row.expected);
    }
}
