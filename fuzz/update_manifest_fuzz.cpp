// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The manifest reader on any bytes, and version ordering as a strict order.
#include "core/update_manifest.h"
#include "fuzz_support.h"

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &current : {u"0"_s, u"1.9.3"_s}) {
        if (const std::optional<UpdateInfo> offer = UpdateManifest::offer(bytes, current)) {
            fuzz::require(offer->downloadURL.scheme() == u"https", "offer without https");
            fuzz::require(!offer->downloadURL.host().isEmpty(), "offer without a host");
            fuzz::require(UpdateManifest::isNewer(offer->version, current), "offer not newer");
        }
    }

    const QList<QString> versions = fuzz::pieces(data, size, 3);
    const QString &a = versions[0];
    const QString &b = versions[1];
    const QString &c = versions[2];
    fuzz::require(!UpdateManifest::isNewer(a, a), "a version newer than itself");
    const bool ab = UpdateManifest::isNewer(a, b);
    fuzz::require(!(ab && UpdateManifest::isNewer(b, a)), "two versions newer than each other");
    if (ab && UpdateManifest::isNewer(b, c))
        fuzz::require(UpdateManifest::isNewer(a, c), "ordering is not transitive");
    return 0;
}
