// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QString>

namespace wrenfold::app {

struct AppServices;

/// The notes folder a start chooses, absolute and clean: VESK_UI_TEST_ROOT from the
/// services' environment, else the remembered folder reference ("notesRootBookmark"; a
/// stale one is renewed in the settings), else the remembered path ("notesRoot"), else
/// "<documents>/Vesk Wrenfold" (the home folder standing in for a missing documents
/// folder). A reference whose folder is gone falls through to the default, not to the
/// remembered path. Creates nothing on disk. `*isDefaulted`, when given, says
/// whether the default was taken.
QString startupNotesFolder(const AppServices &services, bool *isDefaulted = nullptr);

/// "<documents>/Vesk Wrenfold", absolute and clean: the folder a first start uses.
QString defaultNotesFolder(const AppServices &services);

} // namespace wrenfold::app
