// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Update checks: silent at launch, with feedback on request, and the hand-over to the
// installer.
#include "app/app_model.h"

namespace wrenfold::app {

void AppModel::checkForUpdatesOnLaunch() {}

void AppModel::checkForUpdates() {}

void AppModel::promptForUpdate() {}

void AppModel::installUpdate() {}

} // namespace wrenfold::app
