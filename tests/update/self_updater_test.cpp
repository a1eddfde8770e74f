// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/update_world.h"

#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <archive.h>
#include <archive_entry.h>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using update::SelfUpdater::UpdateError;
using wrenfold::testing::readFile;
using wrenfold::testing::waitUntil;
using wrenfold::testing::writeFile;

namespace {

/// One entry of a hand-made archive.
struct Item {
    QByteArray name;
    unsigned type = AE_IFREG;
    QByteArray data = {};   ///< file contents
    QByteArray link = {};   ///< symbolic link target
    QByteArray hardTo = {}; ///< hard link target
};

/// Writes entries exactly as given, which the packer used for releases never would.
QByteArray handMade(const QString &path, bool tar, const QList<Item> &items)
{
    archive *writer = archive_write_new();
    tar ? archive_write_set_format_pax_restricted(writer) : archive_write_set_format_zip(writer);
    archive_write_open_filename(writer, QFile::encodeName(path).constData());
    for (const Item &item : items) {
        archive_entry *entry = archive_entry_new();
        archive_entry_set_pathname(entry, item.name.constData());
        archive_entry_set_filetype(entry, item.type);
        archive_entry_set_perm(entry, 0755);
        archive_entry_set_size(entry, item.data.size());
        if (!item.link.isEmpty())
            archive_entry_set_symlink(entry, item.link.constData());
        if (!item.hardTo.isEmpty())
            archive_entry_set_hardlink(entry, item.hardTo.constData());
        archive_write_header(writer, entry);
        archive_write_data(writer, item.data.constData(), size_t(item.data.size()));
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    return readFile(path);
}

class SelfUpdaterTest : public ::testing::Test, public wrenfold::testing::UpdateWorld {
protected:
    void SetUp() override { ASSERT_TRUE(setUp()) << "openssl or the TLS server is missing"; }

    /// Something only a refused entry could have written outside the unpack folder.
    QString outside() const { return dir.filePath(u"work/outside.txt"_s); }
};

TEST_F(SelfUpdaterTest, hostileArchivesAndTamperedBundles_areRefused_withAppUntouched)
{
    const QByteArray outsidePath = QFile::encodeName(outside());
    const QByteArray bundleFiles = "Wrenfold.AppDir/AppRun";
    const auto hostile = [&](const char *name, bool tar, const QList<Item> &items) {
        serve(QString::fromLatin1(name), handMade(dir.filePath(u"hostile.a"_s), tar, items));
    };
    const auto remove = [](const char *file) {
        return
            [file](const QString &bundle) { QFile::remove(bundle + u'/' + QLatin1String(file)); };
    };

    struct Row {
        const char *name;
        std::function<void()> prepare;
        UpdateError expected;
    };
    const Row rows[] = {
        {"traversal",
         [&] {
             hostile("traversal", false,
                     {{bundleFiles, AE_IFREG, "x"}, {"../../outside.txt", AE_IFREG, "x"}});
         },
         UpdateError::unpack},
        {"absolute",
         [&] {
             hostile("absolute", false, {{outsidePath, AE_IFREG, "x"}});
         },
         UpdateError::unpack},
        {"symlink out",
         [&] {
             hostile("symlink out", false,
                     {{"Wrenfold.AppDir/l", AE_IFLNK, {}, "../../../outside.txt"}});
         },
         UpdateError::unpack},
        {"absolute symlink",
         [&] {
             hostile("absolute symlink", false, {{"Wrenfold.AppDir/l", AE_IFLNK, {}, outsidePath}});
         },
         UpdateError::unpack},
        {"symlink chain out",
         [&] {
             hostile("symlink chain out", false,
                     {{"a/b/up", AE_IFLNK, {}, "../.."}, {"a/b/c", AE_IFLNK, {}, "up/.."}});
         },
         UpdateError::unpack},
        {"hard link",
         [&] {
             // To a file of the user's elsewhere on the same disk.
             const QString secret = dir.filePath(u"secret.txt"_s);
             writeFile(secret, "secret");
             hostile("hard link", true,
                     {{"Wrenfold.AppDir/h", AE_IFREG, {}, {}, QFile::encodeName(secret)}});
         },
         UpdateError::unpack},
        {"device file",
         [&] {
             hostile("device file", true, {{"Wrenfold.AppDir/null", AE_IFCHR}});
         },
         UpdateError::unpack},
        {"zip bomb",
         [&] {
             hostile("zip bomb", false,
                     {{"Wrenfold.AppDir/zeros", AE_IFREG, QByteArray(32 << 20, '\0')}});
         },
         UpdateError::unpack},
        {"truncated archive",
         [&] {
             const QByteArray whole = readFile(release(u"whole"_s));
             serve(u"truncated archive"_s, whole.left(whole.size() / 2));
         },
         UpdateError::unpack},
        {"bundle only in a sub-folder",
         [&] {
             const QString stage = dir.filePath(u"stage-nested"_s);
             makeBundle(stage + u"/release/Wrenfold.AppDir"_s, "new");
             platform::BundleSignature::sign(stage + u"/release/Wrenfold.AppDir"_s, keys.secretKey,
                                             u"x"_s);
             pack(u"bundle only in a sub-folder"_s, stage);
         },
         UpdateError::notFound},
        {"unsigned", [&] { release(u"unsigned"_s, {}, remove("wrenfold-files.txt.minisig")); },
         UpdateError::badSignature},
        {"signed by another key",
         [&] {
             release(u"signed by another key"_s, {}, [](const QString &bundle) {
                 platform::BundleSignature::sign(
                     bundle, platform::Minisign::generateKeyPair().secretKey, u"x"_s);
             });
         },
         UpdateError::badSignature},
        {"file altered",
         [&] {
             release(u"file altered"_s, {}, [](const QString &bundle) {
                 writeFile(bundle + u"/usr/bin/wrenfold"_s, "evil");
             });
         },
         UpdateError::badSignature},
        {"file added",
         [&] {
             release(u"file added"_s, {}, [](const QString &bundle) {
                 writeFile(bundle + u"/usr/lib/libevil.so"_s, "evil");
             });
         },
         UpdateError::badSignature},
        {"file removed", [&] { release(u"file removed"_s, {}, remove("usr/bin/wrenfold")); },
         UpdateError::badSignature},
        {"404", [&] { serve(u"404"_s, "gone", 404); }, UpdateError::download},
        {"500", [&] { serve(u"500"_s, readFile(release(u"fine"_s)), 500); }, UpdateError::download},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        row.prepare();
        const auto failure = install(offer(QString::fromLatin1(row.name)));
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->error, row.expected) << failure->detail.toStdString();
        EXPECT_TRUE(installedUntouched());
        EXPECT_FALSE(QFileInfo::exists(outside()));
        EXPECT_FALSE(QFileInfo::exists(marker));
    }
}

TEST_F(SelfUpdaterTest, refusedBeforeAnyDownload)
{
    release(u"fine"_s);
    struct Row {
        const char *name;
        QString bundle;
        QUrl url;
        UpdateError expected;
    };
    QUrl http = offer(u"fine"_s).downloadURL;
    http.setScheme(u"http"_s);
    const QString appImage = dir.filePath(u"tmp/.mount_WrenfoXYZ/Wrenfold.AppDir"_s);
    makeBundle(appImage, "mounted");
    const Row rows[] = {
        {"http address", installed, http, UpdateError::download},
        {"inside a mounted AppImage", appImage, offer(u"fine"_s).downloadURL,
         UpdateError::readOnlyLocation},
        {"not running from a bundle",
         {},
         offer(u"fine"_s).downloadURL,
         UpdateError::readOnlyLocation},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        installSettings.bundlePath = row.bundle;
        const auto failure = install({u"2.0"_s, row.url, {}});
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->error, row.expected);
    }
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(QDir(installSettings.workRoot).isEmpty())
        << "no work folder before the checks pass";
}

class SwapTest : public SelfUpdaterTest {
protected:
    void TearDown() override
    {
        standIn.kill();
        standIn.waitForFinished();
    }

    /// Installs while a stand-in for the running app lives; the swap waits for it.
    void installWhileRunning(const QString &name)
    {
        standIn.start(u"sleep"_s, {u"600"_s});
        ASSERT_TRUE(standIn.waitForStarted());
        installSettings.processId = standIn.processId();
        const auto failure = install(offer(name));
        ASSERT_FALSE(failure.has_value()) << failure->detail.toStdString();
        EXPECT_TRUE(installedUntouched()) << "nothing is replaced while the app runs";
    }

    void quitStandIn()
    {
        standIn.kill();
        ASSERT_TRUE(standIn.waitForFinished());
    }

    QString unpackedBundle() const
    {
        QDirIterator it(installSettings.workRoot, {u"Wrenfold.AppDir"_s}, QDir::Dirs,
                        QDirIterator::Subdirectories);
        return it.hasNext() ? it.next() : QString();
    }

    QProcess standIn;
};

TEST_F(SwapTest, signedRelease_replacesBundleAfterAppQuits_andStartsNewOne)
{
    struct Row {
        const char *name;
        bool minisignTool;
    };
    const QString minisign = QStandardPaths::findExecutable(u"minisign"_s);
    for (const Row row : {Row{"ours", false}, Row{"tool", true}}) {
        SCOPED_TRACE(row.name);
        const QString name = QString::fromLatin1(row.name);
        if (row.minisignTool) {
            if (minisign.isEmpty())
                continue;
            const QString key = dir.filePath(u"tool.key"_s), pub = dir.filePath(u"tool.pub"_s);
            ASSERT_TRUE(run(minisign, {u"-G"_s, u"-W"_s, u"-s"_s, key, u"-p"_s, pub}));
            installSettings.publicKey = readFile(pub);
            release(name, {}, [&](const QString &bundle) {
                QFile::remove(bundle + u"/wrenfold-files.txt.minisig"_s);
                QProcess::execute(
                    minisign, {u"-S"_s, u"-s"_s, key, u"-m"_s, bundle + u"/wrenfold-files.txt"_s});
            });
        } else {
            release(name);
        }
        installWhileRunning(name);
        quitStandIn();
        ASSERT_TRUE(waitUntil([&] { return readFile(marker) == "new\n"; }, 30000));
        EXPECT_EQ(readFile(installed + u"/usr/bin/wrenfold"_s), "binary new");
        EXPECT_FALSE(QFileInfo::exists(installed + u".bak"_s));
        // Back to the old bundle for the next row.
        ASSERT_TRUE(QDir(installed).removeRecursively());
        makeBundle(installed, "old");
        QFile::remove(marker);
    }
}

TEST_F(SwapTest, failedCopy_restoresOldBundle_andStartsIt)
{
    release(u"fine"_s);
    installWhileRunning(u"fine"_s);
    ASSERT_TRUE(QDir(unpackedBundle()).removeRecursively());
    quitStandIn();
    ASSERT_TRUE(waitUntil([&] { return readFile(marker) == "old\n"; }, 30000));
    EXPECT_TRUE(installedUntouched());
}

} // namespace
