// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/local_http_server.h"
#include "support/test_support.h"
#include "update/updater.h"

#include <QDateTime>
#include <QNetworkAccessManager>
#include <QNetworkCacheMetaData>
#include <QNetworkDiskCache>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace wrenfold;
using wrenfold::testing::LocalHttpServer;

namespace {

const QByteArray kValidManifest =
    R"({"version": "2.0", "url": "https://example.org/Wrenfold-2.0.tar.gz"})";

class UpdaterCheck : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_server.listen()); }

    /// Runs one check against `path` and waits for its single answer.
    std::optional<core::UpdateInfo> check(const QByteArray &path,
                                          std::chrono::milliseconds timeout = 10s)
    {
        int calls = 0;
        std::optional<core::UpdateInfo> result;
        update::Updater::check(
            m_server.url(QString::fromLatin1(path)), u"1.9.3"_s, m_session, &m_context,
            [&](std::optional<core::UpdateInfo> offer) {
                ++calls;
                result = std::move(offer);
            },
            timeout);
        EXPECT_EQ(calls, 0) << "the answer must come later, never inside check()";
        EXPECT_TRUE(wrenfold::testing::waitUntil([&] { return calls > 0; }, 30000));
        // Leave room for a stray second call to show up.
        QCoreApplication::processEvents();
        EXPECT_EQ(calls, 1);
        return result;
    }

    LocalHttpServer m_server;
    QNetworkAccessManager m_session;
    QObject m_context;
};

} // namespace

TEST_F(UpdaterCheck, validManifest_offersUpdate_andBypassesCaches)
{
    // A real disk cache that already holds a fresh answer for the address: a check that
    // used it would offer 3.0 without asking the server, and one that stored its answer
    // would replace the entry.
    QTemporaryDir cacheDir;
    ASSERT_TRUE(cacheDir.isValid());
    auto *cache = new QNetworkDiskCache(&m_session);
    cache->setCacheDirectory(cacheDir.path());
    m_session.setCache(cache);
    const QUrl url = m_server.url(u"/manifest.json"_s);
    const QByteArray cachedBody = R"({"version": "3.0", "url": "https://example.org/cached"})";
    QNetworkCacheMetaData meta;
    meta.setUrl(url);
    meta.setSaveToDisk(true);
    meta.setLastModified(QDateTime::currentDateTimeUtc().addSecs(-60));
    meta.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(1));
    meta.setRawHeaders({{"Cache-Control", "max-age=86400"}, {"Content-Type", "application/json"}});
    meta.setAttributes({{QNetworkRequest::HttpStatusCodeAttribute, 200},
                        {QNetworkRequest::HttpReasonPhraseAttribute, QByteArray("OK")}});
    QIODevice *entry = cache->prepare(meta);
    ASSERT_NE(entry, nullptr);
    entry->write(cachedBody);
    cache->insert(entry);

    m_server.setResponse("/manifest.json",
                         {200, kValidManifest, {{"Cache-Control", "max-age=86400"}}});
    for (int round = 1; round <= 2; ++round) {
        const std::optional<core::UpdateInfo> offer = check("/manifest.json");
        ASSERT_TRUE(offer.has_value()) << round;
        EXPECT_EQ(*offer, (core::UpdateInfo{
                              u"2.0"_s, QUrl(u"https://example.org/Wrenfold-2.0.tar.gz"_s), {}}));
        ASSERT_EQ(m_server.requests().size(), round);
        EXPECT_EQ(m_server.requests().last().headers.value("cache-control"), "no-cache");
    }
    const std::unique_ptr<QIODevice> stored(cache->data(url));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->readAll(), cachedBody);
}

TEST_F(UpdaterCheck, everyFailure_isNoUpdate)
{
    using B = LocalHttpServer::Behaviour;
    const struct {
        const char *name;
        LocalHttpServer::Response response;
        std::chrono::milliseconds timeout = 10s;
    } rows[] = {
        {"304 with a valid body", {304, kValidManifest}},
        {"201 with a valid body", {201, kValidManifest}},
        {"404", {404, kValidManifest}},
        {"body over the size limit",
         {200, QByteArray(update::Updater::maximumManifestBytes + 1, ' ') + kValidManifest}},
        {"no answer at all", {200, kValidManifest, {}, B::neverAnswer}, 200ms},
        {"headers, then silence", {200, kValidManifest, {}, B::stallAfterHeaders}, 300ms},
    };
    int index = 0;
    for (const auto &row : rows) {
        const QByteArray path = "/case" + QByteArray::number(index++);
        m_server.setResponse(path, row.response);
        EXPECT_FALSE(check(path, row.timeout).has_value()) << row.name;
        EXPECT_EQ(m_server.requests().size(), index) << row.name;
    }
}

TEST_F(UpdaterCheck, contextGone_handlerIsNotCalled)
{
    m_server.setResponse("/manifest.json", {200, kValidManifest});
    QSignalSpy finished(&m_session, &QNetworkAccessManager::finished);
    bool called = false;
    auto context = std::make_unique<QObject>();
    update::Updater::check(m_server.url(u"/manifest.json"_s), u"1.0"_s, m_session, context.get(),
                           [&](std::optional<core::UpdateInfo>) { called = true; });
    context.reset();
    ASSERT_TRUE(finished.wait(30000));
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
}
