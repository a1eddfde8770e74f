// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Flow mentions on any text: appending keeps the text and adds exactly one identity.
#include "core/flow_markdown.h"
#include "fuzz_support.h"

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QList<QString> fields = fuzz::pieces(data, size, 4);
    FlowItem flow;
    flow.id = fuzz::uuid(data, size);
    flow.title = fields[1];
    flow.detail = fields[2];
    flow.nextStep = fields[3];
    const QString &text = fields[0];

    const QList<QUuid> before = FlowMarkdown::identifiers(text);
    const QString after = FlowMarkdown::appending(flow, text);
    fuzz::require(after.startsWith(text), "appending changed the text");
    fuzz::require(after.endsWith(u'\n'), "a mention must end with a line feed");

    const QString markerStart = u"<!-- vesk-flow: "_s;
    if (!flow.title.contains(markerStart) && !flow.detail.contains(markerStart) &&
        !flow.nextStep.contains(markerStart)) {
        QList<QUuid> expected = before;
        expected.append(flow.id);
        fuzz::require(FlowMarkdown::identifiers(after) == expected,
                      "the mention's identity is not found exactly once more");
    }
    return 0;
}
