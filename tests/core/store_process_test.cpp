// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Store behaviour that needs a second process: one killed while saving, one that runs
// without the privileges to read or write parts of the notes folder.
#include "core/markdown_store.h"
#include "support/test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace wrenfold::core;
using namespace wrenfold::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr auto kRootVariable = "WRENFOLD_TEST_CHILD_ROOT";
constexpr int kCannotDropPrivileges = 77;

const Calendar kUtc{QTimeZone::utc(), Qt::Monday};
const QDateTime kDays[] = {QDateTime(QDate(2026, 3, 5), QTime(9, 0), Qt::UTC),
                           QDateTime(QDate(2026, 3, 6), QTime(9, 0), Qt::UTC)};

// Runs one of the DISABLED_ child tests below in a fresh copy of this test binary.
void startChild(QProcess &child, const char *test, const QString &root)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kRootVariable), root);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {u"--gtest_also_run_disabled_tests"_s,
                 u"--gtest_filter=StoreChild.DISABLED_"_s + QString::fromLatin1(test)});
}

// A name filter that stops matching runs nothing and still exits 0, so the child's own
// report must show that its one case ran and passed.
void expectChildCasePassed(const QProcess &child, const QByteArray &output, const char *test)
{
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << output.constData();
    QByteArray passedLine("[       OK ] StoreChild.DISABLED_");
    passedLine.append(test);
    EXPECT_TRUE(output.contains(passedLine)) << output.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.constData();
}

// Texts of a few hundred KiB up to 2 MiB, so that a kill often lands inside a write.
QString generationText(quint64 generation, QStringView kind)
{
    const QString header = kind + u" generation "_s + QString::number(generation) + u'\n';
    const qsizetype lines = 4000 * qsizetype(1 + generation % 8);
    QString text = header;
    text.reserve(header.size() + lines * 64);
    for (qsizetype i = 0; i < lines; ++i)
        text +=
            u"line %1 of generation %2, written whole or not at all ✓\n"_s.arg(i).arg(generation);
    return text;
}

// The generation named in the first line of `text`, or -1.
qint64 generationOf(const QString &text)
{
    bool ok = false;
    const qint64 generation = text.section(u'\n', 0, 0).section(u' ', 2).toLongLong(&ok);
    return ok ? generation : -1;
}

void expectWholeDayFile(const QString &path, QStringView kind)
{
    if (!QFile::exists(path))
        return;
    const QString text = QString::fromUtf8(readFile(path));
    const qint64 generation = generationOf(text);
    ASSERT_GE(generation, 0) << "empty or torn file " << path.toStdString();
    EXPECT_TRUE(text == generationText(quint64(generation), kind))
        << "half-written file " << path.toStdString();
}

} // namespace

// Child: saves two days' notes and habits over and over until it is killed, announcing each
// save with its text already prepared, so that a kill right after an announcement lands inside.
TEST(StoreChild, DISABLED_saveInALoop)
{
    const QString root = qEnvironmentVariable(kRootVariable);
    ASSERT_FALSE(root.isEmpty());
    const MarkdownStore store(root, kUtc);
    auto announce = [] {
        std::fputs("saving\n", stdout);
        std::fflush(stdout);
    };
    for (quint64 generation = QRandomGenerator::global()->bounded(1000);; ++generation) {
        const QString note = generationText(generation, u"note");
        const QString habits = generationText(generation + 3, u"habits");
        for (const QDateTime &day : kDays) {
            announce();
            ASSERT_EQ(store.saveNote({day, note}), std::nullopt);
            announce();
            ASSERT_EQ(store.saveHabits(habits, day), std::nullopt);
        }
    }
}

TEST(StoreDurability, killedWhileSaving_leavesOldOrNewTextNeverAMixture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const MarkdownStore store(dir.path(), kUtc);
    for (int round = 0; round < 25; ++round) {
        QProcess child;
        startChild(child, "saveInALoop", dir.path());
        ASSERT_TRUE(child.waitForStarted(30000));
        // Kill it as a randomly chosen save begins.
        const int saves = int(QRandomGenerator::global()->bounded(1, 16));
        int saved = 0;
        QByteArray output;
        while (saved < saves) {
            ASSERT_TRUE(child.waitForReadyRead(60000)) << output.constData();
            while (child.canReadLine()) {
                const QByteArray line = child.readLine();
                output += line;
                saved += line.startsWith("saving") ? 1 : 0;
            }
        }
        child.kill();
        ASSERT_TRUE(child.waitForFinished(30000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << output.constData();

        for (const QDateTime &day : kDays) {
            expectWholeDayFile(store.noteURL(day), u"note");
            expectWholeDayFile(store.habitsURL(day), u"habits");
        }
        if (::testing::Test::HasFailure())
            return;
    }
}

// Child: runs without the right to read or write the folders the parent locked.
TEST(StoreChild, DISABLED_withoutPermission)
{
    const QString root = qEnvironmentVariable(kRootVariable);
    ASSERT_FALSE(root.isEmpty());
    // Privileged users read everything; become nobody so that the modes count.
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
        std::fflush(stdout);
        std::_Exit(kCannotDropPrivileges);
    }
    const MarkdownStore store(root, kUtc);

    const Result<DailyNote> note = store.loadNote(kDays[0]);
    ASSERT_FALSE(note.ok());
    EXPECT_EQ(note.error().message,
              u"Could not read “%1”: permission denied."_s.arg(store.noteURL(kDays[0])));

    const Status habits = store.saveHabits(u"new"_s, kDays[0]);
    ASSERT_NE(habits, std::nullopt);
    EXPECT_EQ(habits->message,
              u"Could not save “%1”: permission denied."_s.arg(store.habitsURL(kDays[0])));
    EXPECT_EQ(readFile(store.habitsURL(kDays[0])), "old");

    const Result<QList<FlowItem>> flows = store.loadFlows();
    ASSERT_FALSE(flows.ok());
    EXPECT_TRUE(flows.error().message.contains(u"permission denied"_s));

    const MarkdownStore locked(root + u"/locked/notes"_s, kUtc);
    const Status created = locked.saveFlows({});
    ASSERT_NE(created, std::nullopt);
    EXPECT_TRUE(created->message.contains(root + u"/locked/notes"_s))
        << created->message.toStdString();
    EXPECT_TRUE(created->message.contains(u"permission denied"_s));

    // Names are still listed when contents are unreadable; unreadable folders are skipped.
    EXPECT_EQ(store.datesWithNotes(), QList<QDate>({QDate(2026, 3, 5), QDate(2026, 1, 1)}));
}

TEST(StorePermissions, unreadableAndUnwritableParts_giveErrorsNamingFileAndCause)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const MarkdownStore store(dir.path(), kUtc);
    ASSERT_EQ(store.saveNote({kDays[0], u"secret"_s}), std::nullopt);
    ASSERT_EQ(store.saveHabits(u"old"_s, kDays[0]), std::nullopt);
    ASSERT_EQ(store.saveFlows({}), std::nullopt);
    ASSERT_TRUE(writeFile(dir.path() + u"/Journal/2026/01/2026-01-01.md"_s, "x"));
    ASSERT_TRUE(writeFile(dir.path() + u"/Journal/2026/02/2026-02-01.md"_s, "x"));
    ASSERT_TRUE(QDir().mkpath(dir.path() + u"/locked"_s));

    const struct {
        QString path;
        mode_t mode;
    } modes[] = {
        {dir.path(), 0755},
        {store.noteURL(kDays[0]), 0},
        {store.flowsURL(), 0},
        {dir.path() + u"/Habits/2026/03"_s, 0555},
        {dir.path() + u"/Journal/2026/02"_s, 0},
        {dir.path() + u"/locked"_s, 0555},
    };
    for (const auto &entry : modes)
        ASSERT_EQ(::chmod(QFile::encodeName(entry.path).constData(), entry.mode), 0);

    QProcess child;
    startChild(child, "withoutPermission", dir.path());
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray output = child.readAll();

    for (const auto &entry : modes) // so that the folder can be removed again
        ::chmod(QFile::encodeName(entry.path).constData(), 0755);
    if (child.exitCode() == kCannotDropPrivileges)
        GTEST_SKIP() << "cannot switch to an unprivileged user here";
    expectChildCasePassed(child, output, "withoutPermission");
}

namespace {

bool writeProcFile(const char *path, const QByteArray &text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    return ok;
}

// Puts a 64 KiB memory file system at `folder`, visible to this process only; false when
// this machine does not allow it.
bool mountSmallDisk(const QString &folder)
{
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (uid != 0) {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 ||
            !writeProcFile("/proc/self/setgroups", "deny") ||
            !writeProcFile("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1") ||
            !writeProcFile("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
            return false;
    } else if (::unshare(CLONE_NEWNS) != 0) {
        return false;
    }
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") == 0;
}

} // namespace

// Child: saves more than fits on a tiny disk mounted over the notes folder.
TEST(StoreChild, DISABLED_onAFullDisk)
{
    const QString root = qEnvironmentVariable(kRootVariable);
    ASSERT_FALSE(root.isEmpty());
    if (!mountSmallDisk(root)) {
        std::fflush(stdout);
        std::_Exit(kCannotDropPrivileges);
    }
    const MarkdownStore store(root, kUtc);
    ASSERT_EQ(store.saveNote({kDays[0], u"the old text"_s}), std::nullopt);

    const Status failed = store.saveNote({kDays[0], QString(200 * 1024, u'x')});
    ASSERT_NE(failed, std::nullopt);
    EXPECT_EQ(failed->message,
              u"Could not save “%1”: the disk is full."_s.arg(store.noteURL(kDays[0])));
    EXPECT_EQ(store.loadNote(kDays[0])->body, u"the old text"_s);
    // The half-written transient file is gone, so the space is free again.
    EXPECT_EQ(store.saveHabits(u"fits"_s, kDays[0]), std::nullopt);
    EXPECT_FALSE(QFile::exists(QFileInfo(store.noteURL(kDays[0])).absolutePath() +
                               u"/.2026-03-05.md.tmp"_s));

    FlowItem big;
    big.id = QUuid::createUuid();
    big.title = u"big"_s;
    big.detail = QString(20000, u'd');
    const QList<FlowItem> many(300, big);
    const Status flows = store.saveFlows(many);
    ASSERT_NE(flows, std::nullopt);
    EXPECT_TRUE(flows->message.contains(u"the disk is full"_s)) << flows->message.toStdString();
}

TEST(StoreDiskFull, saveThatDoesNotFit_failsNamingTheCauseAndKeepsTheOldText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess child;
    startChild(child, "onAFullDisk", dir.path());
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray output = child.readAll();
    if (child.exitCode() == kCannotDropPrivileges)
        GTEST_SKIP() << "cannot mount a small disk here";
    expectChildCasePassed(child, output, "onAFullDisk");
}
