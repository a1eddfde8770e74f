// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUuid>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace wrenfold::fuzz {

/// Stops the run with a message libFuzzer keeps next to the crashing input.
[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

inline void require(bool condition, const char *what)
{
    if (!condition)
        fail(what);
}

/// The input as text. Invalid UTF-8 turns into U+FFFD, as a file read leniently would.
inline QString text(const std::uint8_t *data, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

/// The input cut into `count` texts at NUL bytes; missing pieces are empty.
inline QList<QString> pieces(const std::uint8_t *data, std::size_t size, qsizetype count)
{
    const QList<QByteArray> parts =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0');
    QList<QString> result;
    for (qsizetype i = 0; i < count; ++i)
        result.append(QString::fromUtf8(parts.value(i)));
    return result;
}

/// A UUID made of the first 16 bytes (zeros where the input is shorter).
inline QUuid uuid(const std::uint8_t *data, std::size_t size)
{
    QByteArray bytes(16, '\0');
    for (std::size_t i = 0; i < size && i < 16; ++i)
        bytes[qsizetype(i)] = char(data[i]);
    return QUuid::fromRfc4122(bytes);
}

} // namespace wrenfold::fuzz
