// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "platform/archive.h"
#include "platform/bundle_signature.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::platform;
using wrenfold::testing::readFile;
using wrenfold::testing::writeFile;

namespace {

class BundleSignatureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(writeFile(path(u"AppRun"_s), "#!/bin/sh\n"));
        ASSERT_TRUE(writeFile(path(u"usr/share/wrenfold ✓.txt"_s), "unicode name"));
        ASSERT_TRUE(QFile::link(u"usr/share/wrenfold ✓.txt"_s, path(u"wrenfold"_s)));
    }

    QString path(const QString &relative) const { return bundle + u'/' + relative; }

    QTemporaryDir m_dir;
    QString bundle = m_dir.filePath(u"Wrenfold.AppDir"_s);
    Minisign::KeyPair keys = Minisign::generateKeyPair();
};

TEST_F(BundleSignatureTest, signedBundle_verifiesElsewhere_untilALinkOrTheListChanges)
{
    // Signed by a relative path, as `make release` does, then packed and unpacked.
    const QString workingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const auto signError = BundleSignature::sign(u"Wrenfold.AppDir"_s, keys.secretKey, u"x"_s);
    ASSERT_TRUE(QDir::setCurrent(workingFolder) && !signError);
    const QString archive = m_dir.filePath(u"update.zip"_s);
    const QString target = m_dir.filePath(u"unpacked"_s);
    ASSERT_TRUE(!Archive::create(archive, bundle) && QDir().mkpath(target));
    ASSERT_FALSE(Archive::extract(archive, target));
    bundle = target + u"/Wrenfold.AppDir"_s;
    EXPECT_TRUE(BundleSignature::verify(bundle, keys.publicKey));

    ASSERT_TRUE(QFile::remove(path(u"wrenfold"_s)) &&
                QFile::link(u"AppRun"_s, path(u"wrenfold"_s)));
    EXPECT_FALSE(BundleSignature::verify(bundle, keys.publicKey));
    // A list that matches the bundle again is no longer the signed one.
    ASSERT_FALSE(BundleSignature::writeFileList(bundle));
    EXPECT_FALSE(BundleSignature::verify(bundle, keys.publicKey));
}

TEST_F(BundleSignatureTest, minisignTool_acceptsOurSignature_madeWithItsKeyFile)
{
    const QString minisign = QStandardPaths::findExecutable(u"minisign"_s);
    if (minisign.isEmpty())
        GTEST_SKIP() << "minisign is not installed";
    const QString secretFile = m_dir.filePath(u"tool.key"_s);
    const QString publicFile = m_dir.filePath(u"tool.pub"_s);
    ASSERT_TRUE(wrenfold::testing::runQuietly(
        minisign, {u"-G"_s, u"-W"_s, u"-s"_s, secretFile, u"-p"_s, publicFile}));
    const auto toolSecret = Minisign::parseSecretKey(readFile(secretFile), {});
    ASSERT_TRUE(toolSecret.ok()) << toolSecret.error().message.toStdString();
    ASSERT_FALSE(BundleSignature::sign(bundle, *toolSecret, u"ours"_s));
    EXPECT_TRUE(wrenfold::testing::runQuietly(
        minisign, {u"-V"_s, u"-p"_s, publicFile, u"-m"_s, path(u"wrenfold-files.txt"_s)}));
    const auto toolPublic = Minisign::parsePublicKey(readFile(publicFile));
    EXPECT_TRUE(BundleSignature::verify(bundle, *toolPublic));
    EXPECT_FALSE(Minisign::parseSecretKey(readFile(publicFile), {}).ok());
    // And the tool's own signature of the list, as a release signed by hand has.
    ASSERT_TRUE(QFile::remove(path(u"wrenfold-files.txt.minisig"_s)));
    ASSERT_TRUE(wrenfold::testing::runQuietly(
        minisign, {u"-S"_s, u"-s"_s, secretFile, u"-m"_s, path(u"wrenfold-files.txt"_s)}));
    EXPECT_TRUE(BundleSignature::verify(bundle, *toolPublic));
}

} // namespace
