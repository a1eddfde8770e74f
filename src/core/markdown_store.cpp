// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/markdown_store.h"

#include "core/file_io.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
    return writeFileDurably(path, text.toUtf8());
}

Result<SaveOutcome> MarkdownStore::save(const QString &text, const QString &path,
                                        const ExpectedFile &expected) const
{
    if (m_root.isEmpty())
        return noFolderError();
    if (Status missing = checkRoot())
        return *missing;
    return writeFileDurably(path, text.toUtf8(), expected);
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

Result<SaveOutcome> MarkdownStore::saveNote(const DailyNote &note,
                                            const ExpectedFile &expected) const
{
    if (Status invalid = checkDay(m_calendar, note.date))
        return *invalid;
    return save(note.body, noteURL(note.date), expected);
}

Result<SaveOutcome> MarkdownStore::saveHabits(const QString &text, const QDateTime &date,
                                              const ExpectedFile &expected) const
{
    if (Status invalid = checkDay(m_calendar, date))
        return *invalid;
    return save(text, habitsURL(date), expected);
}

Result<SaveOutcome> MarkdownStore::savePerspectives(const QString &text, const QDateTime &date,
                                                    const ExpectedFile &expected) const
{
    if (Status invalid = checkDay(m_calendar, date))
        return *invalid;
    return save(text, perspectivesURL(date), expected);
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
    return writeFileDurably(flowsURL(), encodeFlows(flows));
}

namespace {

// Removes the files in `folder` whose names `pattern` matches in full, when they were not
// written for `minimumAgeSeconds` and no save holds their lock.
int removeStaleFiles(const QString &folder, const QRegularExpression &pattern,
                     qint64 minimumAgeSeconds)
{
    const qint64 newestNs =
        (QDateTime::currentSecsSinceEpoch() - minimumAgeSeconds) * qint64(1'000'000'000);
    int removed = 0;
    const QStringList names =
        QDir(folder).entryList({u".*.tmp"_s}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (!pattern.match(name).hasMatch())
            continue;
        const QByteArray path = QFile::encodeName(folder + u'/' + name);
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info {};
        const bool stale =
            ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec < newestNs &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (stale && ::unlink(path.constData()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

QStringList subfolders(const QString &folder, const QRegularExpression &pattern)
{
    QStringList result;
    const QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (pattern.match(name).hasMatch())
            result.append(folder + u'/' + name);
    }
    return result;
}

} // namespace

int MarkdownStore::removeStaleTransientFiles(qint64 minimumAgeSeconds) const
{
    if (m_root.isEmpty())
        return 0;
    // Earlier versions put a random base-36 number before ".tmp".
    static const QRegularExpression dayFile(
        uR"(^\.\d{4,}-\d{2}-\d{2})"
        uR"((\.local-\d{4,}-\d{2}-\d{2}T\d{2}-\d{2}-\d{2}(-\d+)?)?)"
        uR"(\.md(\.[0-9a-z]{1,7})?\.tmp$)"_s);
    static const QRegularExpression year(uR"(^\d{4,}$)"_s);
    static const QRegularExpression month(uR"(^\d{2}$)"_s);
    static const QRegularExpression flows(uR"(^\.flows\.json\.tmp$)"_s);

    int removed = removeStaleFiles(m_root, flows, minimumAgeSeconds);
    removed +=
        removeStaleFiles(QDir(m_root).filePath(u"Migration Backups"_s), dayFile, minimumAgeSeconds);
    for (const QString &dayFolder : {u"Journal"_s, u"Habits"_s, u"Perspectives"_s}) {
        for (const QString &yearFolder : subfolders(QDir(m_root).filePath(dayFolder), year)) {
            for (const QString &monthFolder : subfolders(yearFolder, month))
                removed += removeStaleFiles(monthFolder, dayFile, minimumAgeSeconds);
        }
    }
    return removed;
}

} // namespace wrenfold::core
