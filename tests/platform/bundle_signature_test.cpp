// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "platform/archive.h"
#include "platform/bundle_signature.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace wrenfold::platform;
using wrenfold::testing::readFile;
using wrenfold::testing::writeFile;

namespace {

class BundleSignatureTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        bundle = m_dir.filePath(u"Wrenfold.AppDir"_s);
        makeBundle();
    }

    void makeBundle()
    {
        ASSERT_TRUE(QDir(bundle).removeRecursively());
        ASSERT_TRUE(writeFile(bundle + u"/AppRun"_s, "#!/bin/sh\n"));
        ASSERT_TRUE(QFile::setPermissions(bundle + u"/AppRun"_s,
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        ASSERT_TRUE(writeFile(bundle + u"/usr/bin/wrenfold"_s, "binary"));
        ASSERT_TRUE(writeFile(bundle + u"/usr/share/wrenfold ✓.txt"_s, "unicode name"));
        ASSERT_TRUE(QFile::link(u"usr/bin/wrenfold"_s, bundle + u"/wrenfold"_s));
    }

    /// Runs a tool and says whether it ended with status 0.
    static bool run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(program, arguments);
        return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    QString path(const QString &relative) const { return bundle + u'/' + relative; }

    QTemporaryDir m_dir;
    QString bundle;
    Minisign::KeyPair keys = Minisign::generateKeyPair();
};

TEST_F(BundleSignatureTest, verify_refusesEveryChangeAfterSigning)
{
    struct Row {
        const char *name;
        std::function<bool(BundleSignatureTest &)> change;
        bool accepted;
    };
    const Row rows[] = {
        {"untouched", [](auto &) { return true; }, true},
        {"unsigned", [](auto &t) { return QFile::remove(t.path(u"wrenfold-files.txt.minisig"_s)); },
         false},
        {"list missing", [](auto &t) { return QFile::remove(t.path(u"wrenfold-files.txt"_s)); },
         false},
        {"file altered", [](auto &t) { return writeFile(t.path(u"usr/bin/wrenfold"_s), "evil"); },
         false},
        {"file added", [](auto &t) { return writeFile(t.path(u"usr/lib/libevil.so"_s), ""); },
         false},
        {"file removed",
         [](auto &t) { return QFile::remove(t.path(u"usr/share/wrenfold ✓.txt"_s)); }, false},
        {"mode changed",
         [](auto &t) { return QFile::setPermissions(t.path(u"AppRun"_s), QFile::ReadOwner); },
         false},
        {"link retargeted",
         [](auto &t) {
             return QFile::remove(t.path(u"wrenfold"_s)) &&
                    QFile::link(u"AppRun"_s, t.path(u"wrenfold"_s));
         },
         false},
        {"signed list edited to match an altered file",
         [](auto &t) {
             return writeFile(t.path(u"usr/bin/wrenfold"_s), "evil") &&
                    !BundleSignature::writeFileList(t.bundle).has_value();
         },
         false},
        {"signed by another key",
         [](auto &t) {
             return !BundleSignature::sign(t.bundle, Minisign::generateKeyPair().secretKey, u"x"_s)
                         .has_value();
         },
         false},
        {"trusted comment altered",
         [](auto &t) {
             QByteArray text = readFile(t.path(u"wrenfold-files.txt.minisig"_s));
             text.replace("trusted comment: Wrenfold", "trusted comment: Evil");
             return writeFile(t.path(u"wrenfold-files.txt.minisig"_s), text);
         },
         false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        makeBundle();
        ASSERT_FALSE(BundleSignature::sign(bundle, keys.secretKey, u"Wrenfold 2.0"_s));
        ASSERT_TRUE(row.change(*this));
        EXPECT_EQ(BundleSignature::verify(bundle, keys.publicKey), row.accepted);
    }
}

TEST_F(BundleSignatureTest, minisignTool_andOurs_acceptEachOthersSignatures)
{
    const QString minisign = QStandardPaths::findExecutable(u"minisign"_s);
    if (minisign.isEmpty())
        GTEST_SKIP() << "minisign is not installed";
    const QString secretFile = m_dir.filePath(u"tool.key"_s);
    const QString publicFile = m_dir.filePath(u"tool.pub"_s);
    ASSERT_TRUE(run(minisign, {u"-G"_s, u"-W"_s, u"-s"_s, secretFile, u"-p"_s, publicFile}));
    const auto toolPublic = Minisign::parsePublicKey(readFile(publicFile));
    ASSERT_TRUE(toolPublic);

    // The tool signs the list we wrote; we accept it, and a bundle changed since is refused.
    ASSERT_FALSE(BundleSignature::writeFileList(bundle));
    ASSERT_TRUE(run(minisign, {u"-S"_s, u"-s"_s, secretFile, u"-m"_s, path(u"wrenfold-files.txt"_s),
                               u"-t"_s, u"Wrenfold 2.0"_s}));
    EXPECT_TRUE(BundleSignature::verify(bundle, *toolPublic));
    EXPECT_FALSE(BundleSignature::verify(bundle, keys.publicKey));

    // We sign with the tool's key file; the tool accepts our signature.
    const auto toolSecret = Minisign::parseSecretKey(readFile(secretFile), {});
    ASSERT_TRUE(toolSecret.ok()) << toolSecret.error().message.toStdString();
    ASSERT_FALSE(BundleSignature::sign(bundle, *toolSecret, u"ours"_s));
    EXPECT_TRUE(
        run(minisign, {u"-V"_s, u"-p"_s, publicFile, u"-m"_s, path(u"wrenfold-files.txt"_s)}));
    EXPECT_TRUE(BundleSignature::verify(bundle, *toolPublic));

    EXPECT_FALSE(Minisign::parseSecretKey(readFile(publicFile), {}).ok());
    EXPECT_FALSE(Minisign::parsePublicKey("untrusted comment: x\nRWQ-not-base64\n"));
}

TEST_F(BundleSignatureTest, zipRoundTrip_keepsLinksModesAndSignature)
{
    // Signed by a relative path, as `make release` does, verified at another place.
    const QString workingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const auto signError = BundleSignature::sign(u"Wrenfold.AppDir"_s, keys.secretKey, u"x"_s);
    ASSERT_TRUE(QDir::setCurrent(workingFolder));
    ASSERT_FALSE(signError);
    const QString archive = m_dir.filePath(u"update.zip"_s);
    const QString target = m_dir.filePath(u"unpacked"_s);
    ASSERT_FALSE(Archive::create(archive, bundle));
    ASSERT_TRUE(QDir().mkpath(target));
    const wrenfold::core::Status unpacked = Archive::extract(archive, target);
    ASSERT_FALSE(unpacked) << unpacked->message.toStdString();
    EXPECT_TRUE(BundleSignature::verify(target + u"/Wrenfold.AppDir"_s, keys.publicKey));
    EXPECT_EQ(QFile::symLinkTarget(target + u"/Wrenfold.AppDir/wrenfold"_s),
              target + u"/Wrenfold.AppDir/usr/bin/wrenfold"_s);
}

} // namespace
