// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The selected day's calendar events and the permission to read them.
#include "app/app_model.h"

namespace wrenfold::app {

platform::CalendarAuthorization AppModel::readCalendarStatus() const
{
    return platform::CalendarAuthorization::notDetermined;
}

void AppModel::loadCalendarIfAuthorized() {}

void AppModel::requestCalendarAccess() {}

} // namespace wrenfold::app
