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

TEST(FlowMarkdown, appending_writesOnlyNonEmptyParts)
{
    const struct {
        const char *name;
        QString detail;
        QString nextStep;
        QString mention;
    } rows[] = {
        {"title only", {}, {}, kMarker + u"\n## Garden\n"_s},
        {"step only", {}, u"Buy seeds"_s, kMarker + u"\n## Garden\n\n**Next step:** Buy seeds\n"_s},
        {"detail only", u"Raised beds"_s, {}, kMarker + u"\n## Garden\n\nRaised beds\n"_s},
        {"both", u"Raised beds"_s, u"Buy seeds"_s,
         kMarker + u"\n## Garden\n\nRaised beds\n\n**Next step:** Buy seeds\n"_s},
        {"a detail of spaces is written", u"  "_s, {}, kMarker + u"\n## Garden\n\n  \n"_s},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(FlowMarkdown::appending(flow(row.detail, row.nextStep), {}), row.mention)
            << row.name;
    }
}

TEST(FlowMarkdown, appending_separatorAndRepeatedMentions)
{
    const FlowItem garden = flow({}, {});
    const QString mention = kMarker + u"\n## Garden\n"_s;
    EXPECT_EQ(FlowMarkdown::appending(garden, u"Today"_s), u"Today\n\n"_s + mention);
    EXPECT_EQ(FlowMarkdown::appending(garden, u"\n \n"_s), u"\n \n"_s + mention);
    EXPECT_EQ(FlowMarkdown::appending(garden, u" \t"_s), u" \t\n"_s + mention);

    const QString twice = FlowMarkdown::appending(garden, FlowMarkdown::appending(garden, {}));
    EXPECT_EQ(twice, mention + u"\n\n"_s + mention);
    EXPECT_EQ(FlowMarkdown::identifiers(twice), (QList<QUuid>{kID, kID}));
    EXPECT_EQ(FlowMarkdown::identifiers(FlowMarkdown::appending(garden, u"  "_s)),
              QList<QUuid>{kID});
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
