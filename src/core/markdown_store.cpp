// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/markdown_store.h"

#include "core/file_io.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace wrenfold::core {

namespace {

struct StoreText {
    Q_DECLARE_TR_FUNCTIONS(wrenfold::core::MarkdownStore)
};

Error noFolderError()
{
    return {StoreText::tr("No notes folder has been chosen.")};
}

// Without a valid day the text would land in a "0000-00-00.md" that no listing shows.
Status checkDay(const Calendar &calendar, const QDateTime &date)
{
    if (calendar.dayOf(date).isValid())
        return std::nullopt;
    return Error{StoreText::tr("Could not save the text: the day is not a valid date.")};
}

} // namespace

MarkdownStore::MarkdownStore(QString root, Calendar calendar)
    : m_root(root.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(root).absoluteFilePath())),
      m_calendar(std::move(calendar))
{}

Status MarkdownStore::checkRoot() const
{
    if (m_createsRoot || m_root.isEmpty() || QFileInfo(m_root).isDir())
        return std::nullopt;
    return Error{StoreText::tr("The notes folder “%1” is missing. Reconnect its disk, or "
                               "choose another folder.")
                     .arg(QDir::toNativeSeparators(m_root))};
}

QString MarkdownStore::dailyURL(const QString &folder, const QDateTime &date) const
{
    // An invalid instant has no components; they count as 0, as for any missing one.
    const QDate day = m_calendar.dayOf(date);
    const int year = day.isValid() ? day.year() : 0;
    const int month = day.isValid() ? day.month() : 0;
    const int dayOfMonth = day.isValid() ? day.day() : 0;
    return QDir(m_root).filePath(folder) +
           QString::asprintf("/%04d/%02d/%04d-%02d-%02d.md", year, month, year, month, dayOfMonth);
}

QString MarkdownStore::noteURL(const QDateTime &date) const
{
    return dailyURL(u"Journal"_s, date);
}

QString MarkdownStore::habitsURL(const QDateTime &date) const
{
    return dailyURL(u"Habits"_s, date);
}

QString MarkdownStore::perspectivesURL(const QDateTime &date) const
{
    return dailyURL(u"Perspectives"_s, date);
}

QString MarkdownStore::flowsURL() const
{
    return QDir(m_root).filePath(u"flows.json"_s);
}

Result<QString> MarkdownStore::loadDaily(const QString &folder, const QDateTime &date) const
{
    if (m_root.isEmpty())
        return noFolderError();
    const QString path = dailyURL(folder, date);
    bool missing = false;
    Result<QByteArray> bytes = readFileBytes(path, &missing);
    if (!bytes)
        return bytes.error();
    if (missing)
        return QString();
    return decodeUtf8File(path, *bytes);
}

Status MarkdownStore::save(const QString &text, const QString &path) const
{
    if (m_root.isEmpty())
        return noFolderError();
    if (Status missing = checkRoot())
        return missing;
    const QFileInfo target(path);
    const QString temp = target.absolutePath() + u"/."_s + target.fileName() + u".tmp"_s;
    return writeFileDurably(path, text.toUtf8(), temp);
}

Result<DailyNote> MarkdownStore::loadNote(const QDateTime &date) const
{
    Result<QString> body = loadDaily(u"Journal"_s, date);
    if (!body)
        return body.error();
    return DailyNote{date, std::move(body).value()};
}

Status MarkdownStore::saveNote(const DailyNote &note) const
{
    if (Status invalid = checkDay(m_calendar, note.date))
        return invalid;
    return save(note.body, noteURL(note.date));
}

Result<QString> MarkdownStore::loadHabits(const QDateTime &date) const
{
    return loadDaily(u"Habits"_s, date);
}

Status MarkdownStore::saveHabits(const QString &text, const QDateTime &date) const
{
    if (Status invalid = checkDay(m_calendar, date))
        return invalid;
    return save(text, habitsURL(date));
}

Result<QString> MarkdownStore::loadPerspectives(const QDateTime &date) const
{
    return loadDaily(u"Perspectives"_s, date);
}

Status MarkdownStore::savePerspectives(const QString &text, const QDateTime &date) const
{
    if (Status invalid = checkDay(m_calendar, date))
        return invalid;
    return save(text, perspectivesURL(date));
}

Result<QList<FlowItem>> MarkdownStore::loadFlows() const
{
    if (m_root.isEmpty())
        return noFolderError();
    const QString path = flowsURL();
    bool missing = false;
    Result<QByteArray> bytes = readFileBytes(path, &missing);
    if (!bytes)
        return bytes.error();
    if (missing)
        return QList<FlowItem>();
    Result<QList<FlowItem>> flows = decodeFlows(*bytes);
    if (!flows) {
        return Error{StoreText::tr("Could not read the flows file “%1”: %2")
                         .arg(QDir::toNativeSeparators(path), flows.error().message)};
    }
    return flows;
}

Status MarkdownStore::saveFlows(const QList<FlowItem> &flows) const
{
    if (m_root.isEmpty())
        return noFolderError();
    if (Status missing = checkRoot())
        return missing;
    if (Status failed = makeFolders(m_root))
        return failed;
    return writeFileDurably(flowsURL(), encodeFlows(flows),
                            QDir(m_root).filePath(u".flows.json.tmp"_s));
}

} // namespace wrenfold::core
