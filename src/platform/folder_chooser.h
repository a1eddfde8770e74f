// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QString>

#include <optional>

namespace wrenfold::platform {

/// Asks the user for a folder in a modal panel. The ui layer answers with a file dialog,
/// tests answer directly.
class FolderChooser {
public:
    virtual ~FolderChooser() = default;

    /// The absolute path the user confirmed, or nullopt when the panel was cancelled.
    /// `prompt` is the title of the confirming button.
    virtual std::optional<QString> chooseFolder(const QString &prompt) = 0;
};

} // namespace wrenfold::platform
