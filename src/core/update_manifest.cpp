// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/update_manifest.h"

#include <QChar>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QList>
#include <QUrl>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace wrenfold::core::UpdateManifest {

namespace {

// Every character must be numeric in the Unicode sense (digits of other scripts, "½" and
// "Ⅻ" included); an empty part is invalid.
bool isNumericPart(QStringView part)
{
    if (part.isEmpty())
        return false;
    const QList<uint> codePoints = part.toUcs4();
    return std::all_of(codePoints.cbegin(), codePoints.cend(),
                       [](uint c) { return QChar::isNumber(char32_t(c)); });
}

// ASCII decimal digits only, within a signed 64-bit integer; anything else gives nullopt.
std::optional<qint64> asciiInteger(QStringView part)
{
    qint64 value = 0;
    for (QChar c : part) {
        const char16_t unit = c.unicode();
        if (unit < u'0' || unit > u'9')
            return std::nullopt;
        const int digit = unit - u'0';
        if (value > (std::numeric_limits<qint64>::max() - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// The validated parts as integers. Numerals that are not ASCII digits, or too large, are
// left out of the list rather than making the whole version invalid.
std::optional<QList<qint64>> versionParts(const QString &version)
{
    const QList<QStringView> parts = QStringView(version).split(u'.');
    if (!std::all_of(parts.cbegin(), parts.cend(), isNumericPart))
        return std::nullopt;
    QList<qint64> numbers;
    numbers.reserve(parts.size());
    for (QStringView part : parts) {
        if (const std::optional<qint64> number = asciiInteger(part))
            numbers.append(*number);
    }
    return numbers;
}

std::optional<QUrl> downloadUrl(const QString &text)
{
    // The scheme is compared as written: "HTTPS://..." is not accepted.
    if (!text.startsWith(u"https:"))
        return std::nullopt;
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != u"https" || url.host().isEmpty())
        return std::nullopt;
    return url;
}

} // namespace

std::optional<UpdateInfo> offer(const QByteArray &body, const QString &currentVersion)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject manifest = document.object();

    const QJsonValue version = manifest.value(u"version");
    const QJsonValue url = manifest.value(u"url");
    if (!version.isString() || !url.isString())
        return std::nullopt;
    const std::optional<QUrl> download = downloadUrl(url.toString());
    if (!download)
        return std::nullopt;
    if (!isNewer(version.toString(), currentVersion))
        return std::nullopt;

    const QJsonValue notes = manifest.value(u"notes");
    return UpdateInfo{version.toString(), *download,
                      notes.isString() ? notes.toString() : QString()};
}

bool isNewer(const QString &candidate, const QString &current)
{
    const std::optional<QList<qint64>> candidateParts = versionParts(candidate);
    const std::optional<QList<qint64>> currentParts = versionParts(current);
    if (!candidateParts || !currentParts)
        return false;
    const qsizetype count = std::max(candidateParts->size(), currentParts->size());
    for (qsizetype i = 0; i < count; ++i) {
        const qint64 left = candidateParts->value(i, 0);
        const qint64 right = currentParts->value(i, 0);
        if (left != right)
            return left > right;
    }
    return false;
}

} // namespace wrenfold::core::UpdateManifest
