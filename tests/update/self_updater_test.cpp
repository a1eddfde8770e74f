// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/update_world.h"

#include <QDirIterator>
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

    /// Installs the release served as `name`: refused with `error`, nothing replaced,
    /// started or written outside the work folder.
    void expectRefused(const char *name, UpdateError error)
    {
        SCOPED_TRACE(name);
        const auto failure = install(offer(QString::fromLatin1(name)));
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->error, error) << failure->detail.toStdString();
        EXPECT_TRUE(installedUntouched());
        EXPECT_FALSE(QFileInfo::exists(outside));
        EXPECT_FALSE(QFileInfo::exists(marker));
    }

    QString outside = dir.filePath(u"work/outside.txt"_s);
};

TEST_F(SelfUpdaterTest, hostileArchives_areRefused)
{
    const QByteArray outsidePath = QFile::encodeName(outside);
    const QByteArray secret = QFile::encodeName(dir.filePath(u"secret.txt"_s));
    ASSERT_TRUE(writeFile(QFile::decodeName(secret), "the user's own file"));
    const struct {
        const char *name;
        bool tar;
        QList<Item> items;
    } rows[] = {
        {"traversal", false, {{"../../outside.txt"}}},
        {"absolute-path", false, {{outsidePath}}},
        {"symlink-out", false, {{"Wrenfold.AppDir/l", AE_IFLNK, {}, "../../../outside.txt"}}},
        {"absolute-symlink", false, {{"Wrenfold.AppDir/l", AE_IFLNK, {}, outsidePath}}},
        {"symlink-chain-out",
         false,
         {{"a/b/up", AE_IFLNK, {}, "../.."}, {"a/b/c", AE_IFLNK, {}, "up/.."}}},
        {"hard-link", true, {{"Wrenfold.AppDir/h", AE_IFREG, {}, {}, secret}}},
        {"device-file", true, {{"Wrenfold.AppDir/null", AE_IFCHR}}},
        {"zip-bomb", false, {{"Wrenfold.AppDir/zeros", AE_IFREG, QByteArray(32 << 20, '\0')}}},
    };
    for (const auto &row : rows) {
        const QString name = QString::fromLatin1(row.name);
        serve(name, handMade(dir.filePath(name), row.tar, row.items));
        expectRefused(row.name, UpdateError::unpack);
    }
    const QByteArray whole = readFile(release(u"whole"_s));
    serve(u"truncated"_s, whole.left(whole.size() / 2));
    expectRefused("truncated", UpdateError::unpack);
    serve(u"404"_s, "gone", 404);
    expectRefused("404", UpdateError::download);
}

TEST_F(SelfUpdaterTest, unsignedOrTamperedBundles_areRefused)
{
    const auto otherKey = platform::Minisign::generateKeyPair().secretKey;
    using Change = std::function<void(const QString &bundle)>;
    const struct {
        const char *name;
        Change change;
    } rows[] = {
        {"unsigned", [](auto &b) { QFile::remove(b + u"/wrenfold-files.txt.minisig"_s); }},
        {"other-key", [&](auto &b) { platform::BundleSignature::sign(b, otherKey, u"x"_s); }},
        {"altered", [](auto &b) { writeFile(b + u"/usr/bin/wrenfold"_s, "evil"); }},
        {"added", [](auto &b) { writeFile(b + u"/usr/lib/libevil.so"_s, "evil"); }},
        {"removed", [](auto &b) { QFile::remove(b + u"/usr/bin/wrenfold"_s); }},
        {"mode-changed",
         [](auto &b) { QFile::setPermissions(b + u"/usr/bin/wrenfold"_s, QFile::ExeOwner); }},
        {"comment-altered",
         [](auto &b) {
             QByteArray text = readFile(b + u"/wrenfold-files.txt.minisig"_s);
             writeFile(b + u"/wrenfold-files.txt.minisig"_s,
                       text.replace("comment: Wrenfold", "comment: Evil"));
         }},
    };
    for (const auto &row : rows) {
        release(QString::fromLatin1(row.name), row.change);
        expectRefused(row.name, UpdateError::badSignature);
    }

    const QString nested = dir.filePath(u"nested/release/Wrenfold.AppDir"_s);
    makeBundle(nested, "new");
    platform::BundleSignature::sign(nested, keys.secretKey, u"x"_s);
    pack(u"nested"_s, dir.filePath(u"nested/release"_s));
    expectRefused("nested", UpdateError::notFound);
}

TEST_F(SelfUpdaterTest, unfitLocationOrAddress_isRefusedBeforeAnyDownload)
{
    release(u"fine"_s);
    QUrl http = offer(u"fine"_s).downloadURL;
    http.setScheme(u"http"_s);
    const QString appImage = dir.filePath(u"tmp/.mount_WrenfoXYZ/Wrenfold.AppDir"_s);
    makeBundle(appImage, "mounted");
    const struct {
        const char *name;
        QString bundle;
        QUrl url;
        UpdateError expected;
    } rows[] = {
        {"http address", installed, http, UpdateError::download},
        {"mounted AppImage", appImage, offer(u"fine"_s).downloadURL, UpdateError::readOnlyLocation},
        {"no bundle", {}, offer(u"fine"_s).downloadURL, UpdateError::readOnlyLocation},
    };
    for (const auto &row : rows) {
        installSettings.bundlePath = row.bundle;
        const auto failure = install({u"2.0"_s, row.url, {}});
        ASSERT_TRUE(failure.has_value()) << row.name;
        EXPECT_EQ(failure->error, row.expected) << row.name;
    }
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(QDir(installSettings.workRoot).isEmpty()) << "no work folder before the checks";
}

// A step that fails leaves the stand-in app running; the fixture's QProcess ends it.
TEST_F(SelfUpdaterTest, failedCopy_restoresOldBundle_andStartsIt)
{
    release(u"fine"_s);
    startApp();
    const auto failure = install(offer(u"fine"_s));
    ASSERT_FALSE(failure.has_value()) << failure->detail.toStdString();
    EXPECT_TRUE(installedUntouched()) << "nothing is replaced while the app runs";
    QDirIterator unpacked(installSettings.workRoot, {u"Wrenfold.AppDir"_s}, QDir::Dirs,
                          QDirIterator::Subdirectories);
    ASSERT_TRUE(unpacked.hasNext() && QDir(unpacked.next()).removeRecursively());
    quitApp();
    ASSERT_TRUE(waitUntil([&] { return readFile(marker) == "old\n"; }, 30000));
    EXPECT_TRUE(installedUntouched());
}

} // namespace
