// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "app/search_text.h"
#include "core/habit_markdown.h"
#include "support/model_fixture.h"

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::testing;
using namespace wrenfold::app;

namespace {

using SearchActivityTest = ModelTest;

QDateTime noonOn(const QDate &day)
{
    return QDateTime(day, QTime(12, 0), QTimeZone::utc());
}

TEST_F(SearchActivityTest, journalResults_followTheNotesFolder)
{
    ASSERT_TRUE(writeFile(notesRoot + u"/Journal/2026/03/2026-03-01.md"_s, "old folder word\n"));
    auto &model = makeModel();
    ASSERT_EQ(model.journalResults(u"word"_s).size(), 1);

    const QString other = path(u"other"_s);
    ASSERT_TRUE(writeFile(other + u"/Journal/2026/03/2026-03-01.md"_s, "new folder\n"));
    chooser.answer = other;
    model.chooseRoot();
    ASSERT_EQ(model.rootURL(), other);
    EXPECT_TRUE(model.journalResults(u"word"_s).isEmpty());
    EXPECT_EQ(model.journalResults(u"new"_s).size(), 1);
}

TEST_F(SearchActivityTest, activity_readsTheDayOfTheInstantAndFollowsEditsThroughTheModel)
{
    const auto walk = habit(QUuid::createUuid(), u"Walk"_s, core::HabitSchedule::daily);
    const QDate day(2026, 3, 3);
    ASSERT_TRUE(writeFile(notesRoot + u"/Habits/2026/03/2026-03-03.md"_s,
                          core::HabitMarkdown::setting(true, walk, {}).toUtf8()));
    auto &model = makeModel();
    EXPECT_EQ(model.activity(walk, noonOn(day)), (app::FlowDayActivity{false, true}));
    EXPECT_EQ(model.activity(walk, noonOn(day.addDays(1))), app::FlowDayActivity{});
    EXPECT_EQ(model.activity(noonOn(day)), (app::DayActivity{false, 1, 0}));

    const QDateTime now = model.selectedDate();
    EXPECT_EQ(model.activity(now), app::DayActivity{});
    model.noteChanged(u"Today"_s);
    model.flushNote();
    EXPECT_EQ(model.activity(now), (app::DayActivity{true, 0, 0}));
}

TEST_F(SearchActivityTest, datesInSelectedWeek_areSevenDaysFromTheWeeksFirstDay)
{
    const struct {
        Qt::DayOfWeek firstDay;
        QDate selected, start;
    } rows[] = {
        {Qt::Monday, {2026, 3, 8}, {2026, 3, 2}},   {Qt::Monday, {2026, 3, 2}, {2026, 3, 2}},
        {Qt::Sunday, {2026, 3, 8}, {2026, 3, 8}},   {Qt::Saturday, {2026, 3, 6}, {2026, 2, 28}},
        {Qt::Monday, {2026, 1, 1}, {2025, 12, 29}}, // across the year
    };
    for (const auto &row : rows) {
        auto services = this->services();
        services.calendar.firstDayOfWeek = row.firstDay;
        model = std::make_unique<app::AppModel>(services);
        model->setSelectedDate(QDateTime(row.selected, QTime(18, 30), QTimeZone::utc()));
        QList<QDateTime> expected;
        for (int i = 0; i < 7; ++i)
            expected.append(row.start.addDays(i).startOfDay(QTimeZone::utc()));
        EXPECT_EQ(model->datesInSelectedWeek(), expected) << row.selected.toString().toStdString();
    }
}

TEST(FoldForSearch, foldsCaseAndDiacritics)
{
    const std::pair<QString, QString> rows[] = {
        {u"CAFE Latte"_s, u"cafe latte"_s},
        {u"Café"_s, u"cafe"_s},
        {u"Cafe\u0301"_s, u"cafe"_s}, // decomposed
        {u"RÉSUMÉ"_s, u"resume"_s},
        {u"A\r\nÉ\u2028B"_s, u"a\r\ne\u2028b"_s}, // line separators kept
        {u"한국"_s, u"한국"_s},                   // Hangul stays composed
        {u"Ünïcode 😀"_s, u"unicode 😀"_s},
        {u"Straße"_s, u"straße"_s},
    };
    for (const auto &[text, folded] : rows)
        EXPECT_EQ(foldForSearch(text), folded) << text.toStdString();
}

TEST(FoldForSearchLines, latinGreekAndCyrillicFoldAsWholeLinesWould)
{
    // A Hangul syllable sends its line through full normalisation: the fast path must agree.
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

TEST(FirstUsefulLine, picksTheLineAUserWouldRecognise)
{
    const std::pair<QString, QString> rows[] = {
        {u"## Plan for today\nmore"_s, u"Plan for today"_s},
        {u"####### word"_s, u"####### word"_s},
        {u"  # Title"_s, u"  # Title"_s}, // leading spaces keep the signs
        {u"#tag line"_s, u"#tag line"_s},
        {u"<!-- vesk-flow: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a -->\n## Walk\n"_s, u"Walk"_s},
        {u"\n \t \n\tBody text  "_s, u"\tBody text  "_s},
        {u"\r\n\r\n# Title\r\nbody"_s, u"Title"_s},
        {u"   <!-- note -->\nreal"_s, u"real"_s},
        {u"<!-- a -->\n\n  <!-- b -->\n"_s, u"Empty note"_s},
        {QString(), u"Empty note"_s},
    };
    for (const auto &[text, expected] : rows)
        EXPECT_EQ(firstUsefulLineOf(text), expected) << text.toStdString();
}

} // namespace
