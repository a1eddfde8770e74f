// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

// Error messages here are English diagnostics for logs and the release tool; the app shows
// its own fixed message for every failed update.

#include "core/result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace wrenfold::platform::Minisign {

/// An Ed25519 public key as minisign stores it: 8 key-id bytes, 32 key bytes.
struct PublicKey {
    QByteArray keyId;
    QByteArray key;
};

/// The matching secret half: the same key id and libsodium's 64-byte secret key.
struct SecretKey {
    QByteArray keyId;
    QByteArray key;
};

struct KeyPair {
    PublicKey publicKey;
    SecretKey secretKey;
};

/// A fresh key pair with a random key id.
KeyPair generateKeyPair();

/// Reads a public key from its base64 line ("RWQ...") or from a whole ".pub" file (the
/// base64 line after an "untrusted comment:" line). nullopt for anything else, including
/// a key for another algorithm.
std::optional<PublicKey> parsePublicKey(const QByteArray &text);

/// The base64 line of `key`, as minisign prints it.
QByteArray encodePublicKey(const PublicKey &key);

/// Reads a minisign secret key file. An encrypted key needs `password`; a wrong password
/// or a damaged file fails the checksum and gives an error.
core::Result<SecretKey> parseSecretKey(const QByteArray &fileText, const QByteArray &password);

/// A ".minisig" text for `message`: a pre-hashed ("ED") signature and the global
/// signature over it and `trustedComment` (one line; line breaks are replaced).
QByteArray sign(const QByteArray &message, const SecretKey &key, const QString &trustedComment);

/// True when `signatureFile` is a ".minisig" text made by `key` for exactly `message`,
/// both the pre-hashed ("ED") and the legacy ("Ed") kind, with a valid global signature
/// over its trusted comment. Any malformed line, another key id or a bad signature is
/// false.
bool verify(const QByteArray &message, const QByteArray &signatureFile, const PublicKey &key);

} // namespace wrenfold::platform::Minisign
