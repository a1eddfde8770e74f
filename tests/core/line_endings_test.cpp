// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/markdown_text.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using wrenfold::core::restoredLineEndings;
using wrenfold::core::withLineFeeds;

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
