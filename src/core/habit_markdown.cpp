// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/habit_markdown.h"

#include "core/markdown_text.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace wrenfold::core::HabitMarkdown {

namespace {

std::optional<QStringView> markerLine(const QString &marker, const QString &text)
{
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        if (line.contains(marker))
            return line;
    }
    return std::nullopt;
}

bool isChecked(QStringView line)
{
    return line.contains(u"- [x]") || line.contains(u"- [X]");
}

QString singleLine(QString title)
{
    // A line break in the title would split the habit line, leave its box behind on
    // every rewrite and let the habits text grow without end.
    for (QChar &c : title) {
        const char16_t unit = c.unicode();
        if (unit == u'\n' || unit == u'\r' || unit == u'\v' || unit == u'\f' || unit == u'\u0085' ||
            unit == u'\u2028' || unit == u'\u2029')
            c = u' ';
    }
    return title;
}

QString habitLine(bool isCompleted, const FlowItem &flow)
{
    return (isCompleted ? u"- [x] "_s : u"- [ ] "_s) + singleLine(flow.title) + u' ' +
           marker(flow.id);
}

} // namespace

QString marker(const QUuid &flowID)
{
    return u"<!-- vesk-habit: "_s + flowID.toString(QUuid::WithoutBraces) + u" -->";
}

std::optional<bool> completed(const QUuid &flowID, const QString &habitsText)
{
    const std::optional<QStringView> line = markerLine(marker(flowID), habitsText);
    if (!line)
        return std::nullopt;
    return isChecked(*line);
}

QHash<QUuid, bool> completions(const QString &habitsText)
{
    static const QString opening = u"<!-- vesk-habit: "_s;
    static const QString closing = u" -->"_s;
    constexpr qsizetype idLength = 36;
    QHash<QUuid, bool> states;
    for (QStringView line : QStringView(habitsText).tokenize(u'\n')) {
        std::optional<bool> checked;
        for (qsizetype at = line.indexOf(opening); at >= 0;
             at = line.indexOf(opening, at + opening.size())) {
            const QStringView id = line.mid(at + opening.size(), idLength);
            if (id.size() != idLength ||
                !line.mid(at + opening.size() + idLength).startsWith(closing))
                continue;
            const QUuid flowID(id);
            // Only the marker as written for the flow counts: lower-case digits.
            if (flowID.isNull() || flowID.toString(QUuid::WithoutBraces) != id ||
                states.contains(flowID))
                continue;
            if (!checked)
                checked = isChecked(line);
            states.insert(flowID, *checked);
        }
    }
    return states;
}

QString setting(bool isCompleted, const FlowItem &flow, const QString &habitsText)
{
    const QString flowMarker = marker(flow.id);
    const QString newLine = habitLine(isCompleted, flow);

    QStringList lines = habitsText.split(u'\n');
    for (QString &line : lines) {
        if (line.contains(flowMarker)) {
            line = newLine;
            return lines.join(u'\n');
        }
    }

    return habitsText + separatorBeforeSection(habitsText) + newLine + u'\n';
}

QList<DailyNote> clearingCompletion(const FlowItem &flow, const QList<DailyNote> &notes)
{
    const QString flowMarker = marker(flow.id);
    QList<DailyNote> changed;
    for (const DailyNote &note : notes) {
        const std::optional<QStringView> line = markerLine(flowMarker, note.body);
        if (!line || !isChecked(*line))
            continue;
        changed.append(DailyNote{note.date, setting(false, flow, note.body)});
    }
    return changed;
}

bool isScheduled(const FlowItem &flow, const QDateTime &date, const Calendar &calendar)
{
    if (!flow.tracksHabit || !flow.isActive)
        return false;
    if (flow.habitSchedule != HabitSchedule::selectedWeekdays)
        return true;
    const QDate day = calendar.dayOf(date);
    if (!day.isValid())
        return false;
    return flow.habitWeekdays.contains(Calendar::weekdayNumber(day));
}

} // namespace wrenfold::core::HabitMarkdown
