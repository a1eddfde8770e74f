// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/flow_markdown.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::core;

namespace {

const QUuid kID = QUuid::fromString(u"0B6F3C1E-5D2A-4C8E-9A57-3F1E2D4C5B6A"_s);
const QString kMarker = u"<!-- vesk-flow: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a -->"_s;

FlowItem flow(const QString &detail, const QString &nextStep)
{
    FlowItem item;
    item.id = kID;
    item.title = u"Garden"_s;
    item.detail = detail;
    item.nextStep = nextStep;
    return item;
}

} // namespace

TEST(FlowMarkdown, appending_writesOnlyNonEmptyParts_afterTheRightSeparator)
{
    const QString title = kMarker + u"\n## Garden\n"_s;
    const struct {
        const char *name;
        QString detail;
        QString nextStep;
        QString before;
        QString text;
    } rows[] = {
        {"title only", {}, {}, {}, title},
        {"step only", {}, u"Buy seeds"_s, {}, title + u"\n**Next step:** Buy seeds\n"_s},
        {"detail only", u"Raised beds"_s, {}, {}, title + u"\nRaised beds\n"_s},
        {"both", u"Beds"_s, u"Dig"_s, {}, title + u"\nBeds\n\n**Next step:** Dig\n"_s},
        {"a detail of spaces is written", u"  "_s, {}, {}, title + u"\n  \n"_s},
        {"after text: an empty line", {}, {}, u"Today"_s, u"Today\n\n"_s + title},
        {"after a line feed: none", {}, {}, u"\n \n"_s, u"\n \n"_s + title},
        {"after spaces: a line feed", {}, {}, u" \t"_s, u" \t\n"_s + title},
        {"after a mention: an empty line", {}, {}, title, title + u"\n\n"_s + title},
    };
    for (const auto &row : rows) {
        const QString text = FlowMarkdown::appending(flow(row.detail, row.nextStep), row.before);
        EXPECT_EQ(text, row.text) << row.name;
        EXPECT_EQ(FlowMarkdown::identifiers(text).size(), row.before == title ? 2 : 1) << row.name;
    }
}

TEST(FlowMarkdown, identifiers_acceptsOnlyExactMarkerLinesWithAUuid)
{
    const QUuid other = QUuid::fromString(u"11111111-2222-3333-4444-555555555555"_s);
    const QString text = u"<!-- vesk-flow: 0B6F3C1E-5D2A-4C8E-9A57-3F1E2D4C5B6A -->\n"
                         u"<!-- vesk-flow: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a --> \n"
                         u"<!-- vesk-flow: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a --!\n"
                         u" <!-- vesk-flow: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a -->\n"
                         u"<!-- vesk-flow: {0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6a} -->\n"
                         u"<!-- vesk-flow: 0b6f3c1e5d2a4c8e9a573f1e2d4c5b6a -->\n"
                         u"<!-- vesk-flow: 0b6f3c1e-5d2a-4c8e-9a57-3f1e2d4c5b6g -->\n"
                         u"<!-- vesk-flow: not-a-uuid -->\n"
                         u"<!-- vesk-flow: -->\n\n\n"
                         u"<!-- vesk-flow: 11111111-2222-3333-4444-555555555555 -->"_s;
    EXPECT_EQ(FlowMarkdown::identifiers(text), (QList<QUuid>{kID, other}));
}
