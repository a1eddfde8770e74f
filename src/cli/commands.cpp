// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The terminal commands. They work on the same store, search and habit code as the window
// and write only through read, change, check-unchanged, swap into place: text another
// program saved in the meantime is read again, or kept as a preserved copy, never lost.
#include "cli/commands.h"

#include "app/journal_index.h"
#include "app/search_text.h"
#include "cli/command_line.h"
#include "cli/day_argument.h"
#include "core/file_io.h"
#include "core/habit_markdown.h"
#include "core/markdown_text.h"
#include "platform/calendar_store.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace wrenfold::cli {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(wrenfold::cli::Terminal)
};

// ---- Files -------------------------------------------------------------------------------

constexpr int kAttempts = 5;

/// Reads the file with `load`, lets `change` make the new value (nullopt: nothing to
/// write) and calls `save(new, read, stamp before reading)` only when the file is still
/// as it was read; reads again when another program wrote it meanwhile.
template <typename Load, typename Change, typename Save>
core::Status updateFile(const QString &path, Load load, Change change, Save save)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::optional<core::FileStamp> before = core::fileStampOf(path);
        auto current = load();
        if (!current)
            return current.error();
        const auto next = change(*current);
        if (!next)
            return std::nullopt;
        if (core::fileStampOf(path) != before)
            continue;
        return save(*next, *current, before);
    }
    return core::Error{
        QCoreApplication::translate("wrenfold::cli::Terminal",
                                    "“%1” kept changing while it was read; nothing was written.")
            .arg(path)};
}

/// A save that swapped the file into place: a version another program saved in the last
/// moment is kept as a preserved copy, which the user is told about.
core::Status reported(const Session &session, const core::Result<core::SaveOutcome> &outcome)
{
    if (!outcome)
        return outcome.error();
    if (!outcome->keptCopy.isEmpty()) {
        session.warn(QCoreApplication::translate("wrenfold::cli::Terminal",
                                                 "Another program saved at the same moment; "
                                                 "its version was kept as “%1”.")
                         .arg(outcome->keptCopy));
    }
    return std::nullopt;
}

/// A problem with the notes folder itself, or nullopt. A missing folder holds nothing yet,
/// which is fine for reading; writing into it is refused, since it may be an unmounted
/// disk or a folder removed on purpose.
std::optional<QString> folderProblem(const QString &root, bool mustExist)
{
    const QByteArray encoded = QFile::encodeName(root);
    struct stat info {};
    if (::stat(encoded.constData(), &info) != 0) {
        if (errno == ENOENT && !mustExist)
            return std::nullopt;
        if (errno == ENOENT)
            return Text::tr("The notes folder “%1” does not exist.").arg(root);
        return Text::tr("Could not read the notes folder “%1”: %2.")
            .arg(root, core::describeFileError(errno));
    }
    if (!S_ISDIR(info.st_mode))
        return Text::tr("The notes folder “%1” is not a folder.").arg(root);
    DIR *folder = ::opendir(encoded.constData());
    if (!folder) {
        return Text::tr("Could not read the notes folder “%1”: %2.")
            .arg(root, core::describeFileError(errno));
    }
    ::closedir(folder);
    return std::nullopt;
}

// ---- Arguments ---------------------------------------------------------------------------

std::optional<QDate> dayArgument(const Session &session, const QString &text, int *status)
{
    auto day = parseDay(text, session.today);
    if (!day) {
        *status = session.fail(
            Text::tr("“%1” is not a day: use YYYY-MM-DD, today, yesterday, tomorrow or -N.")
                .arg(text));
    }
    return day;
}

QDateTime instant(const Session &session, const QDate &day)
{
    return session.calendar().startOfDay(day);
}

void printJson(const Session &session, const QJsonArray &array)
{
    session.print(QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented)));
}

QString isoDay(const QDate &day)
{
    return day.toString(Qt::ISODate);
}

/// `text` with `paragraph` after exactly one empty line (none after blank text), ending
/// with a line break; lines end in CRLF when most of the text's lines do.
QString appendingParagraph(const QString &text, QString paragraph)
{
    const bool crlf = text.count(u"\r\n"_s) * 2 > text.count(u'\n');
    const QString end = crlf ? u"\r\n"_s : u"\n"_s;
    paragraph.replace(u"\r\n"_s, u"\n"_s);
    if (crlf)
        paragraph.replace(u'\n', end);
    QString separator = end + end;
    if (core::isBlank(text))
        separator = core::separatorBeforeSection(text);
    else if (text.endsWith(end + end))
        separator.clear();
    else if (text.endsWith(end))
        separator = end;
    return text + separator + paragraph + end;
}

// ---- Habits, as the today screen keeps them ----------------------------------------------

QList<QDate> weekOf(const Session &session, const QDate &day)
{
    // The week starts on the locale's (LC_TIME) first weekday, as in the window.
    const int intoWeek = (day.dayOfWeek() - int(session.calendar().firstDayOfWeek) + 7) % 7;
    QList<QDate> days;
    for (int offset = 0; offset < 7; ++offset)
        days.append(day.addDays(offset - intoWeek));
    return days;
}

bool checkedOn(const Session &session, const core::FlowItem &flow, const QDate &day)
{
    const core::Result<QString> habits = session.store.loadHabits(instant(session, day));
    return habits && core::HabitMarkdown::completed(flow.id, *habits).value_or(false);
}

/// Weekly habits count as done when checked on any day of the week.
bool habitDone(const Session &session, const core::FlowItem &flow, const QDate &day)
{
    if (flow.habitSchedule != core::HabitSchedule::weekly)
        return checkedOn(session, flow, day);
    const QList<QDate> week = weekOf(session, day);
    return std::any_of(week.begin(), week.end(),
                       [&](const QDate &other) { return checkedOn(session, flow, other); });
}

QList<core::FlowItem> dueHabits(const Session &session, const QList<core::FlowItem> &flows,
                                const QDate &day)
{
    QList<core::FlowItem> due;
    for (const core::FlowItem &flow : flows) {
        if (core::HabitMarkdown::isScheduled(flow, instant(session, day), session.calendar()))
            due.append(flow);
    }
    return due;
}

QString habitLine(const core::FlowItem &flow, bool done)
{
    return (done ? u"[x] "_s : u"[ ] "_s) + flow.title + u'\n';
}

core::Status setHabit(const Session &session, const core::FlowItem &flow, const QDate &day,
                      bool done)
{
    const QDateTime date = instant(session, day);
    return updateFile(
        session.store.habitsURL(date), [&] { return session.store.loadHabits(date); },
        [&](const QString &habits) -> std::optional<QString> {
            if (core::HabitMarkdown::completed(flow.id, habits).value_or(false) == done)
                return std::nullopt;
            return core::HabitMarkdown::setting(done, flow, habits);
        },
        [&](const QString &habits, const QString &read, const auto &stamp) {
            return reported(session, session.store.saveHabits(habits, date, {stamp, read}));
        });
}

/// The flow called `name` (title, any case) or whose id starts with `name`.
std::optional<core::FlowItem> findFlow(const Session &session, const QList<core::FlowItem> &flows,
                                       const QString &name, int *status)
{
    QList<core::FlowItem> found;
    for (const core::FlowItem &flow : flows) {
        if (flow.title.trimmed().compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            found.append(flow);
    }
    if (found.isEmpty() && !name.isEmpty()) {
        for (const core::FlowItem &flow : flows) {
            if (flow.id.toString(QUuid::WithoutBraces).startsWith(name, Qt::CaseInsensitive))
                found.append(flow);
        }
    }
    if (found.size() == 1)
        return found.first();
    *status = session.fail(found.isEmpty() ? Text::tr("No flow is called “%1”.").arg(name)
                                           : Text::tr("“%1” names more than one flow.").arg(name));
    return std::nullopt;
}

// ---- Commands ----------------------------------------------------------------------------

int showDay(const Session &session, const QDate &day)
{
    if (auto problem = folderProblem(session.root(), false))
        return session.fail(*problem);
    const auto note = session.store.loadNote(instant(session, day));
    if (!note)
        return session.fail(note.error().message);
    session.print(note->body);
    return success;
}

int runToday(const Session &session, const Arguments &)
{
    return showDay(session, session.today);
}

int runShow(const Session &session, const Arguments &arguments)
{
    int status = success;
    const auto day = arguments.positional.isEmpty()
                         ? std::optional(session.today)
                         : dayArgument(session, arguments.positional.first(), &status);
    return day ? showDay(session, *day) : status;
}

core::Result<QString> standardInput()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return core::Error{Text::tr("Could not read the text from standard input.")};
    const QByteArray bytes = input.readAll();
    if (core::firstInvalidUtf8Offset(bytes) >= 0)
        return core::Error{Text::tr("The text is not valid UTF-8.")};
    return QString::fromUtf8(bytes);
}

int runAppend(const Session &session, const Arguments &arguments)
{
    int status = success;
    const auto day = arguments.values.contains(u"--date"_s)
                         ? dayArgument(session, arguments.values.value(u"--date"_s), &status)
                         : std::optional(session.today);
    if (!day)
        return status;

    QString paragraph = arguments.positional.join(u' ');
    if (arguments.positional.isEmpty()) {
        auto input = standardInput();
        if (!input)
            return session.fail(input.error().message);
        paragraph = *input;
    }
    // The paragraph keeps its inner lines; blank lines around it would only pile up.
    while (!paragraph.isEmpty() && (paragraph.front() == u'\n' || paragraph.front() == u'\r'))
        paragraph.remove(0, 1);
    while (!paragraph.isEmpty() && paragraph.back().isSpace())
        paragraph.chop(1);
    if (core::isBlank(paragraph))
        return session.fail(Text::tr("Nothing to append: the text is empty."));

    if (auto problem = folderProblem(session.root(), true))
        return session.fail(*problem);
    const QDateTime date = instant(session, *day);
    const core::Status written = updateFile(
        session.store.noteURL(date), [&] { return session.store.loadNote(date); },
        [&](const core::DailyNote &note) -> std::optional<core::DailyNote> {
            return core::DailyNote{date, appendingParagraph(note.body, paragraph)};
        },
        [&](const core::DailyNote &note, const core::DailyNote &read, const auto &stamp) {
            return reported(session, session.store.saveNote(note, {stamp, read.body}));
        });
    return written ? session.fail(written->message) : success;
}

int runSearch(const Session &session, const Arguments &arguments)
{
    if (auto problem = folderProblem(session.root(), false))
        return session.fail(*problem);
    app::JournalIndex index(session.store);
    // One query, then the process ends: keeping each text for the next query would only
    // cost memory (a file older than two centuries is the only one "settled" here).
    index.setSettleTime(std::chrono::hours(24 * 365 * 200));
    const auto results =
        index.journalResults(session.store.datesWithNotes(), arguments.positional.join(u' '));
    if (arguments.flags.contains(u"--json"_s)) {
        QJsonArray array;
        for (const auto &result : results)
            array.append(
                QJsonObject{{u"date"_s, isoDay(result.date)}, {u"excerpt"_s, result.excerpt}});
        printJson(session, array);
        return success;
    }
    QString text;
    for (const auto &result : results) {
        QString excerpt = result.excerpt;
        for (QChar &c : excerpt) {
            if (app::isLineSeparator(c))
                c = u' ';
        }
        text += isoDay(result.date) + u"  "_s + excerpt + u'\n';
    }
    session.print(text);
    return success;
}

QString calendarRefusal(platform::CalendarAuthorization status)
{
    switch (status) {
    case platform::CalendarAuthorization::denied:
        return Text::tr("Calendar access is turned off. Turn it on in Wrenfold's calendar "
                        "settings.");
    case platform::CalendarAuthorization::restricted:
        return Text::tr("No calendar could be read.");
    default:
        return Text::tr("Calendar access has not been allowed yet. Open Wrenfold and choose "
                        "Connect Calendar.");
    }
}

int runAgenda(const Session &session, const Arguments &arguments)
{
    int status = success;
    const auto first = arguments.positional.isEmpty()
                           ? std::optional(session.today)
                           : dayArgument(session, arguments.positional.first(), &status);
    if (!first)
        return status;
    int days = 1;
    if (arguments.values.contains(u"--days"_s)) {
        bool isNumber = false;
        days = arguments.values.value(u"--days"_s).toInt(&isNumber);
        if (!isNumber || days < 1 || days > 366) {
            return session.fail(Text::tr("“%1” is not a number of days from 1 to 366.")
                                    .arg(arguments.values.value(u"--days"_s)));
        }
    }

    platform::CalendarStore calendars(*session.settings);
    const auto access = calendars.authorizationStatus();
    if (access != platform::CalendarAuthorization::fullAccess)
        return session.fail(calendarRefusal(access));

    const bool json = arguments.flags.contains(u"--json"_s);
    const QTimeZone &zone = session.calendar().timeZone;
    QJsonArray array;
    QString text;
    for (int offset = 0; offset < days; ++offset) {
        const QDate day = first->addDays(offset);
        const QDateTime start = instant(session, day);
        const QDateTime end = instant(session, day.addDays(1));
        QJsonArray events;
        bool isCut = false;
        for (const platform::CalendarItem &item : calendars.events(start, end, zone, &isCut)) {
            events.append(
                QJsonObject{{u"id"_s, item.id},
                            {u"title"_s, item.title},
                            {u"start"_s, item.start.toTimeZone(zone).toString(Qt::ISODate)},
                            {u"end"_s, item.end.toTimeZone(zone).toString(Qt::ISODate)},
                            {u"allDay"_s, item.isAllDay},
                            {u"color"_s, item.color.name()}});
            // Times are clipped to the day, so a long event reads "00:00-24:00" in between.
            const auto clock = [&](const QDateTime &time, bool isEnd) {
                if (time <= start)
                    return u"00:00"_s;
                if (isEnd && time >= end)
                    return u"24:00"_s;
                return time.toTimeZone(zone).toString(u"HH:mm"_s);
            };
            const QString when = item.isAllDay
                                     ? Text::tr("all day")
                                     : clock(item.start, false) + u'-' + clock(item.end, true);
            text += isoDay(day) + u"  "_s + when.leftJustified(11) + u"  "_s + item.title + u'\n';
        }
        // Said on the error stream, so scripts reading the list still get only events.
        if (isCut) {
            session.warn(Text::tr("Only the first %1 events of %2 are shown.")
                             .arg(platform::maxEventsPerQuery)
                             .arg(isoDay(day)));
        }
        array.append(QJsonObject{{u"date"_s, isoDay(day)}, {u"events"_s, events}});
    }
    if (json)
        printJson(session, array);
    else
        session.print(text);
    return success;
}

int runHabits(const Session &session, const Arguments &arguments)
{
    int status = success;
    const auto day = arguments.positional.isEmpty()
                         ? std::optional(session.today)
                         : dayArgument(session, arguments.positional.first(), &status);
    if (!day)
        return status;
    if (auto problem = folderProblem(session.root(), false))
        return session.fail(*problem);
    const auto flows = session.store.loadFlows();
    if (!flows)
        return session.fail(flows.error().message);

    QJsonArray array;
    QString text;
    for (const core::FlowItem &flow : dueHabits(session, *flows, *day)) {
        const bool done = habitDone(session, flow, *day);
        array.append(QJsonObject{{u"id"_s, flow.id.toString(QUuid::WithoutBraces)},
                                 {u"title"_s, flow.title},
                                 {u"habitSchedule"_s, core::rawValue(flow.habitSchedule)},
                                 {u"done"_s, done}});
        text += habitLine(flow, done);
    }
    if (arguments.flags.contains(u"--json"_s))
        printJson(session, array);
    else
        session.print(text);
    return success;
}

int runCheck(const Session &session, const Arguments &arguments)
{
    int status = success;
    const auto day = arguments.values.contains(u"--date"_s)
                         ? dayArgument(session, arguments.values.value(u"--date"_s), &status)
                         : std::optional(session.today);
    if (!day)
        return status;
    if (auto problem = folderProblem(session.root(), true))
        return session.fail(*problem);
    const auto flows = session.store.loadFlows();
    if (!flows)
        return session.fail(flows.error().message);
    const auto flow = findFlow(session, *flows, arguments.positional.join(u' '), &status);
    if (!flow)
        return status;
    if (dueHabits(session, {*flow}, *day).isEmpty()) {
        return session.fail(
            Text::tr("“%1” is not a habit due on %2.").arg(flow->title, isoDay(*day)));
    }

    const bool done = !arguments.flags.contains(u"--undo"_s);
    if (habitDone(session, *flow, *day) == done) {
        session.print(habitLine(*flow, done));
        return success;
    }
    // Unchecking a weekly habit clears every day of its week, as in the window.
    const QList<QDate> days = !done && flow->habitSchedule == core::HabitSchedule::weekly
                                  ? weekOf(session, *day)
                                  : QList<QDate>{*day};
    for (const QDate &each : days) {
        if (auto error = setHabit(session, *flow, each, done))
            return session.fail(error->message);
    }

    // The flow's list shows the latest touched first; the flows file may have changed
    // since it was read above, so it is read again.
    const auto touched = updateFile(
        session.store.flowsURL(), [&] { return session.store.loadFlows(); },
        [&](QList<core::FlowItem> current) -> std::optional<QList<core::FlowItem>> {
            for (core::FlowItem &item : current) {
                if (item.id == flow->id)
                    item.updatedAt = QDateTime::currentDateTime();
            }
            return current;
        },
        [&](const QList<core::FlowItem> &current, const auto &, const auto &) {
            return session.store.saveFlows(current);
        });
    if (touched)
        return session.fail(touched->message);
    session.print(habitLine(*flow, done));
    return success;
}

int runFlows(const Session &session, const Arguments &arguments)
{
    if (auto problem = folderProblem(session.root(), false))
        return session.fail(*problem);
    const auto flows = session.store.loadFlows();
    if (!flows)
        return session.fail(flows.error().message);
    QJsonArray array;
    QString text;
    for (const core::FlowItem &flow : *flows) {
        array.append(flow.toJson());
        QString line = flow.id.toString(QUuid::WithoutBraces).left(8) + u"  "_s + flow.title;
        if (flow.tracksHabit) {
            switch (flow.habitSchedule) {
            case core::HabitSchedule::daily:
                line += Text::tr(" (daily habit)");
                break;
            case core::HabitSchedule::selectedWeekdays:
                line += Text::tr(" (habit on selected weekdays)");
                break;
            case core::HabitSchedule::weekly:
                line += Text::tr(" (weekly habit)");
                break;
            case core::HabitSchedule::noSchedule:
                break;
            }
        }
        if (!flow.isActive)
            line += Text::tr(" (archived)");
        text += line + u'\n';
    }
    if (arguments.flags.contains(u"--json"_s))
        printJson(session, array);
    else
        session.print(text);
    return success;
}

int runActivity(const Session &session, const Arguments &arguments)
{
    const QString name = arguments.positional.first();
    const auto first = parseMonth(name, session.today);
    if (!first)
        return session.fail(Text::tr("“%1” is not a month: use YYYY-MM.").arg(name));
    if (auto problem = folderProblem(session.root(), false))
        return session.fail(*problem);

    app::JournalIndex index(session.store);
    QJsonArray array;
    QString text;
    for (QDate day = *first; day.month() == first->month(); day = day.addDays(1)) {
        const app::DayActivity activity = index.activity(day);
        array.append(QJsonObject{{u"date"_s, isoDay(day)},
                                 {u"hasJournal"_s, activity.hasJournal},
                                 {u"completedHabits"_s, activity.completedHabits},
                                 {u"flowMentions"_s, activity.flowMentions}});
        if (activity == app::DayActivity{})
            continue;
        text += isoDay(day) + u"  "_s +
                (activity.hasJournal ? Text::tr("journal") : Text::tr("no journal")) + u"  "_s +
                Text::tr("habits: %1").arg(activity.completedHabits) + u"  "_s +
                Text::tr("flow mentions: %1").arg(activity.flowMentions) + u'\n';
    }
    if (arguments.flags.contains(u"--json"_s))
        printJson(session, array);
    else
        session.print(text);
    return success;
}

} // namespace

void Session::print(const QString &text) const
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
}

void Session::warn(const QString &message) const
{
    const QByteArray bytes = (u"wrenfold: "_s + message + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), err);
}

int Session::fail(const QString &message) const
{
    warn(message);
    return userError;
}

const QList<Command> &commands()
{
    const QString date = u"--date"_s, json = u"--json"_s;
    // One command per row reads better than one field per line.
    // clang-format off
    static const QList<Command> list = {
        {"today", "today",
         QT_TRANSLATE_NOOP("wrenfold::cli::Terminal", "Print today's journal entry."),
         {}, {}, 0, 0, runToday},
        {"show", "show [DATE]",
         QT_TRANSLATE_NOOP("wrenfold::cli::Terminal",
                           "Print the day's journal entry (today's without DATE)."),
         {}, {}, 0, 1, runShow},
        {"append", "append [--date DATE] [TEXT...]",
         QT_TRANSLATE_NOOP("wrenfold::cli::Terminal",
                           "Add TEXT (or standard input) as a paragraph to the day's note."),
         {}, {date}, 0, -1, runAppend},
        {"search", "search QUERY... [--json]",
         QT_TRANSLATE_NOOP("wrenfold::cli::Terminal",
                           "List the days whose note contains QUERY, newest first."),
         {json}, {}, 1, -1, runSearch},
        {"agenda", "agenda [DATE] [--days N] [--json]",
         QT_TRANSLATE_NOOP("wrenfold::cli::Terminal",
                           "List the calendar events of N days from DATE (today)."),
         {json}, {u"--days"_s}, 0, 1, runAgenda},
        {"habits", "habits [DATE] [--json]",
         QT_TRANSLATE_NOOP("wrenfold::cli::Terminal",
                           "List the habits due on the day and whether they are done."),
         {json}, {}, 0, 1, runHabits},
        {"check", "check FLOW [--date DATE] [--undo]",
         QT_TRANSLATE_NOOP("wrenfold::cli::Terminal",
                           "Check off a habit, named by its title or the start of its id."),
         {u"--undo"_s}, {date}, 1, -1, runCheck},
        {"flows", "flows [--json]",
         QT_TRANSLATE_NOOP("wrenfold::cli::Terminal", "List every flow, archived ones too."),
         {json}, {}, 0, 0, runFlows},
        {"activity", "activity MONTH [--json]",
         QT_TRANSLATE_NOOP("wrenfold::cli::Terminal",
                           "Summarise each day of MONTH (YYYY-MM): journal, habits, flows."),
         {json}, {}, 1, 1, runActivity},
    };
    // clang-format on
    return list;
}

} // namespace wrenfold::cli
