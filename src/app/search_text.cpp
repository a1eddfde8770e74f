// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "app/search_text.h"

#include <QCoreApplication>
#include <QRegularExpression>

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
void appendFoldedLine(QString &out, QStringView line)
{
    if (isAscii(line)) {
        appendAsciiLower(out, line);
        return;
    }
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
    out.append(stripped.normalized(QString::NormalizationForm_C).toCaseFolded());
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
