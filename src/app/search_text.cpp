// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "app/search_text.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace wrenfold::app {

namespace {

bool isAscii(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

void appendAsciiLower(QString &out, QStringView text)
{
    const qsizetype start = out.size();
    out.append(text);
    QChar *data = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = data[i].unicode();
        if (c >= u'A' && c <= u'Z')
            data[i] = QChar(char16_t(c + (u'a' - u'A')));
    }
}

// Normalising a whole note at once is quadratic in Qt; one line at a time stays linear.
QString normalizedFold(QStringView line)
{
    const QString decomposed = line.toString().normalized(QString::NormalizationForm_D);
    QString stripped;
    stripped.reserve(decomposed.size());
    for (qsizetype i = 0; i < decomposed.size(); ++i) {
        const QChar c = decomposed.at(i);
        if (c.isHighSurrogate() && i + 1 < decomposed.size() &&
            decomposed.at(i + 1).isLowSurrogate()) {
            const char32_t ucs4 = QChar::surrogateToUcs4(c, decomposed.at(i + 1));
            if (QChar::category(ucs4) != QChar::Mark_NonSpacing) {
                stripped.append(c);
                stripped.append(decomposed.at(i + 1));
            }
            ++i;
            continue;
        }
        if (c.category() != QChar::Mark_NonSpacing)
            stripped.append(c);
    }
    // Recomposing keeps Hangul syllables and other composed letters whole, so a query
    // cannot match half of one.
    return stripped.normalized(QString::NormalizationForm_C).toCaseFolded();
}

// Below U+0530 (Latin, IPA, combining diacritics, Greek, Cyrillic) no two characters
// compose with each other once the non-spacing marks are gone, so folding a line is
// folding each character by itself: a table lookup instead of two normalisations.
constexpr char16_t tableEnd = 0x0530;

struct FoldEntry {
    char16_t units[2] = {};
    quint8 length = 0;
    bool fits = true;
};

const std::array<FoldEntry, tableEnd> &foldTable()
{
    static const std::array<FoldEntry, tableEnd> table = [] {
        std::array<FoldEntry, tableEnd> entries{};
        for (char16_t c = 0; c < tableEnd; ++c) {
            const QChar character(c);
            const QString folded = normalizedFold(QStringView(&character, 1));
            FoldEntry &entry = entries[c];
            entry.fits = folded.size() <= 2;
            entry.length = quint8(std::min<qsizetype>(folded.size(), 2));
            for (qsizetype i = 0; i < entry.length; ++i)
                entry.units[i] = folded.at(i).unicode();
        }
        return entries;
    }();
    return table;
}

bool appendTableFold(QString &out, QStringView line)
{
    const std::array<FoldEntry, tableEnd> &table = foldTable();
    for (QChar c : line) {
        if (c.unicode() >= tableEnd || !table[c.unicode()].fits)
            return false;
    }
    for (QChar c : line) {
        const FoldEntry &entry = table[c.unicode()];
        out.append(QStringView(entry.units, entry.length));
    }
    return true;
}

void appendFoldedLine(QString &out, QStringView line)
{
    if (isAscii(line)) {
        appendAsciiLower(out, line);
        return;
    }
    if (appendTableFold(out, line))
        return;
    out.append(normalizedFold(line));
}

} // namespace

bool isLineSeparator(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\n' || u == u'\r' || u == 0x0085 || u == 0x2028 || u == 0x2029;
}

QString foldForSearch(QStringView text)
{
    QString out;
    out.reserve(text.size());
    if (isAscii(text)) {
        appendAsciiLower(out, text);
        return out;
    }
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isLineSeparator(text.at(i)))
            continue;
        appendFoldedLine(out, text.sliced(lineStart, i - lineStart));
        if (i < text.size())
            out.append(text.at(i));
        lineStart = i + 1;
    }
    return out;
}

QString excerptForMatch(QStringView text, QStringView folded, qsizetype foldedStart,
                        qsizetype foldedLength)
{
    // Folding keeps every line separator, so line numbers carry over from the folded
    // text to the original even where folding changed the length of a line.
    qsizetype firstLine = 0;
    for (qsizetype i = 0; i < foldedStart && i < folded.size(); ++i) {
        if (isLineSeparator(folded.at(i)))
            ++firstLine;
    }
    qsizetype lastLine = firstLine;
    const qsizetype end = std::min(folded.size(), foldedStart + foldedLength);
    for (qsizetype i = foldedStart; i < end; ++i) {
        if (isLineSeparator(folded.at(i)))
            ++lastLine;
    }

    qsizetype line = 0;
    qsizetype begin = 0;
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        if (!isLineSeparator(text.at(i)))
            continue;
        if (line == lastLine)
            break;
        ++line;
        if (line == firstLine)
            begin = i + 1;
    }
    if (firstLine > line)
        return {};
    return text.sliced(begin, i - begin).trimmed().toString();
}

QString firstUsefulLineOf(const QString &text)
{
    if (std::optional<QString> line = usefulLineIn(text))
        return *line;
    return QCoreApplication::translate("wrenfold::app::AppModel", "Empty note");
}

std::optional<QString> usefulLineIn(const QString &text)
{
    static const QRegularExpression heading(u"^#{1,6}\\s+"_s,
                                            QRegularExpression::UseUnicodePropertiesOption);
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QStringView line = QStringView(text).sliced(start, end - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        qsizetype first = 0;
        while (first < line.size() && (line.at(first) == u' ' || line.at(first) == u'\t'))
            ++first;
        const QStringView rest = line.sliced(first);
        bool blank = true;
        for (QChar c : rest) {
            if (c != u' ' && c != u'\t') {
                blank = false;
                break;
            }
        }
        if (!blank && !rest.startsWith(u"<!--")) {
            QString result = line.toString();
            result.remove(heading);
            return result;
        }
        start = end + 1;
    }
    return std::nullopt;
}

} // namespace wrenfold::app
