// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace wrenfold::core {

/// A failure a user can act on: the message names the file and the cause.
struct Error {
    QString message;
    friend bool operator==(const Error &, const Error &) = default;
};

/// Success is std::nullopt; `if (auto error = store.saveNote(note))` reads as "on failure".
using Status = std::optional<Error>;

/// A value or an Error.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_data(std::move(value)) {}
    Result(Error error) : m_data(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_data); }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<T>(m_data); }
    T &value() & { return std::get<T>(m_data); }
    T &&value() && { return std::get<T>(std::move(m_data)); }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &std::get<T>(m_data); }

    const Error &error() const { return std::get<Error>(m_data); }

private:
    std::variant<T, Error> m_data;
};

} // namespace wrenfold::core
