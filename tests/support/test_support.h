// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace wrenfold::testing {

/// Runs the event loop until `predicate` holds or `timeoutMs` passes; true when it held.
bool waitUntil(const std::function<bool()> &predicate, int timeoutMs = 10000);

/// Writes `bytes` to `path`, creating parent folders; false on any failure.
bool writeFile(const QString &path, const QByteArray &bytes);

/// Runs a program with its output discarded; true when it ended with status 0.
bool runQuietly(const QString &program, const QStringList &arguments);

/// The whole file's bytes, or a null QByteArray when it cannot be read.
QByteArray readFile(const QString &path);

} // namespace wrenfold::testing
