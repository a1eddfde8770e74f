// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The tables themselves are resources added by the build; a static library needs at least
// one object of its own.
namespace wrenfold::translations {
[[maybe_unused]] constexpr int kTablesAreResources = 1;
} // namespace wrenfold::translations
