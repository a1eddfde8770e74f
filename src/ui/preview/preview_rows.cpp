// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/preview/preview_rows.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

// The prefixes are compared as whole characters: "- " followed by a combining mark is
// not a bullet, because the space and the mark form one character.
bool endsOnCharacterBoundary(const QString &line, qsizetype prefixLength)
{
    if (prefixLength >= line.size())
        return true;
    const QChar next = line.at(prefixLength);
    if (next.unicode() < 0x300)
        return true; // nothing below U+0300 joins the character before it
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
    finder.setPosition(prefixLength);
    return finder.isAtBoundary();
}

bool hasPrefix(const QString &line, QStringView prefix)
{
    return line.startsWith(prefix) && endsOnCharacterBoundary(line, prefix.size());
}

QString taskText(const QString &line)
{
    static const QRegularExpression comment(u"\\s*<!--.*?-->"_s,
                                            QRegularExpression::UseUnicodePropertiesOption);
    QString text = line.mid(6);
    if (text.contains(u"<!--"))
        text.remove(comment);
    return text;
}

} // namespace

std::optional<PreviewRow> renderedLine(const QString &line)
{
    if (hasPrefix(line, u"<!--"))
        return std::nullopt;
    if (hasPrefix(line, u"### "))
        return PreviewRow{0, PreviewRowKind::heading3, line.mid(4)};
    if (hasPrefix(line, u"## "))
        return PreviewRow{0, PreviewRowKind::heading2, line.mid(3)};
    if (hasPrefix(line, u"# "))
        return PreviewRow{0, PreviewRowKind::heading1, line.mid(2)};
    if (hasPrefix(line, u"- [x] ") || hasPrefix(line, u"- [X] "))
        return PreviewRow{0, PreviewRowKind::checkedTask, taskText(line)};
    if (hasPrefix(line, u"- [ ] "))
        return PreviewRow{0, PreviewRowKind::openTask, taskText(line)};
    if (hasPrefix(line, u"- "))
        return PreviewRow{0, PreviewRowKind::bullet, line.mid(2)};
    if (hasPrefix(line, u"> "))
        return PreviewRow{0, PreviewRowKind::quote, line.mid(2)};
    if (line == u"---")
        return PreviewRow{0, PreviewRowKind::divider, {}};
    if (line.isEmpty())
        return PreviewRow{0, PreviewRowKind::spacer, {}};
    return PreviewRow{0, PreviewRowKind::paragraph, line};
}

QList<PreviewRow> previewRows(const QString &markdown)
{
    QList<PreviewRow> rows;
    qsizetype index = 0;
    for (QStringView line : QStringTokenizer(markdown, u'\n')) {
        if (std::optional<PreviewRow> row = renderedLine(line.toString())) {
            row->line = index;
            rows.append(std::move(*row));
        }
        ++index;
    }
    return rows;
}

} // namespace wrenfold::ui
