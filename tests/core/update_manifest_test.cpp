// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/update_manifest.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::core;

TEST(UpdateManifest, isNewer_table)
{
    const struct {
        QString candidate;
        QString current;
        bool expected;
    } rows[] = {
        {u"1.10"_s, u"1.9"_s, true},
        {u"1.9"_s, u"1.10"_s, false},
        {u"2"_s, u"1.99.99"_s, true},
        {u"1.2.1"_s, u"1.2"_s, true},
        {u"1.2.0"_s, u"1.2"_s, false},
        {u"1.2"_s, u"1.2.0"_s, false},
        {u"1.0"_s, u"1.0.0"_s, false},
        {u"1.02"_s, u"1.2"_s, false},
        {u"1.3"_s, u"1.02"_s, true},
        {u"1.0.0.1"_s, u"1"_s, true},
        {u"1.2-beta"_s, u"1.1"_s, false},
        {u"1.3"_s, u"1.2b"_s, false},
        {u"v2"_s, u"1"_s, false},
        {u""_s, u"1"_s, false},
        {u"2"_s, u""_s, false},
        {u"1..2"_s, u"1"_s, false},
        {u".2"_s, u"1"_s, false},
        {u"2."_s, u"1"_s, false},
        {u" 2"_s, u"1"_s, false},
        {u"-2"_s, u"1"_s, false},
        {u"+2"_s, u"1"_s, false},
        // Past 64 bits a part is dropped, not wrapped around.
        {u"99999999999999999999"_s, u"1"_s, false},
        {u"1.9223372036854775807"_s, u"1.9223372036854775806"_s, true},
        // Numerals of other scripts are valid parts but carry no value.
        {u"2.\u0663"_s, u"2"_s, false},
        {u"3.\u0663"_s, u"2.5"_s, true},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(UpdateManifest::isNewer(row.candidate, row.current), row.expected)
            << row.candidate.toStdString() << " than " << row.current.toStdString();
    }
}

TEST(UpdateManifest, offer_validManifest)
{
    // Notes that are not text are left out; members the app does not know are ignored.
    const std::pair<QByteArray, QString> rows[] = {
        {R"({"version": "2.0", "url": "https://example.org/a", "size": 3})", {}},
        {R"({"version": "2.0", "url": "https://example.org/a", "notes": "Faster \u2728"})",
         u"Faster \u2728"_s},
        {R"({"version": "2.0", "url": "https://example.org/a", "notes": 7})", {}},
    };
    for (const auto &[body, notes] : rows) {
        EXPECT_EQ(UpdateManifest::offer(body, u"1.9.3"_s),
                  (UpdateInfo{u"2.0"_s, QUrl(u"https://example.org/a"_s), notes}))
            << body.constData();
    }
}

TEST(UpdateManifest, offer_rejects)
{
    const struct {
        const char *name;
        QByteArray body;
    } rows[] = {
        {"http address", R"({"version": "2.0", "url": "http://example.org/a"})"},
        {"https without host", R"({"version": "2.0", "url": "https:///a"})"},
        {"https with path only", R"({"version": "2.0", "url": "https:a"})"},
        {"scheme in capitals", R"({"version": "2.0", "url": "HTTPS://example.org/a"})"},
        {"relative address", R"({"version": "2.0", "url": "/downloads/a"})"},
        {"file address", R"({"version": "2.0", "url": "file:///tmp/a"})"},
        {"address with a space", R"({"version": "2.0", "url": "https://example.org/a b"})"},
        {"version as a number", R"({"version": 2.0, "url": "https://example.org/a"})"},
        {"url as an object", R"({"version": "2.0", "url": {"href": "https://example.org/a"}})"},
        {"missing version", R"({"url": "https://example.org/a"})"},
        {"missing url", R"({"version": "2.0"})"},
        {"same version", R"({"version": "1.9.3", "url": "https://example.org/a"})"},
        {"equal once extended", R"({"version": "1.9.3.0", "url": "https://example.org/a"})"},
        {"older version", R"({"version": "1.9", "url": "https://example.org/a"})"},
        {"invalid version", R"({"version": "2.0-beta", "url": "https://example.org/a"})"},
        {"top-level array", R"([{"version": "2.0", "url": "https://example.org/a"}])"},
        {"broken JSON", R"({"version": "2.0", "url": "https://example.org/a")"},
        {"empty body", ""},
        {"invalid UTF-8", "{\"version\": \"2.0\xff\", \"url\": \"https://example.org/a\"}"},
    };
    for (const auto &row : rows)
        EXPECT_FALSE(UpdateManifest::offer(row.body, u"1.9.3"_s).has_value()) << row.name;
}
