// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "app/search_text.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::app;

namespace {

struct FoldCase {
    const char *name;
    QString text;
    QString folded;
};

class FoldForSearch : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldForSearch, foldsCaseAndDiacritics)
{
    EXPECT_EQ(foldForSearch(GetParam().text), GetParam().folded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FoldForSearch,
    ::testing::Values(FoldCase{"asciiIsLowerCased", u"CAFE Latte"_s, u"cafe latte"_s},
                      FoldCase{"composedAccentIsDropped", u"Café"_s, u"cafe"_s},
                      FoldCase{"decomposedAccentIsDropped", u"Cafe\u0301"_s, u"cafe"_s},
                      FoldCase{"severalAccents", u"RÉSUMÉ"_s, u"resume"_s},
                      FoldCase{"lineSeparatorsKept", u"A\r\nÉ\u2028B"_s, u"a\r\ne\u2028b"_s},
                      FoldCase{"hangulStaysComposed", u"한국"_s, u"한국"_s},
                      FoldCase{"emojiSurvives", u"Ünïcode 😀"_s, u"unicode 😀"_s},
                      FoldCase{"sharpSStays", u"Straße"_s, u"straße"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FoldForSearchLines, latinGreekAndCyrillicFoldAsWholeLinesWould)
{
    // A Hangul syllable sends its line through full normalisation; every character
    // below it must fold the same way by itself as inside such a line.
    const QString slowMarker = u"\uAC00"_s;
    const QString markerFolded = foldForSearch(slowMarker);
    for (char16_t c = 0x80; c < 0x530; ++c) {
        const QString text = u"a"_s + QChar(c) + u"\u0301b"_s;
        ASSERT_EQ(foldForSearch(text) + markerFolded, foldForSearch(QString(text + slowMarker)))
            << "U+" << std::hex << int(c);
    }
    for (const QString &text : {u"Ἀθῆναι Ёлка ǅemal ŉ ΐ"_s, u"e\u0301\u0327\u0300X"_s}) {
        EXPECT_EQ(foldForSearch(text) + markerFolded, foldForSearch(QString(text + slowMarker)))
            << text.toStdString();
    }
}

QString excerptOf(const QString &text, const QString &query)
{
    const QString folded = foldForSearch(text);
    const QString needle = foldForSearch(query);
    const qsizetype at = folded.indexOf(needle);
    if (at < 0)
        return u"<none>"_s;
    return excerptForMatch(text, folded, at, needle.size());
}

TEST(ExcerptForMatch, isTheWholeTrimmedLineOfTheFirstMatch)
{
    const struct {
        const char *name;
        QString text;
        QString query;
        QString excerpt;
    } rows[] = {
        {"first of two matches, trimmed",
         u"# Day\n\n  Coffee at the Café Noir \nlater another cafe\n"_s, u"cafe"_s,
         u"Coffee at the Café Noir"_s},
        // Decomposed accents shrink when folded; the line must still be found by number.
        {"line after shortened lines", u"e\u0301e\u0301e\u0301e\u0301\nsecond line with target\n"_s,
         u"target"_s, u"second line with target"_s},
        {"match across lines gives both", u"zero\n one two\nthree four \nfive"_s, u"two\nthree"_s,
         u"one two\nthree four"_s},
        {"CRLF line has no carriage return", u"first\r\nthe résumé\r\nlast"_s, u"resume"_s,
         u"the résumé"_s},
        {"last line without line feed", u"a\nb\nfinal word"_s, u"WORD"_s, u"final word"_s},
    };
    for (const auto &row : rows)
        EXPECT_EQ(excerptOf(row.text, row.query), row.excerpt) << row.name;
}

struct UsefulLineCase {
    const char *name;
    QString text;
    QString expected;
};

class FirstUsefulLine : public ::testing::TestWithParam<UsefulLineCase> {};

TEST_P(FirstUsefulLine, picksTheLineAUserWouldRecognise)
{
    EXPECT_EQ(firstUsefulLineOf(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstUsefulLine,
    ::testing::Values(
        UsefulLineCase{"headingMarkerRemoved", u"## Plan for today\nmore"_s, u"Plan for today"_s},
        UsefulLineCase{"sevenSignsKept", u"####### word"_s, u"####### word"_s},
        UsefulLineCase{"leadingSpacesKeepHeading", u"  # Title"_s, u"  # Title"_s},
        UsefulLineCase{"signsWithoutSpaceKept", u"#tag line"_s, u"#tag line"_s},
        UsefulLineCase{"commentLinesSkipped",
                       u"<!-- vesk-flow: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a -->\n## Walk\n"_s,
                       u"Walk"_s},
        UsefulLineCase{"blankAndTabLinesSkipped", u"\n \t \n\tBody text  "_s, u"\tBody text  "_s},
        UsefulLineCase{"crlfBlankLinesSkipped", u"\r\n\r\n# Title\r\nbody"_s, u"Title"_s},
        UsefulLineCase{"indentedCommentSkipped", u"   <!-- note -->\nreal"_s, u"real"_s},
        UsefulLineCase{"onlyCommentsIsEmptyNote", u"<!-- a -->\n\n  <!-- b -->\n"_s,
                       u"Empty note"_s},
        UsefulLineCase{"emptyTextIsEmptyNote", QString(), u"Empty note"_s}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
