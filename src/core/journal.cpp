// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/journal.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace wrenfold::core {

namespace {

struct FlowText {
    Q_DECLARE_TR_FUNCTIONS(wrenfold::core::Flows)
};

constexpr std::pair<HabitSchedule, QStringView> kScheduleNames[] = {
    {HabitSchedule::daily, u"daily"},
    {HabitSchedule::selectedWeekdays, u"selectedWeekdays"},
    {HabitSchedule::weekly, u"weekly"},
    {HabitSchedule::noSchedule, u"noSchedule"},
};

constexpr std::pair<PerspectiveID, QStringView> kPerspectiveNames[] = {
    {PerspectiveID::kaizen, u"kaizen"},      {PerspectiveID::ikigai, u"ikigai"},
    {PerspectiveID::hansei, u"hansei"},      {PerspectiveID::kanso, u"kanso"},
    {PerspectiveID::shoshin, u"shoshin"},    {PerspectiveID::ma, u"ma"},
    {PerspectiveID::osoji, u"osoji"},        {PerspectiveID::shinrinYoku, u"shinrin-yoku"},
    {PerspectiveID::wabiSabi, u"wabi-sabi"}, {PerspectiveID::shokunin, u"shokunin"},
    {PerspectiveID::kinhin, u"kinhin"},
};

// Where a decoding failure happened, so the message can point the user at it.
struct Location {
    QString prefix; // "flow 3" or "flow 3, review “2026-03”"

    Error missing(QLatin1StringView member) const
    {
        return {FlowText::tr("%1: the member “%2” is missing.").arg(prefix, member)};
    }
    Error wrongType(QLatin1StringView member, const QString &expected) const
    {
        return {FlowText::tr("%1: the member “%2” is not %3.").arg(prefix, member, expected)};
    }
    Error badValue(QLatin1StringView member, const QString &value) const
    {
        // A hostile file could hold megabytes here; a message needs only the start.
        const QString shown = value.size() > 40 ? value.left(40).append(u'…') : value;
        return {FlowText::tr("%1: the member “%2” has the invalid value “%3”.")
                    .arg(prefix, member, shown)};
    }
};

bool isAbsent(const QJsonValue &value)
{
    return value.isUndefined() || value.isNull();
}

// Required or defaulted text member; a non-string is an error either way.
Result<QString> readText(const QJsonObject &object, QLatin1StringView member, const Location &where,
                         bool required)
{
    const QJsonValue value = object.value(member);
    if (isAbsent(value)) {
        if (required)
            return where.missing(member);
        return QString();
    }
    if (!value.isString())
        return where.wrongType(member, FlowText::tr("a text"));
    return value.toString();
}

Result<bool> readBool(const QJsonObject &object, QLatin1StringView member, const Location &where,
                      bool fallback)
{
    const QJsonValue value = object.value(member);
    if (isAbsent(value))
        return fallback;
    if (!value.isBool())
        return where.wrongType(member, FlowText::tr("true or false"));
    return value.toBool();
}

int digitsAt(QStringView text, qsizetype from, qsizetype count)
{
    int result = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        result = result * 10 + (c - u'0');
    }
    return result;
}

// RFC 3339 date-time with whole seconds: "2026-03-05T14:07:09Z" or "...09+01:00".
std::optional<QDateTime> parseInstant(QStringView full)
{
    // Years past 9999 come out with more digits; read them back rather than lose the file.
    const qsizetype yearLength = full.indexOf(u'-');
    if (yearLength < 4 || yearLength > 6)
        return std::nullopt;
    const int year = digitsAt(full, 0, yearLength);
    // From here on, positions are those of a four-digit year.
    const QStringView text = full.sliced(yearLength - 4);
    if (text.size() != 20 && text.size() != 25)
        return std::nullopt;
    if (text[4] != u'-' || text[7] != u'-' || text[10] != u'T' || text[13] != u':' ||
        text[16] != u':')
        return std::nullopt;
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    const int hour = digitsAt(text, 11, 2);
    const int minute = digitsAt(text, 14, 2);
    const int second = digitsAt(text, 17, 2);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid() || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;

    int offsetSeconds = 0;
    if (text.size() == 20) {
        if (text[19] != u'Z')
            return std::nullopt;
    } else {
        const char16_t sign = text[19].unicode();
        const int offsetHours = digitsAt(text, 20, 2);
        const int offsetMinutes = digitsAt(text, 23, 2);
        if ((sign != u'+' && sign != u'-') || text[22] != u':' || offsetHours < 0 ||
            offsetHours > 23 || offsetMinutes < 0 || offsetMinutes > 59)
            return std::nullopt;
        offsetSeconds = (offsetHours * 60 + offsetMinutes) * 60 * (sign == u'-' ? -1 : 1);
    }
    // Shift by hand: QTimeZone only takes offsets up to 14 hours, the text form up to 23:59.
    return QDateTime(date, QTime(hour, minute, second), Qt::UTC).addSecs(-offsetSeconds);
}

QJsonValue instantToJson(const QDateTime &instant)
{
    // An instant that was never set, or lies before year 1, has no text form that reads
    // back; null reads back as the decoder's default instead of breaking the whole file.
    const QDateTime utc = instant.toUTC();
    if (!utc.isValid() || utc.date().year() < 1 || utc.date().year() > 999999)
        return QJsonValue(QJsonValue::Null);
    const QDate date = utc.date();
    const QTime time = utc.time();
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02dZ", date.year(), date.month(),
                             date.day(), time.hour(), time.minute(), time.second());
}

Result<std::optional<QDateTime>> readInstant(const QJsonObject &object, QLatin1StringView member,
                                             const Location &where)
{
    const QJsonValue value = object.value(member);
    if (isAbsent(value))
        return std::optional<QDateTime>();
    if (!value.isString())
        return where.wrongType(member, FlowText::tr("a date-time text"));
    const QString text = value.toString();
    std::optional<QDateTime> instant = parseInstant(text);
    if (!instant)
        return where.badValue(member, text);
    return instant;
}

std::optional<QUuid> parseUuid(const QString &text)
{
    // Only the canonical 36-character form; QUuid alone would also take braces.
    if (text.size() != 36)
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const bool hex =
            (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (dash ? c != u'-' : !hex)
            return std::nullopt;
    }
    return QUuid::fromString(text);
}

Result<QSet<int>> readWeekdays(const QJsonObject &object, const Location &where)
{
    constexpr auto member = "habitWeekdays"_L1;
    const QJsonValue value = object.value(member);
    if (isAbsent(value))
        return QSet<int>();
    if (!value.isArray())
        return where.wrongType(member, FlowText::tr("a list of whole numbers"));
    QSet<int> weekdays;
    for (const QJsonValue &element : value.toArray()) {
        const double number = element.toDouble(std::nan(""));
        if (!element.isDouble() || std::trunc(number) != number ||
            number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            return where.wrongType(member, FlowText::tr("a list of whole numbers"));
        weekdays.insert(static_cast<int>(number));
    }
    return weekdays;
}

Result<QMap<QString, FlowReview>> readReviews(const QJsonObject &object, const Location &where)
{
    constexpr auto member = "monthlyReviews"_L1;
    const QJsonValue value = object.value(member);
    if (isAbsent(value))
        return QMap<QString, FlowReview>();
    if (!value.isObject())
        return where.wrongType(member, FlowText::tr("an object of monthly reviews"));
    QMap<QString, FlowReview> reviews;
    const QJsonObject reviewObjects = value.toObject();
    for (auto it = reviewObjects.begin(); it != reviewObjects.end(); ++it) {
        Result<FlowReview> review = FlowReview::fromJson(it.value());
        if (!review) {
            return Error{FlowText::tr("%1, review “%2”: %3")
                             .arg(where.prefix, it.key(), review.error().message)};
        }
        reviews.insert(it.key(), std::move(review).value());
    }
    return reviews;
}

Result<FlowItem> decodeFlow(const QJsonValue &value, const QDateTime &now, const QString &prefix)
{
    const Location where{prefix};
    if (!value.isObject())
        return Error{FlowText::tr("%1: not an object.").arg(where.prefix)};
    const QJsonObject object = value.toObject();
    FlowItem flow;

    constexpr auto idMember = "id"_L1;
    Result<QString> idText = readText(object, idMember, where, true);
    if (!idText)
        return idText.error();
    const std::optional<QUuid> id = parseUuid(*idText);
    if (!id)
        return where.badValue(idMember, *idText);
    flow.id = *id;

    const std::pair<QLatin1StringView, QString *> texts[] = {
        {"title"_L1, &flow.title}, {"detail"_L1, &flow.detail}, {"nextStep"_L1, &flow.nextStep}};
    for (const auto &[name, field] : texts) {
        Result<QString> text = readText(object, name, where, name == "title"_L1);
        if (!text)
            return text.error();
        *field = std::move(text).value();
    }

    Result<bool> isActive = readBool(object, "isActive"_L1, where, true);
    if (!isActive)
        return isActive.error();
    flow.isActive = *isActive;
    Result<bool> tracksHabit = readBool(object, "tracksHabit"_L1, where, false);
    if (!tracksHabit)
        return tracksHabit.error();
    flow.tracksHabit = *tracksHabit;

    Result<std::optional<QDateTime>> createdAt = readInstant(object, "createdAt"_L1, where);
    if (!createdAt)
        return createdAt.error();
    Result<std::optional<QDateTime>> updatedAt = readInstant(object, "updatedAt"_L1, where);
    if (!updatedAt)
        return updatedAt.error();
    flow.createdAt = createdAt->value_or(now);
    flow.updatedAt = updatedAt->value_or(flow.createdAt);

    constexpr auto scheduleMember = "habitSchedule"_L1;
    Result<QString> scheduleText = readText(object, scheduleMember, where, false);
    if (!scheduleText)
        return scheduleText.error();
    if (object.value(scheduleMember).isString()) {
        const std::optional<HabitSchedule> schedule = habitScheduleFromRawValue(*scheduleText);
        if (!schedule)
            return where.badValue(scheduleMember, *scheduleText);
        flow.habitSchedule = *schedule;
    }

    Result<QSet<int>> weekdays = readWeekdays(object, where);
    if (!weekdays)
        return weekdays.error();
    flow.habitWeekdays = std::move(weekdays).value();

    Result<QMap<QString, FlowReview>> reviews = readReviews(object, where);
    if (!reviews)
        return reviews.error();
    flow.monthlyReviews = std::move(reviews).value();
    return flow;
}

} // namespace

QString rawValue(HabitSchedule schedule)
{
    for (const auto &[value, name] : kScheduleNames) {
        if (value == schedule)
            return name.toString();
    }
    return {};
}

std::optional<HabitSchedule> habitScheduleFromRawValue(const QString &raw)
{
    for (const auto &[value, name] : kScheduleNames) {
        if (name == raw)
            return value;
    }
    return std::nullopt;
}

const QList<HabitSchedule> &allHabitSchedules()
{
    static const QList<HabitSchedule> all{HabitSchedule::daily, HabitSchedule::selectedWeekdays,
                                          HabitSchedule::weekly, HabitSchedule::noSchedule};
    return all;
}

QString rawValue(PerspectiveID id)
{
    for (const auto &[value, name] : kPerspectiveNames) {
        if (value == id)
            return name.toString();
    }
    return {};
}

std::optional<PerspectiveID> perspectiveIDFromRawValue(const QString &raw)
{
    for (const auto &[value, name] : kPerspectiveNames) {
        if (name == raw)
            return value;
    }
    return std::nullopt;
}

const QList<PerspectiveID> &allPerspectiveIDs()
{
    static const QList<PerspectiveID> all = [] {
        QList<PerspectiveID> ids;
        for (const auto &entry : kPerspectiveNames)
            ids.append(entry.first);
        return ids;
    }();
    return all;
}

QJsonObject FlowReview::toJson() const
{
    return QJsonObject{
        {u"carryForward"_s, carryForward},     {u"lookingBack"_s, lookingBack},
        {u"mayAffect"_s, mayAffect},           {u"noticing"_s, noticing},
        {u"whyThisMatters"_s, whyThisMatters},
    };
}

Result<FlowReview> FlowReview::fromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return Error{FlowText::tr("the review is not an object.")};
    const QJsonObject object = value.toObject();
    FlowReview review;
    const std::pair<QLatin1StringView, QString *> members[] = {
        {"whyThisMatters"_L1, &review.whyThisMatters}, {"noticing"_L1, &review.noticing},
        {"mayAffect"_L1, &review.mayAffect},           {"lookingBack"_L1, &review.lookingBack},
        {"carryForward"_L1, &review.carryForward},
    };
    for (const auto &[name, field] : members) {
        const QJsonValue member = object.value(name);
        if (isAbsent(member))
            return Error{FlowText::tr("the member “%1” is missing.").arg(name)};
        if (!member.isString())
            return Error{FlowText::tr("the member “%1” is not a text.").arg(name)};
        *field = member.toString();
    }
    return review;
}

QJsonObject FlowItem::toJson() const
{
    QList<int> weekdays(habitWeekdays.begin(), habitWeekdays.end());
    std::sort(weekdays.begin(), weekdays.end());
    QJsonArray weekdayArray;
    for (int weekday : weekdays)
        weekdayArray.append(weekday);

    QJsonObject reviews;
    for (auto it = monthlyReviews.begin(); it != monthlyReviews.end(); ++it)
        reviews.insert(it.key(), it.value().toJson());

    return QJsonObject{
        {u"createdAt"_s, instantToJson(createdAt)},
        {u"detail"_s, detail},
        {u"habitSchedule"_s, rawValue(habitSchedule)},
        {u"habitWeekdays"_s, weekdayArray},
        {u"id"_s, id.toString(QUuid::WithoutBraces).toUpper()},
        {u"isActive"_s, isActive},
        {u"monthlyReviews"_s, reviews},
        {u"nextStep"_s, nextStep},
        {u"title"_s, title},
        {u"tracksHabit"_s, tracksHabit},
        {u"updatedAt"_s, instantToJson(updatedAt)},
    };
}

Result<FlowItem> FlowItem::fromJson(const QJsonValue &value, const QDateTime &now)
{
    return decodeFlow(value, now, FlowText::tr("the flow"));
}

QByteArray encodeFlows(const QList<FlowItem> &flows)
{
    QJsonArray array;
    for (const FlowItem &flow : flows)
        array.append(flow.toJson());
    // Qt writes every object's members sorted by name, one per line, indented.
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

Result<QList<FlowItem>> decodeFlows(const QByteArray &bytes, const QDateTime &now)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        // Editors show lines and columns; the byte offset pins it down for tools.
        const QByteArray before = bytes.left(parseError.offset);
        const qsizetype line = before.count('\n') + 1;
        const qsizetype column = before.size() - (before.lastIndexOf('\n') + 1) + 1;
        return Error{
            FlowText::tr("the text is not valid JSON (%1 at line %2, column %3, byte offset %4).")
                .arg(parseError.errorString())
                .arg(line)
                .arg(column)
                .arg(parseError.offset)};
    }
    if (!document.isArray())
        return Error{FlowText::tr("the text is not a list of flows.")};
    const QJsonArray array = document.array();
    QList<FlowItem> flows;
    flows.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        Result<FlowItem> flow = decodeFlow(array.at(i), now, FlowText::tr("flow %1").arg(i + 1));
        if (!flow)
            return flow.error();
        flows.append(std::move(flow).value());
    }
    return flows;
}

} // namespace wrenfold::core
