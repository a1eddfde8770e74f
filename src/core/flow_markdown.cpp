// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/flow_markdown.h"

#include "core/markdown_text.h"

namespace wrenfold::core::FlowMarkdown {

namespace {

constexpr QStringView kMarkerPrefix = u"<!-- vesk-flow: ";
constexpr QStringView kMarkerSuffix = u" -->";

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
}

// Only the canonical hyphenated form; QUuid alone would also take braces.
std::optional<QUuid> parseUuid(QStringView text)
{
    if (text.size() != 36)
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool hyphenPlace = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphenPlace ? text[i] != u'-' : !isHexDigit(text[i]))
            return std::nullopt;
    }
    return QUuid::fromString(text);
}

} // namespace

QString marker(const QUuid &flowID)
{
    return kMarkerPrefix + flowID.toString(QUuid::WithoutBraces) + kMarkerSuffix;
}

QString appending(const FlowItem &flow, const QString &text)
{
    QString mention = marker(flow.id) + u"\n## " + flow.title;
    if (!flow.detail.isEmpty())
        mention += u"\n\n" + flow.detail;
    if (!flow.nextStep.isEmpty())
        mention += u"\n\n**Next step:** " + flow.nextStep;
    mention += u'\n';

    return text + separatorBeforeSection(text) + mention;
}

QList<QUuid> identifiers(const QString &text)
{
    QList<QUuid> result;
    for (QStringView line : QStringView(text).split(u'\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(kMarkerPrefix) || !line.endsWith(kMarkerSuffix))
            continue;
        const qsizetype length = line.size() - kMarkerPrefix.size() - kMarkerSuffix.size();
        if (length < 0)
            continue;
        if (auto id = parseUuid(line.sliced(kMarkerPrefix.size(), length)))
            result.append(*id);
    }
    return result;
}

} // namespace wrenfold::core::FlowMarkdown
