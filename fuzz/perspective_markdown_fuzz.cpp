// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The perspective block reader on any text, and the round trip: a document read back
// gives the same entries when no field holds a marker and the fields are in the form
// the reader produces.
#include "core/markdown_text.h"
#include "core/perspective_markdown.h"
#include "fuzz_support.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::core;

namespace {

bool holdsMarker(const QString &field)
{
    return field.contains(QStringView(PerspectiveMarkdown::startMarkerPrefix)) ||
           field.contains(QStringView(PerspectiveMarkdown::endMarker));
}

bool holdsMarker(const DailyPerspectiveEntry &entry)
{
    return holdsMarker(entry.name) || holdsMarker(entry.title) || holdsMarker(entry.prompt) ||
           holdsMarker(entry.response);
}

// A name is one run without line feeds or em dashes, a title one line, a prompt one
// non-empty paragraph; every field is trimmed the way the reader trims.
std::optional<DailyPerspectiveEntry> readerForm(PerspectiveID id, QString name, QString title,
                                                QString prompt, QString response)
{
    static const QRegularExpression emptyLine(u"\\n\\s*\\n"_s,
                                              QRegularExpression::UseUnicodePropertiesOption);
    name.remove(u'\n').remove(u'—');
    name = trimmedSpacesAndNewlines(name);
    title.remove(u'\n');
    title = trimmedSpacesAndNewlines(title);
    const QRegularExpressionMatch split = emptyLine.match(prompt);
    if (split.hasMatch())
        prompt.truncate(split.capturedStart());
    prompt = trimmedSpacesAndNewlines(prompt);
    response = trimmedSpacesAndNewlines(response);
    // An empty prompt is no fixed point: the first paragraph of the response would move
    // up into it. The catalogue has no empty prompt.
    if (name.isEmpty() || title.isEmpty() || prompt.isEmpty())
        return std::nullopt;
    return DailyPerspectiveEntry{id, name, title, prompt, response};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Whatever the text, reading never fails, and what was read reads back the same.
    const QString text = fuzz::text(data, size);
    const QList<DailyPerspectiveEntry> read = PerspectiveMarkdown::entries(text);
    (void)PerspectiveMarkdown::identifiers(text);
    bool anyMarker = false;
    for (const DailyPerspectiveEntry &entry : read)
        anyMarker = anyMarker || holdsMarker(entry);
    if (!anyMarker) {
        fuzz::require(PerspectiveMarkdown::entries(PerspectiveMarkdown::document(read)) == read,
                      "entries read from a text do not survive a document round trip");
    }

    // Entries made from the input: four fields each, the identifier from the name's length.
    const QList<QString> fields = fuzz::pieces(data, size, 16);
    QList<DailyPerspectiveEntry> made;
    for (qsizetype i = 0; i + 3 < fields.size(); i += 4) {
        const PerspectiveID id = allPerspectiveIDs()[fields[i].size() % 11];
        const auto entry = readerForm(id, fields[i], fields[i + 1], fields[i + 2], fields[i + 3]);
        if (entry && !holdsMarker(*entry))
            made.append(*entry);
    }
    const QString document = PerspectiveMarkdown::document(made);
    const QList<DailyPerspectiveEntry> readBack = PerspectiveMarkdown::entries(document);
    if (readBack != made) {
        std::fprintf(stderr, "document:\n%s\nwritten %d entries, read %d\n", qPrintable(document),
                     int(made.size()), int(readBack.size()));
        for (const DailyPerspectiveEntry &entry : readBack)
            std::fprintf(stderr, "read [%s] [%s] [%s] [%s]\n", qPrintable(entry.name),
                         qPrintable(entry.title), qPrintable(entry.prompt),
                         qPrintable(entry.response));
        fuzz::fail("a document does not read back as its entries");
    }

    // An open block appended to any text is found again by its marker.
    const QString appended =
        PerspectiveMarkdown::appending(PerspectiveID::ma, u"Ma"_s, fields[1], fields[2], text);
    fuzz::require(appended.startsWith(text), "appending changed the text");
    if (!holdsMarker(fields[1]) && !holdsMarker(fields[2]) && !fields[1].contains(u'\n')) {
        QList<PerspectiveID> expected = PerspectiveMarkdown::identifiers(text);
        expected.append(PerspectiveID::ma);
        fuzz::require(PerspectiveMarkdown::identifiers(appended) == expected,
                      "the appended block's marker is not found");
    }
    return 0;
}
