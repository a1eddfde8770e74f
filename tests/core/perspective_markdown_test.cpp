// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/perspective_markdown.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::core;

namespace {

DailyPerspectiveEntry kaizen(const QString &response = u"Moved the kettle."_s)
{
    return {PerspectiveID::kaizen, u"Kaizen"_s, u"Small steps"_s,
            u"What small change did I notice?"_s, response};
}

DailyPerspectiveEntry shinrinYoku(const QString &response)
{
    return {PerspectiveID::shinrinYoku, u"Shinrin-yoku"_s, u"Time in nature"_s,
            u"Where would I like to spend time outdoors?"_s, response};
}

} // namespace

TEST(PerspectiveMarkdown, entries_skipsMalformedBlocksAndUnknownIdentifiersButReadsNeighbours)
{
    EXPECT_EQ(PerspectiveMarkdown::document({}), QString());
    const QString body = u" -->\n## A — B\n\nC\n\nD\n<!-- /vesk-perspective -->"_s;
    const struct {
        const char *name;
        QString text;
    } rows[] = {
        {"empty text", {}},
        {"identifier in capitals", u"<!-- vesk-perspective: Kaizen"_s + body},
        {"identifier in camel case", u"<!-- vesk-perspective: shinrinYoku"_s + body},
        {"identifier with underscore", u"<!-- vesk-perspective: shinrin_yoku"_s + body},
        {"start marker cut short", u"<!-- vesk-perspective: kaizen end\n## A — B\n\nC\n\nD\n"
                                   u"<!-- /vesk-perspective -->"_s},
        {"no end marker",
         u"<!-- vesk-perspective: kaizen -->\n## Kaizen — Small steps\n\nPrompt\n\nAnswer\n"_s},
    };
    for (const auto &row : rows)
        EXPECT_TRUE(PerspectiveMarkdown::entries(row.text).isEmpty()) << row.name;
    DailyPerspectiveEntry misspelt = kaizen();
    QString text =
        PerspectiveMarkdown::document({kaizen(u"one"_s), misspelt, shinrinYoku(u"three"_s)});
    text.replace(text.indexOf(u"vesk-perspective: kaizen", 10), 24, u"vesk-perspective: kaizan"_s);
    EXPECT_EQ(PerspectiveMarkdown::entries(text),
              (QList<DailyPerspectiveEntry>{kaizen(u"one"_s), shinrinYoku(u"three"_s)}));
}

TEST(PerspectiveMarkdown, appending_separatorDependsOnContent_wholeLineMarkersCount)
{
    const QString block = u"<!-- vesk-perspective: kaizen -->\n## Kaizen — Small steps\n\n"
                          u"What small change did I notice?\n"_s;
    const struct {
        const char *name;
        QString text;
        QString expected;
    } rows[] = {
        {"empty text gets the block alone", {}, block},
        {"blank text ending in a line feed gets no empty line", u" \n\t\n"_s, u" \n\t\n"_s + block},
        {"spaces only: the marker still starts its own line", u"   "_s, u"   \n"_s + block},
        {"one word gets an empty line", u"Hello"_s, u"Hello\n\n"_s + block},
        {"a final line feed is kept: three line feeds", u"Hello\n"_s, u"Hello\n\n\n"_s + block},
    };
    for (const auto &row : rows) {
        const QString result =
            PerspectiveMarkdown::appending(PerspectiveID::kaizen, u"Kaizen"_s, u"Small steps"_s,
                                           u"What small change did I notice?"_s, row.text);
        EXPECT_EQ(result, row.expected) << row.name;
        EXPECT_EQ(PerspectiveMarkdown::identifiers(result),
                  QList<PerspectiveID>{PerspectiveID::kaizen})
            << row.name;
    }
    // Only whole-line markers of known perspectives count.
    const QString text = block + u"\n<!-- vesk-perspective: ma --> \n"
                                 u" <!-- vesk-perspective: ma -->\n"
                                 u"<!-- vesk-perspective: nope -->\n"
                                 u"<!-- vesk-perspective: -->\n"
                                 u"<!-- vesk-perspective: wabi-sabi -->\n"
                                 u"<!-- vesk-perspective: kaizen -->"_s;
    EXPECT_EQ(PerspectiveMarkdown::identifiers(text),
              (QList<PerspectiveID>{PerspectiveID::kaizen, PerspectiveID::wabiSabi,
                                    PerspectiveID::kaizen}));
}

TEST(PerspectiveMarkdown, document_isByteExact_andRoundTripsEntriesInOrderOfAnyLength)
{
    QString longAnswer;
    for (int line = 0; longAnswer.size() < 200'000; ++line)
        longAnswer += u"Line %1 of a long answer — still going.\n\n"_s.arg(line);
    const QList<DailyPerspectiveEntry> cases[] = {
        {shinrinYoku({}), kaizen()},
        {kaizen(u"First paragraph.\n\nSecond paragraph\nwith two lines."_s)},
        {kaizen(u"Same"_s), kaizen(u"twice"_s)},
        {shinrinYoku(u"Forest 🌲 walk, ünïcödé"_s)},
        {DailyPerspectiveEntry{PerspectiveID::wabiSabi, u"Wabi-sabi"_s, u"Wandel — und mehr"_s,
                               u"Prompt"_s, u"x"_s}},
        {kaizen(longAnswer.trimmed()), shinrinYoku(u"After it"_s)},
    };
    for (const auto &entries : cases)
        EXPECT_EQ(PerspectiveMarkdown::entries(PerspectiveMarkdown::document(entries)), entries);
    // Byte-exact, with three line feeds after an empty response.
    EXPECT_EQ(
        PerspectiveMarkdown::document({shinrinYoku({}), kaizen()}),
        u"<!-- vesk-perspective: shinrin-yoku -->\n## Shinrin-yoku — Time in nature\n\n"
        u"Where would I like to spend time outdoors?\n\n\n<!-- /vesk-perspective -->\n\n"
        u"<!-- vesk-perspective: kaizen -->\n## Kaizen — Small steps\n\n"
        u"What small change did I notice?\n\nMoved the kettle.\n<!-- /vesk-perspective -->\n"_s);
}

// The reader must agree with the block shape written as one expression on every text small
// enough for that expression; the texts are put together from the shape's own pieces.
TEST(PerspectiveMarkdown, entries_agreesWithTheBlockExpressionOnShuffledPieces)
{
    const QRegularExpression shape(u"<!-- vesk-perspective: ([^ ]+) -->\\s*\\n"
                                   u"## ([^\\n—]+?)\\s+—\\s+([^\\n]+)\\n"
                                   u"\\s*\\n((?:(?!<!-- /vesk-perspective -->).)*?)"
                                   u"\\n\\s*\\n((?:(?!<!-- /vesk-perspective -->).)*?)"
                                   u"\\n<!-- /vesk-perspective -->"_s,
                                   QRegularExpression::DotMatchesEverythingOption |
                                       QRegularExpression::UseUnicodePropertiesOption);
    // One block's shape, each part with variants that keep it, bend it or break it.
    const QStringList parts[] = {
        {u"<!-- vesk-perspective: kaizen -->"_s, u"<!-- vesk-perspective: ikigai -->"_s,
         u"<!-- vesk-perspective: a b -->"_s, u"x"_s},
        {u"\n"_s, u" \n"_s, u"\n\n"_s, u"\n \t\n"_s, QString()},
        {u"## Kaizen — Steps"_s, u"## A  —  B "_s, u"## — x"_s, u"##   — x"_s, u"## A\n— B"_s,
         u"## A —"_s, u"## A — B — C"_s},
        {u"\n"_s, u"\n\n"_s, u"\n \n"_s, QString()},
        {u"\n"_s, u"\n \n"_s, QString(), u"\n\n"_s},
        {u"Prompt"_s, QString(), u"P\n\nQ"_s, u"  "_s},
        {u"\n"_s, u"\n\n"_s, QString()},
        {u"\n"_s, u"\n\n"_s, QString(), u" \n"_s},
        {u"Answer"_s, QString(), u"A\n\nB"_s, u"<!-- vesk-perspective: kaizen -->"_s},
        {u"\n"_s, QString(), u"\n\n"_s},
        {u"<!-- /vesk-perspective -->"_s, QString(), u"<!-- /vesk-perspective -->\n\n"_s},
    };
    QRandomGenerator random(20260305);
    int found = 0;
    for (int round = 0; round < 3000; ++round) {
        QString text;
        for (int block = int(random.bounded(1, 4)); block > 0; --block) {
            for (const QStringList &variants : parts)
                text += variants.at(random.bounded(int(variants.size())));
        }
        QList<DailyPerspectiveEntry> expected;
        auto matches = shape.globalMatch(text);
        while (matches.hasNext()) {
            const auto match = matches.next();
            if (auto id = perspectiveIDFromRawValue(match.captured(1))) {
                expected.append({*id, match.captured(2).trimmed(), match.captured(3).trimmed(),
                                 match.captured(4).trimmed(), match.captured(5).trimmed()});
            }
        }
        found += int(expected.size());
        ASSERT_EQ(PerspectiveMarkdown::entries(text), expected) << text.toStdString();
    }
    EXPECT_GT(found, 500) << "too few whole blocks to compare";
}
