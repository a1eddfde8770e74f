// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The selected day's perspectives: insert, answer, remove, write through.
#include "app/app_model.h"

namespace wrenfold::app {

void AppModel::insertPerspective(const core::Perspective &) {}

void AppModel::updatePerspectiveResponse(const QString &, core::PerspectiveID) {}

void AppModel::removePerspective(core::PerspectiveID) {}

void AppModel::addPerspectiveToToday(const core::Perspective &) {}

void AppModel::savePerspectives() {}

} // namespace wrenfold::app
