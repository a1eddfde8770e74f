// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "platform/folder_reference.h"
#include "support/test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using wrenfold::platform::FolderReference;

namespace {

class FolderReferenceTest : public ::testing::Test {
protected:
    QString folder(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_F(FolderReferenceTest, createAndSerialise_roundTripUnicodePathsAndRefuseTheRest)
{
    EXPECT_FALSE(FolderReference::create(m_dir.filePath(u"missing"_s)).ok());
    ASSERT_TRUE(wrenfold::testing::writeFile(m_dir.filePath(u"file"_s), "x"));
    const auto onFile = FolderReference::create(m_dir.filePath(u"file"_s));
    ASSERT_FALSE(onFile.ok());
    EXPECT_TRUE(onFile.error().message.contains(u"file"_s));

    const auto reference = FolderReference::create(folder(u"Notizen für 2026 ✓"_s));
    ASSERT_TRUE(reference.ok());
    const auto read = FolderReference::deserialise(reference->serialise());
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, *reference);
    EXPECT_TRUE(read->path().endsWith(u"Notizen für 2026 ✓"_s));
    for (const QByteArray &bytes : {QByteArray(), QByteArray("not json"), QByteArray("[]"),
                                    QByteArray(R"({"path":"/x","device":"1"})"),
                                    QByteArray(R"({"path":"","device":"1","inode":"2"})"),
                                    QByteArray(R"({"path":"/x","device":1,"inode":2})"),
                                    QByteArray(R"({"path":"/x","device":"-1","inode":"2"})"),
                                    QByteArray(R"({"path":"/x","device":"1","inode":"two"})")})
        EXPECT_FALSE(FolderReference::deserialise(bytes)) << bytes.constData();
}

TEST_F(FolderReferenceTest, resolve_freshThenStaleThenGone)
{
    const QString path = folder(u"notes"_s);
    const auto reference = FolderReference::create(path);
    ASSERT_TRUE(reference.ok());
    const auto fresh = reference->resolve();
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->path, reference->path());
    EXPECT_FALSE(fresh->isStale);

    // Another folder under the same name.
    ASSERT_TRUE(QDir().rename(path, m_dir.filePath(u"notes.moved"_s)));
    folder(u"notes"_s);
    const auto stale = reference->resolve();
    ASSERT_TRUE(stale);
    EXPECT_TRUE(stale->isStale);

    ASSERT_TRUE(QDir(path).removeRecursively());
    ASSERT_TRUE(QDir(m_dir.filePath(u"notes.moved"_s)).removeRecursively());
    EXPECT_FALSE(reference->resolve());
    ASSERT_TRUE(wrenfold::testing::writeFile(path, "now a file"));
    EXPECT_FALSE(reference->resolve());
}

} // namespace
