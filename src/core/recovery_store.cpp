// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/recovery_store.h"

#include "core/file_io.h"
#include "core/markdown_store.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace wrenfold::core {

namespace {

struct RecoveryText {
    Q_DECLARE_TR_FUNCTIONS(wrenfold::core::RecoveryStore)
};

constexpr QStringView kHeaderStart = u"<!-- wrenfold-recovery ";
constexpr QStringView kHeaderEnd = u" -->";

} // namespace

RecoveryStore::RecoveryStore(QString folder)
    : m_folder(folder.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(folder).absoluteFilePath()))
{}

QString RecoveryStore::standardFolder(const QProcessEnvironment &environment)
{
    QString state = environment.value(u"XDG_STATE_HOME"_s);
    if (state.isEmpty() || QDir::isRelativePath(state)) {
        QString home = environment.value(u"HOME"_s);
        if (home.isEmpty())
            home = QDir::homePath();
        state = home + u"/.local/state"_s;
    }
    return QDir::cleanPath(state + u"/wrenfold/recovery"_s);
}

QString RecoveryStore::newFile(const QString &notePath) const
{
    const QByteArray hash =
        QCryptographicHash::hash(notePath.toUtf8(), QCryptographicHash::Sha256).toHex().left(8);
    const QString stem =
        m_folder + u'/' + QFileInfo(notePath).completeBaseName() + u'-' + QString::fromLatin1(hash);
    QString file = stem + u".md"_s;
    for (int counter = 2; QFileInfo::exists(file); ++counter)
        file = stem + u'-' + QString::number(counter) + u".md"_s;
    return file;
}

Status RecoveryStore::save(const QString &file, const QString &notePath, const QString &notesRoot,
                           const QString &text) const
{
    if (m_folder.isEmpty())
        return Error{RecoveryText::tr("No recovery folder is known.")};
    if (!QFileInfo(m_folder).isDir()) {
        if (Status failed = makeFolders(m_folder))
            return failed;
        // Unsaved writing is nobody else's business.
        ::chmod(QFile::encodeName(m_folder).constData(), 0700);
    }
    const QJsonObject names{{u"note"_s, notePath}, {u"root"_s, notesRoot}};
    const QString header = kHeaderStart +
                           QString::fromUtf8(QJsonDocument(names).toJson(QJsonDocument::Compact)) +
                           kHeaderEnd + u'\n';
    return writeFileDurably(file, (header + text).toUtf8());
}

Status RecoveryStore::remove(const QString &file) const
{
    if (::unlink(QFile::encodeName(file).constData()) != 0 && errno != ENOENT) {
        return Error{RecoveryText::tr("Could not remove “%1”: %2.")
                         .arg(QDir::toNativeSeparators(file), describeFileError(errno))};
    }
    return std::nullopt;
}

QList<RecoveredText> RecoveryStore::entries() const
{
    QList<RecoveredText> result;
    if (m_folder.isEmpty())
        return result;
    const QDir folder(m_folder);
    // Transient files of ours that a crash left behind.
    const auto transients =
        folder.entryList({u".*.md.tmp"_s}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : transients)
        QFile::remove(folder.filePath(name));

    const auto files = folder.entryInfoList({u"*.md"_s}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo &info : files) {
        auto content = readUtf8File(info.absoluteFilePath());
        if (!content)
            continue;
        const qsizetype lineEnd = content->indexOf(u'\n');
        const QStringView header = QStringView(*content).first(std::max<qsizetype>(lineEnd, 0));
        if (lineEnd < 0 || !header.startsWith(kHeaderStart) || !header.endsWith(kHeaderEnd))
            continue;
        const QJsonObject names =
            QJsonDocument::fromJson(
                header
                    .sliced(kHeaderStart.size(),
                            header.size() - kHeaderStart.size() - kHeaderEnd.size())
                    .toUtf8())
                .object();
        const QString notePath = names.value(u"note"_s).toString();
        if (notePath.isEmpty())
            continue;
        result.append({info.absoluteFilePath(), notePath, names.value(u"root"_s).toString(),
                       content->sliced(lineEnd + 1)});
    }
    return result;
}

} // namespace wrenfold::core
