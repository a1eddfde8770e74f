// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Reading the command line, help and version; the commands themselves are in commands.cpp.
#include "cli/command_line.h"

#include "app/app_model.h"
#include "app/notes_folder.h"
#include "cli/commands.h"
#include "core/localization.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include <cstring>

using namespace Qt::StringLiterals;

namespace wrenfold::cli {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(wrenfold::cli::Terminal)
};

const QString notesFolderOption = u"--notes-folder"_s;

QString translated(const char *text)
{
    return QCoreApplication::translate("wrenfold::cli::Terminal", text);
}

void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int usageError(const QString &problem, const QString &command = {})
{
    const QString help =
        command.isEmpty() ? u"wrenfold --help"_s : u"wrenfold "_s + command + u" --help"_s;
    write(stderr, u"wrenfold: "_s + Text::tr("%1. Try “%2”.").arg(problem, help) + u'\n');
    return badUsage;
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands()) {
        if (name == QLatin1StringView(command.name))
            return &command;
    }
    return nullptr;
}

QString daysNote()
{
    return Text::tr("DATE is YYYY-MM-DD, today, yesterday, tomorrow or -N (N days back).");
}

QString commonOptions()
{
    return u"  --notes-folder DIR  "_s + Text::tr("Use DIR instead of the app's notes folder.") +
           u"\n  --help              "_s + Text::tr("Show this help.") + u'\n';
}

QString generalHelp()
{
    QString text = Text::tr("Usage: wrenfold [COMMAND] [OPTIONS]") + u"\n\n"_s +
                   Text::tr("Without a command, Wrenfold opens its window. Commands:") + u'\n';
    for (const Command &command : commands()) {
        text += u"  "_s + QString::fromLatin1(command.synopsis).leftJustified(36) + u' ' +
                translated(command.summary) + u'\n';
    }
    text += u'\n' + Text::tr("Options:") + u'\n' + commonOptions() + u"  --version           "_s +
            Text::tr("Print the version.") + u"\n\n"_s + daysNote() + u'\n';
    return text;
}

QString commandHelp(const Command &command)
{
    static const QList<std::pair<QString, const char *>> options = {
        {u"--date DATE"_s,
         QT_TRANSLATE_NOOP("wrenfold::cli::Terminal", "The day to use instead of today.")},
        {u"--days N"_s,
         QT_TRANSLATE_NOOP("wrenfold::cli::Terminal", "How many days to list, from 1 to 366 (1).")},
        {u"--json"_s,
         QT_TRANSLATE_NOOP("wrenfold::cli::Terminal", "Print JSON, as described in the README.")},
        {u"--undo"_s, QT_TRANSLATE_NOOP("wrenfold::cli::Terminal", "Uncheck the habit.")},
    };
    QString text = Text::tr("Usage: wrenfold %1").arg(QString::fromLatin1(command.synopsis)) +
                   u'\n' + translated(command.summary) + u"\n\n"_s + Text::tr("Options:") + u'\n';
    for (const auto &[option, description] : options) {
        const QString name = option.section(u' ', 0, 0);
        if (command.flags.contains(name) || command.valued.contains(name))
            text += u"  "_s + option.leftJustified(18) + u"  "_s + translated(description) + u'\n';
    }
    text += commonOptions();
    if (QString::fromLatin1(command.synopsis).contains(u"DATE"))
        text += u'\n' + daysNote() + u'\n';
    return text;
}

bool isOption(const QString &argument)
{
    // "-3" is a day (three days back), "-" alone is a word.
    static const QRegularExpression daysBack(u"^-[0-9]+$"_s);
    return argument.size() > 1 && argument.startsWith(u'-') && !daysBack.match(argument).hasMatch();
}

} // namespace

bool isCommandLine(int argc, char **argv)
{
    if (argc < 2)
        return false;
    const char *first = argv[1];
    if (first[0] != '-')
        return true;
    for (const char *option : {"--help", "-h", "--version", "--notes-folder"}) {
        if (std::strcmp(first, option) == 0)
            return true;
    }
    return std::strncmp(first, "--notes-folder=", 15) == 0;
}

int runCommandLine(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(u"Wrenfold"_s);
    QCoreApplication::setApplicationName(u"Wrenfold"_s);
    QCoreApplication::setApplicationVersion(app::AppModel::version());
    core::installTranslations(app);

    const QStringList words = QCoreApplication::arguments().mid(1);
    Arguments arguments;
    const Command *command = nullptr;
    std::optional<QString> notesFolder;
    bool wantsHelp = false;
    bool wantsVersion = false;
    bool onlyWords = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words.at(i);
        if (onlyWords || !isOption(word)) {
            if (command) {
                arguments.positional.append(word);
                continue;
            }
            command = findCommand(word);
            if (!command)
                return usageError(Text::tr("“%1” is not a command").arg(word));
            arguments.command = word;
            continue;
        }
        if (word == u"--") {
            onlyWords = true;
            continue;
        }
        const QString name = word.section(u'=', 0, 0);
        const bool hasInlineValue = word.contains(u'=');
        if (name == u"--help" || name == u"-h") {
            wantsHelp = true;
            continue;
        }
        if (name == u"--version") {
            wantsVersion = true;
            continue;
        }
        const bool isValued =
            name == notesFolderOption || (command && command->valued.contains(name));
        const bool isFlag = command && command->flags.contains(name) && !hasInlineValue;
        if (!isValued && !isFlag)
            return usageError(Text::tr("“%1” is not an option here").arg(word), arguments.command);
        if (isFlag) {
            arguments.flags.insert(name);
            continue;
        }
        QString value;
        if (hasInlineValue) {
            value = word.section(u'=', 1);
        } else if (i + 1 < words.size()) {
            value = words.at(++i);
        } else {
            return usageError(Text::tr("%1 needs a value").arg(name), arguments.command);
        }
        if (name == notesFolderOption)
            notesFolder = value;
        else
            arguments.values.insert(name, value);
    }

    if (wantsHelp) {
        write(stdout, command ? commandHelp(*command) : generalHelp());
        return success;
    }
    if (wantsVersion) {
        write(stdout, u"wrenfold "_s + app::AppModel::version() + u'\n');
        return success;
    }
    if (!command)
        return usageError(Text::tr("No command given"));
    const qsizetype count = arguments.positional.size();
    if (count < command->minWords) {
        // The first word the synopsis requires, such as QUERY or FLOW.
        static const QRegularExpression required(u" ([A-Z]+)"_s);
        const QString missing = required.match(QString::fromLatin1(command->synopsis)).captured(1);
        return usageError(Text::tr("%1 is missing").arg(missing), arguments.command);
    }
    if (command->maxWords >= 0 && count > command->maxWords) {
        return usageError(
            Text::tr("“%1” was not expected").arg(arguments.positional.at(command->maxWords)),
            arguments.command);
    }
    if (notesFolder && notesFolder->isEmpty())
        return usageError(Text::tr("%1 needs a value").arg(notesFolderOption), arguments.command);

    // The settings and folder are found exactly as the window finds them at start.
    QSettings settings;
    app::AppServices services;
    services.settings = &settings;
    services.documentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString root = notesFolder ? QDir::cleanPath(QFileInfo(*notesFolder).absoluteFilePath())
                                     : app::startupNotesFolder(services);

    Session session;
    session.store = core::MarkdownStore(root, services.calendar);
    session.settings = &settings;
    session.today = services.calendar.dayOf(QDateTime::currentDateTime());
    return command->run(session, arguments);
}

} // namespace wrenfold::cli
