// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The `wrenfold` terminal commands, run as real processes against real folders.
#include "core/habit_markdown.h"
#include "platform/calendar_store.h"
#include "support/model_fixture.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>

#include <grp.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::testing;

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

const QUuid walkID{u"0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a"_s};
const QUuid readID{u"1c7a4d2f-6e3b-4d9f-8b68-4a2f3e5d6c7b"_s};

class CommandLineTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        calendar = core::Calendar::current();
        ASSERT_TRUE(QDir().mkpath(notesRoot));
        calendarRoots.vdirRoots = {path(u"xdg_data_home/calendars"_s)};
    }

    /// The program with a home, settings, data and state of its own and English texts.
    Outcome run(const QStringList &arguments, const QByteArray &input = {}, bool asNobody = false)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name :
             {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
            env.insert(QString::fromLatin1(name), path(QString::fromLatin1(name).toLower()));
        env.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
        env.insert(u"LANG"_s, u"C.UTF-8"_s);
        env.remove(u"LANGUAGE"_s);
        env.remove(u"VESK_UI_TEST_ROOT"_s);
        // No display: a command that made a GUI application would abort here.
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        env.remove(u"DISPLAY"_s);
        env.remove(u"WAYLAND_DISPLAY"_s);
        QProcess process;
        process.setProcessEnvironment(env);
        if (asNobody) {
            process.setChildProcessModifier([] {
                if (::geteuid() == 0 &&
                    (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                    ::_exit(77);
            });
        }
        process.start(QStringLiteral(WRENFOLD_BINARY), arguments);
        EXPECT_TRUE(process.waitForStarted());
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    Outcome inNotes(const QStringList &arguments, const QByteArray &input = {})
    {
        return run(QStringList{u"--notes-folder"_s, notesRoot} + arguments, input);
    }

    core::MarkdownStore store() const { return {notesRoot, calendar}; }
    QDateTime on(const QDate &day) const { return calendar.startOfDay(day); }
    QDate today() const { return calendar.dayOf(QDateTime::currentDateTime()); }

    /// Every file below the temporary world with its bytes, to prove nothing was written.
    QMap<QString, QByteArray> tree() const
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(m_dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            files.insert(file, readFile(file));
        }
        return files;
    }
};

TEST_F(CommandLineTest, notesFolder_isChosenAsTheAppChoosesIt)
{
    const QString remembered = path(u"remembered"_s);
    const QString fallback = path(u"home/Documents/Vesk Wrenfold"_s);
    const struct {
        const char *name;
        bool remember;
        QStringList extra;
        QString expected;
    } rows[] = {
        {"default folder below the documents folder", false, {}, fallback},
        {"remembered path", true, {}, remembered},
        {"--notes-folder beats it", true, {u"--notes-folder"_s, notesRoot}, notesRoot},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QSettings settings(path(u"xdg_config_home/Wrenfold/Wrenfold.conf"_s), QSettings::IniFormat);
        if (row.remember)
            settings.setValue(u"notesRoot"_s, remembered);
        settings.sync();
        for (const QString &folder : {fallback, remembered, notesRoot}) {
            ASSERT_TRUE(writeFile(core::MarkdownStore(folder, calendar).noteURL(on(today())),
                                  folder.toUtf8()));
        }
        const Outcome result = run(QStringList{u"today"_s} + row.extra);
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        EXPECT_EQ(result.out, row.expected);
    }
}

TEST_F(CommandLineTest, append_writesTheNoteByteForByteAndIsAConflictInTheApp)
{
    // Arguments split at "|"; "--date -1" writes to yesterday's note.
    const struct {
        QByteArray before; // null: no file yet
        QString arguments;
        QByteArray input;
        QByteArray after;
    } rows[] = {
        {{}, u"first|thought"_s, {}, "first thought\n"},
        {"# Day\nline", u"more"_s, {}, "# Day\nline\n\nmore\n"},  // one empty line between
        {"  \n", u"more"_s, {}, "  \nmore\n"},                    // none after blank text
        {"a\n\n", u"b"_s, {}, "a\n\nb\n"},                        // nor after an empty line
        {"a\r\nb\r\n", {}, "c\nd\n", "a\r\nb\r\n\r\nc\r\nd\r\n"}, // CRLF stays
        {"x\n", {}, "\n\nline one\nline two\n\n", "x\n\nline one\nline two\n"},
        {{}, u"--date|-1|late"_s, {}, "late\n"},
        {{}, u"--|-5 degrees"_s, {}, "-5 degrees\n"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.arguments.toStdString());
        const QStringList arguments = row.arguments.split(u'|', Qt::SkipEmptyParts);
        const QDate day = today().addDays(arguments.contains(u"-1"_s) ? -1 : 0);
        const QString note = store().noteURL(on(day));
        QFile::remove(note);
        if (!row.before.isNull()) {
            ASSERT_TRUE(writeFile(note, row.before));
        }
        const Outcome result = inNotes(QStringList{u"append"_s} + arguments, row.input);
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        EXPECT_EQ(readFile(note), row.after);
    }

    // While the app holds typed text, the appended note is a conflict there.
    ASSERT_TRUE(writeFile(todayNotePath(), "morning\n"));
    app::AppModel &model = makeModel();
    model.noteChanged(u"typed in the window"_s);
    QSignalSpy conflict(&model, &app::AppModel::noteConflictChanged);
    ASSERT_EQ(inNotes({u"append"_s, u"from the terminal"_s}).status, 0);
    ASSERT_TRUE(conflict.wait(10000));
    ASSERT_TRUE(model.noteConflict());
    EXPECT_EQ(model.noteConflict()->external, u"morning\n\nfrom the terminal\n"_s);
    EXPECT_EQ(model.noteConflict()->local, u"typed in the window"_s);
    EXPECT_EQ(noteFile(), model.noteConflict()->external);
}

TEST_F(CommandLineTest, check_writesWhatTheTodayScreenWrites)
{
    // Tuesday and Thursday share a week whether weeks start on Sunday or Monday.
    const QDate wednesday{2026, 3, 4};
    const auto walk = habit(walkID, u"Walk"_s, core::HabitSchedule::daily);
    const auto read = habit(readID, u"Read"_s, core::HabitSchedule::weekly);
    const auto checked = [](const core::FlowItem &flow) {
        return core::HabitMarkdown::setting(true, flow, u"# mine\n"_s).toUtf8();
    };
    const struct {
        const char *name;
        QStringList arguments;
        core::FlowItem flow;
        QMap<int, QByteArray> before; // day offset from Wednesday -> habits file
    } rows[] = {
        {"check by title", {u"walk"_s}, walk, {{0, "# mine\n"}}},
        {"uncheck by id prefix", {u"0B6F3"_s, u"--undo"_s}, walk, {{0, checked(walk)}}},
        {"uncheck a weekly habit",
         {u"Read"_s, u"--undo"_s},
         read,
         {{-1, checked(read)}, {1, checked(read)}}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString twin = path(u"twin"_s);
        for (const QString &root : {notesRoot, twin}) {
            QDir(root).removeRecursively();
            const core::MarkdownStore folder(root, calendar);
            ASSERT_EQ(folder.saveFlows({walk, read}), std::nullopt);
            for (auto it = row.before.begin(); it != row.before.end(); ++it)
                ASSERT_TRUE(writeFile(folder.habitsURL(on(wednesday.addDays(it.key()))), *it));
        }
        const Outcome result = inNotes(QStringList{u"check"_s} + row.arguments +
                                       QStringList{u"--date"_s, u"2026-03-04"_s});
        EXPECT_EQ(result.status, 0) << result.err.toStdString();

        environment.insert(u"VESK_UI_TEST_ROOT"_s, twin);
        app::AppModel &model = makeModel();
        model.setSelectedDate(on(wednesday));
        model.toggleHabit(row.flow);
        for (int offset = -3; offset <= 3; ++offset) {
            const QDateTime day = on(wednesday.addDays(offset));
            EXPECT_EQ(readFile(store().habitsURL(day)), readFile(model.store().habitsURL(day)))
                << offset;
        }
        // Both touched the flow; only the instant of the touch may differ.
        auto cli = store().loadFlows();
        ASSERT_TRUE(cli);
        auto app = model.store().loadFlows();
        ASSERT_TRUE(app);
        EXPECT_GT(cli->at(row.flow == walk ? 0 : 1).updatedAt, row.flow.updatedAt);
        for (auto *flows : {&cli.value(), &app.value()}) {
            for (core::FlowItem &flow : *flows)
                flow.updatedAt = {};
        }
        EXPECT_EQ(*cli, *app);
        this->model.reset();
        environment.insert(u"VESK_UI_TEST_ROOT"_s, notesRoot);
    }
}

TEST_F(CommandLineTest, failures_giveTheirStatusAndMessageAndWriteNothing)
{
    const QDate day = today();
    ASSERT_EQ(store().saveFlows({habit(walkID, u"Walk"_s, core::HabitSchedule::daily)}),
              std::nullopt);
    ASSERT_TRUE(writeFile(store().noteURL(on(day)), "kept\n"));
    addEvent(u"standup"_s, "DTSTART:20260304T090000\r\nSUMMARY:Standup\r\n");
    const QString brokenFlows = path(u"broken"_s);
    ASSERT_TRUE(writeFile(brokenFlows + u"/flows.json"_s, "[{\"id\": 1},]"));

    // Arguments split at "|".
    const struct {
        QString arguments;
        int status;
        QString message;
    } rows[] = {
        {u"append|--date|2026-02-30|x"_s, 1,
         u"wrenfold: “2026-02-30” is not a day: use YYYY-MM-DD, today, yesterday, tomorrow or "
         u"-N.\n"_s},
        {u"show|someday"_s, 1, u"“someday” is not a day"_s},
        {u"check|Swim"_s, 1, u"wrenfold: No flow is called “Swim”.\n"_s},
        {u"append|  "_s, 1, u"Nothing to append"_s},
        {u"activity|2026-13"_s, 1, u"“2026-13” is not a month"_s},
        {u"agenda"_s, 1, u"Calendar access has not been allowed"_s},
        {u"swim"_s, 2, u"wrenfold: “swim” is not a command. Try “wrenfold --help”.\n"_s},
        {u"show|--json"_s, 2, u"“--json” is not an option here"_s},
        {u"search"_s, 2, u"wrenfold: QUERY is missing. Try “wrenfold search --help”.\n"_s},
        {u"flows|all"_s, 2, u"“all” was not expected"_s},
    };
    const auto before = tree();
    for (const auto &row : rows) {
        SCOPED_TRACE(row.arguments.toStdString());
        const Outcome result = inNotes(row.arguments.split(u'|'));
        EXPECT_EQ(result.status, row.status);
        EXPECT_TRUE(result.err.contains(row.message)) << result.err.toStdString();
        EXPECT_TRUE(result.err.endsWith(u'\n') && result.err.count(u'\n') == 1);
        EXPECT_TRUE(result.out.isEmpty());
    }
    for (const QStringList &arguments :
         {QStringList{u"check"_s, u"Walk"_s}, {u"habits"_s}, {u"flows"_s}}) {
        const Outcome result = run(arguments + QStringList{u"--notes-folder"_s, brokenFlows});
        EXPECT_EQ(result.status, 1) << arguments.first().toStdString();
        EXPECT_TRUE(result.err.startsWith(u"wrenfold: Could not read the flows file"_s));
    }

    // A folder the user cannot read (as an unprivileged user, since root reads all).
    ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(notesRoot).constData(), 0), 0);
    for (const QString &command : {u"search"_s, u"append"_s}) {
        const Outcome result = run({command, u"x"_s, u"--notes-folder"_s, notesRoot}, {}, true);
        if (result.status == 77)
            break; // cannot switch users here
        EXPECT_EQ(result.status, 1) << command.toStdString();
        EXPECT_EQ(result.err, u"wrenfold: Could not read the notes folder “%1”: permission "
                              u"denied.\n"_s.arg(notesRoot));
    }
    ASSERT_EQ(::chmod(QFile::encodeName(notesRoot).constData(), 0755), 0);
    EXPECT_EQ(tree(), before);
}

TEST_F(CommandLineTest, readingCommands_printTheDayAndWhatTheJournalScreenFinds)
{
    const QDate day{2026, 3, 4};
    addEvent(u"standup"_s,
             "DTSTART:20260304T090000\r\nDTEND:20260304T101500\r\nSUMMARY:Standup\r\n");
    QSettings settings(path(u"xdg_config_home/Wrenfold/Wrenfold.conf"_s), QSettings::IniFormat);
    settings.setValue(u"calendarAuthorization"_s, 3);
    settings.sync();

    auto archived = habit(readID, u"Old"_s, core::HabitSchedule::weekly);
    archived.isActive = false;
    const auto walk = habit(walkID, u"Walk"_s, core::HabitSchedule::daily);
    ASSERT_EQ(store().saveFlows({walk, archived}), std::nullopt);
    ASSERT_EQ(store().saveHabits(core::HabitMarkdown::setting(true, walk, {}), on(day)),
              std::nullopt);
    ASSERT_EQ(store().saveNote({on(day), u"Dear diary"_s}), std::nullopt);

    const struct {
        QStringList arguments;
        QString out;
    } rows[] = {
        {{u"show"_s, u"2026-03-04"_s}, u"Dear diary"_s},
        {{u"habits"_s, u"2026-03-04"_s}, u"[x] Walk\n"_s},
        {{u"flows"_s},
         u"0b6f3c1e  Walk (daily habit)\n1c7a4d2f  Old (weekly habit) (archived)\n"_s},
        {{u"activity"_s, u"2026-03"_s}, u"2026-03-04  journal  habits: 1  flow mentions: 0\n"_s},
        {{u"agenda"_s, u"2026-03-03"_s, u"--days"_s, u"2"_s},
         u"2026-03-04  09:00-10:15  Standup\n"_s},
        {{u"--version"_s}, u"wrenfold 0.1.0\n"_s},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        const Outcome result = inNotes(row.arguments);
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        EXPECT_EQ(result.out, row.out);
    }
    const auto json =
        QJsonDocument::fromJson(inNotes({u"agenda"_s, u"2026-03-04"_s, u"--json"_s}).out.toUtf8())
            .array();
    ASSERT_EQ(json.size(), 1);
    EXPECT_EQ(json[0][u"events"_s][0][u"title"_s], u"Standup"_s);
    EXPECT_EQ(json[0][u"events"_s][0][u"start"_s].toString().left(19), u"2026-03-04T09:00:00"_s);

    // A day cut at the cap says so, apart from the events.
    addEvent(u"tick"_s, "DTSTART:20260305T000000\r\nDTEND:20260305T000001\r\nSUMMARY:Tick\r\n"
                        "RRULE:FREQ=SECONDLY\r\n");
    const Outcome cut = inNotes({u"agenda"_s, u"2026-03-05"_s});
    EXPECT_EQ(cut.out.count(u'\n'), platform::maxEventsPerQuery);
    EXPECT_TRUE(cut.err.contains(u"2026-03-05"_s)) << cut.err.toStdString();

    // Search prints what the Journal screen lists.
    const QStringList lines = {u"Café au lait"_s, u"# Heading\r\nplain CAFE line"_s,
                               u"<!-- hidden -->\nnothing here"_s, u"résumé sent"_s, u""_s};
    QDate noteDay(2016, 1, 3);
    for (int i = 0; i < 120; ++i, noteDay = noteDay.addDays(29))
        ASSERT_EQ(store().saveNote(
                      {on(noteDay), lines.at(i % lines.size()) + u" #"_s + QString::number(i)}),
                  std::nullopt);
    app::AppModel &model = makeModel();
    for (const QString &query : {u""_s, u"cafe"_s, u"RESUME"_s, u"é"_s, u"#1"_s, u"absent"_s}) {
        SCOPED_TRACE(query.toStdString());
        const Outcome result = inNotes({u"search"_s, query, u"--json"_s});
        ASSERT_EQ(result.status, 0) << result.err.toStdString();
        QJsonArray expected;
        QString text;
        for (const auto &found : model.journalResults(query)) {
            expected.append(QJsonObject{{u"date"_s, found.date.toString(Qt::ISODate)},
                                        {u"excerpt"_s, found.excerpt}});
            text += found.date.toString(Qt::ISODate) + u"  "_s + found.excerpt + u'\n';
        }
        EXPECT_EQ(QJsonDocument::fromJson(result.out.toUtf8()).array(), expected);
        EXPECT_EQ(inNotes({u"search"_s, query}).out, text);
    }
}

} // namespace
