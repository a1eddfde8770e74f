// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QString>
#include <QUrl>

namespace wrenfold::core {

/// An update the manifest offers. `downloadURL` is always absolute https with a host.
struct UpdateInfo {
    QString version;
    QUrl downloadURL;
    QString notes; ///< empty when the manifest gives none
    friend bool operator==(const UpdateInfo &, const UpdateInfo &) = default;
};

} // namespace wrenfold::core
