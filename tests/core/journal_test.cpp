// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/journal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace wrenfold::core;
using namespace Qt::StringLiterals;

namespace {

const QDateTime kDecodedAt(QDate(2026, 4, 1), QTime(8, 0, 0), Qt::UTC);

FlowItem fullFlow()
{
    return FlowItem{
        QUuid::fromString(u"6f1c2d3e-4a5b-4c7d-8e9f-0a1b2c3d4e5f"_s),
        u"Morning walk"_s,
        u"Out before work \"rain or shine\""_s,
        u"Buy a rain jacket"_s,
        true,
        QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9), Qt::UTC),
        QDateTime(QDate(2026, 3, 6), QTime(7, 0, 0), Qt::UTC),
        true,
        HabitSchedule::selectedWeekdays,
        {4, 2},
        {{u"2026-02"_s, FlowReview{u"w"_s, u"n"_s, u"m"_s, u"l"_s, u"c"_s}}},
    };
}

Result<QList<FlowItem>> decode(const char *json)
{
    return decodeFlows(QByteArray(json), kDecodedAt);
}

} // namespace

TEST(JournalRawValues, roundTripInOrder_andReadExactly)
{
    const QStringList perspectiveNames{
        u"kaizen"_s, u"ikigai"_s,       u"hansei"_s,    u"kanso"_s,    u"shoshin"_s, u"ma"_s,
        u"osoji"_s,  u"shinrin-yoku"_s, u"wabi-sabi"_s, u"shokunin"_s, u"kinhin"_s};
    ASSERT_EQ(allPerspectiveIDs().size(), perspectiveNames.size());
    for (qsizetype i = 0; i < perspectiveNames.size(); ++i) {
        EXPECT_EQ(rawValue(allPerspectiveIDs()[i]), perspectiveNames[i]);
        EXPECT_EQ(perspectiveIDFromRawValue(perspectiveNames[i]), allPerspectiveIDs()[i]);
    }
    const QStringList scheduleNames{u"daily"_s, u"selectedWeekdays"_s, u"weekly"_s,
                                    u"noSchedule"_s};
    ASSERT_EQ(allHabitSchedules().size(), scheduleNames.size());
    for (qsizetype i = 0; i < scheduleNames.size(); ++i) {
        EXPECT_EQ(rawValue(allHabitSchedules()[i]), scheduleNames[i]);
        EXPECT_EQ(habitScheduleFromRawValue(scheduleNames[i]), allHabitSchedules()[i]);
    }
    for (const QString &raw : {u"Shinrin-Yoku"_s, u"shinrinYoku"_s, u"kaizen "_s, QString()})
        EXPECT_EQ(perspectiveIDFromRawValue(raw), std::nullopt) << raw.toStdString();
    EXPECT_EQ(habitScheduleFromRawValue(u"Daily"_s), std::nullopt);
}

TEST(FlowsEncoding, encodeFlows_writesSortedMembersUpperCaseIdAndUtc_andReadsBack)
{
    const QByteArray expected = R"([
    {
        "createdAt": "2026-03-05T14:07:09Z",
        "detail": "Out before work \"rain or shine\"",
        "habitSchedule": "selectedWeekdays",
        "habitWeekdays": [
            2,
            4
        ],
        "id": "6F1C2D3E-4A5B-4C7D-8E9F-0A1B2C3D4E5F",
        "isActive": true,
        "monthlyReviews": {
            "2026-02": {
                "carryForward": "c",
                "lookingBack": "l",
                "mayAffect": "m",
                "noticing": "n",
                "whyThisMatters": "w"
            }
        },
        "nextStep": "Buy a rain jacket",
        "title": "Morning walk",
        "tracksHabit": true,
        "updatedAt": "2026-03-06T07:00:00Z"
    }
]
)";
    EXPECT_EQ(encodeFlows({fullFlow()}), expected);

    FlowItem archived = fullFlow();
    archived.id = QUuid::createUuid();
    archived.isActive = false;
    archived.habitSchedule = HabitSchedule::noSchedule;
    archived.title = u"Ünïcode ✓ \U0001F600 and \\ \"quotes\"\ttab"_s;
    const QList<FlowItem> flows{fullFlow(), archived};

    const Result<QList<FlowItem>> back = decodeFlows(encodeFlows(flows), kDecodedAt);
    ASSERT_TRUE(back.ok()) << back.error().message.toStdString();
    EXPECT_EQ(*back, flows);
    EXPECT_EQ(decode("[]")->size(), 0);
    EXPECT_FALSE(decode(R"({"id":"6F1C2D3E-4A5B-4C7D-8E9F-0A1B2C3D4E5F","title":"x"})").ok());
    EXPECT_FALSE(decode("").ok());
}

TEST(FlowsEncoding, instants_dropFractionsAndZones_andOutsideFourDigitYearsReadBack)
{
    FlowItem flow = fullFlow();
    flow.createdAt = QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9, 750), Qt::UTC);
    flow.updatedAt = QDateTime(QDate(2026, 3, 5), QTime(23, 30, 0), QTimeZone("America/New_York"));

    const QJsonObject object = QJsonDocument::fromJson(encodeFlows({flow})).array()[0].toObject();
    EXPECT_EQ(object[u"createdAt"_s].toString(), u"2026-03-05T14:07:09Z"_s);
    EXPECT_EQ(object[u"updatedAt"_s].toString(), u"2026-03-06T04:30:00Z"_s);

    const Result<QList<FlowItem>> back = decodeFlows(encodeFlows({flow}), kDecodedAt);
    ASSERT_TRUE(back.ok()) << back.error().message.toStdString();
    EXPECT_EQ(back->at(0).createdAt, QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9), Qt::UTC));
    EXPECT_EQ(back->at(0).updatedAt, flow.updatedAt);

    // Years past 9999 read back; one before year 1 cannot be written, so it reads as created.
    flow.createdAt = QDateTime(QDate(12026, 1, 2), QTime(3, 4, 5), Qt::UTC);
    flow.updatedAt = QDateTime(QDate(-5, 1, 1), QTime(0, 0), Qt::UTC);
    const Result<QList<FlowItem>> far = decodeFlows(encodeFlows({flow}), kDecodedAt);
    ASSERT_TRUE(far.ok()) << far.error().message.toStdString();
    EXPECT_EQ(far->at(0).createdAt, flow.createdAt);
    EXPECT_EQ(far->at(0).updatedAt, flow.createdAt);
}

TEST(FlowsDecoding, missingOrNullMembers_takeDefaults)
{
    // Only id and title, then every optional member null, a zoned instant and an unknown
    // member that a newer version may have written.
    const char *rows[] = {
        R"([{"id":"6F1C2D3E-4A5B-4C7D-8E9F-0A1B2C3D4E5F","title":"T"}])",
        R"([{"id":"6f1c2d3e-4a5b-4c7d-8e9f-0a1b2c3d4e5f","title":"T","detail":null,
            "nextStep":null,"isActive":null,"tracksHabit":null,"habitSchedule":null,
            "habitWeekdays":null,"monthlyReviews":null,
            "createdAt":"2026-03-05T15:07:09+01:00","somethingNew":[1,2,3]}])",
    };
    const QDateTime created[] = {kDecodedAt,
                                 QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9), Qt::UTC)};
    for (int row = 0; row < 2; ++row) {
        const auto flows = decode(rows[row]);
        ASSERT_TRUE(flows.ok()) << flows.error().message.toStdString();
        const FlowItem &flow = flows->at(0);
        EXPECT_EQ(flow.id, QUuid::fromString(u"6F1C2D3E-4A5B-4C7D-8E9F-0A1B2C3D4E5F"_s));
        EXPECT_EQ(flow.title, u"T"_s);
        EXPECT_TRUE(flow.detail.isEmpty() && flow.nextStep.isEmpty()) << row;
        EXPECT_TRUE(flow.isActive) << row;
        EXPECT_FALSE(flow.tracksHabit) << row;
        EXPECT_EQ(flow.habitSchedule, HabitSchedule::daily) << row;
        EXPECT_TRUE(flow.habitWeekdays.isEmpty() && flow.monthlyReviews.isEmpty()) << row;
        EXPECT_EQ(flow.createdAt, created[row]) << row;
        EXPECT_EQ(flow.updatedAt, flow.createdAt) << row;
    }
}

TEST(FlowsDecoding, anyBadFlow_failsTheWholeFileNamingTheCause)
{
    // "ID" stands for a valid id; the second part is what the message must name.
    const std::pair<const char *, const char *> rows[] = {
        {R"({ID})", "title"},
        {R"({ID,"title":null})", "title"},
        {R"({"title":"x"})", "id"},
        {R"({"id":"{6F1C2D3E-4A5B-4C7D-8E9F-0A1B2C3D4E5F}","title":"x"})", "id"},
        {R"({ID,"title":"x","habitSchedule":"monthly"})", "monthly"},
        {R"({ID,"title":"x","habitSchedule":""})", "habitSchedule"},
        {R"({ID,"title":"x","createdAt":"2026-03-05T14:07:09.5Z"})", "createdAt"},
        {R"({ID,"title":"x","updatedAt":"2026-03-05T14:07:09"})", "updatedAt"},
        {R"({ID,"title":"x","createdAt":"2026-02-30T14:07:09Z"})", "createdAt"},
        {R"({ID,"title":"x","createdAt":"2026-03-05T24:00:00Z"})", "createdAt"},
        {R"({ID,"title":"x","createdAt":"1000000-03-05T14:07:09Z"})", "createdAt"},
        {R"({ID,"title":"x","createdAt":0})", "createdAt"},
        {R"({ID,"title":"x","isActive":"true"})", "isActive"},
        {R"({ID,"title":"x","tracksHabit":1})", "tracksHabit"},
        {R"({ID,"title":"x","detail":3})", "detail"},
        {R"({ID,"title":"x","habitWeekdays":[1.5]})", "habitWeekdays"},
        {R"({ID,"title":"x","habitWeekdays":["2"]})", "habitWeekdays"},
        {R"({ID,"title":"x","monthlyReviews":[]})", "monthlyReviews"},
        {R"({ID,"title":"x","monthlyReviews":{"2026-03":{"whyThisMatters":"","noticing":"",)"
         R"("mayAffect":"","lookingBack":""}}})",
         "carryForward"},
        {R"({ID,"title":"x","monthlyReviews":{"2026-03":{"whyThisMatters":"","noticing":null,)"
         R"("mayAffect":"","lookingBack":"","carryForward":""}}})",
         "noticing"},
        {"42", "flow 2"},
        {R"({"id":)", "offset"},
        {"\n  {\"id\": }\n", "line 2, column 11"},
    };
    for (const auto &[flow, cause] : rows) {
        // A good flow first: nothing of the file may be returned.
        const QByteArray json =
            QByteArray(R"([{ID,"title":"good"},)" + QByteArray(flow) + ']')
                .replace("ID", R"("id":"6F1C2D3E-4A5B-4C7D-8E9F-0A1B2C3D4E5F")");
        const Result<QList<FlowItem>> flows = decodeFlows(json, kDecodedAt);
        ASSERT_FALSE(flows.ok()) << flow;
        EXPECT_TRUE(flows.error().message.contains(QString::fromUtf8(cause)))
            << flows.error().message.toStdString();
    }
}
