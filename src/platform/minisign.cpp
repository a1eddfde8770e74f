// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Ed25519 signatures in minisign's file formats, so a release can be signed with that tool
// or with ours and checked here with libsodium alone.
#include "platform/minisign.h"

#include <QList>

#include <sodium.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace wrenfold::platform::Minisign {

namespace {

constexpr qsizetype keyIdBytes = 8;
constexpr qsizetype hashBytes = crypto_generichash_BYTES_MAX; // 64: BLAKE2b-512
constexpr QByteArrayView legacyAlgorithm = "Ed";
constexpr QByteArrayView hashedAlgorithm = "ED";
constexpr QByteArrayView untrustedPrefix = "untrusted comment:";
constexpr QByteArrayView trustedPrefix = "trusted comment: ";

void ensureSodium()
{
    // Idempotent and thread-safe; fails only without a random source, which would also
    // make every key operation below fail.
    [[maybe_unused]] const int ready = sodium_init();
}

const unsigned char *bytes(const QByteArray &data)
{
    return reinterpret_cast<const unsigned char *>(data.constData());
}

unsigned char *bytes(QByteArray &data)
{
    return reinterpret_cast<unsigned char *>(data.data());
}

QByteArray blake2b(const QByteArray &message, qsizetype size)
{
    QByteArray out(size, Qt::Uninitialized);
    crypto_generichash(bytes(out), size_t(size), bytes(message), size_t(message.size()), nullptr,
                       0);
    return out;
}

std::optional<QByteArray> decodeBase64(const QByteArray &line)
{
    const auto decoded =
        QByteArray::fromBase64Encoding(line.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return *decoded;
}

/// The lines of a key or signature file, without their line ends.
QList<QByteArray> linesOf(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

KeyPair generateKeyPair()
{
    ensureSodium();
    KeyPair pair;
    pair.publicKey.key.resize(crypto_sign_PUBLICKEYBYTES);
    pair.secretKey.key.resize(crypto_sign_SECRETKEYBYTES);
    crypto_sign_keypair(bytes(pair.publicKey.key), bytes(pair.secretKey.key));
    pair.publicKey.keyId.resize(keyIdBytes);
    randombytes_buf(pair.publicKey.keyId.data(), keyIdBytes);
    pair.secretKey.keyId = pair.publicKey.keyId;
    return pair;
}

std::optional<PublicKey> parsePublicKey(const QByteArray &text)
{
    QList<QByteArray> lines = linesOf(text.trimmed());
    if (lines.size() == 2 && lines.first().startsWith(untrustedPrefix))
        lines.removeFirst();
    if (lines.size() != 1)
        return std::nullopt;
    const std::optional<QByteArray> raw = decodeBase64(lines.first());
    if (!raw || raw->size() != 2 + keyIdBytes + crypto_sign_PUBLICKEYBYTES ||
        !raw->startsWith(legacyAlgorithm))
        return std::nullopt;
    return PublicKey{raw->mid(2, keyIdBytes), raw->mid(2 + keyIdBytes)};
}

QByteArray encodePublicKey(const PublicKey &key)
{
    return QByteArray(legacyAlgorithm.toByteArray() + key.keyId + key.key).toBase64();
}

core::Result<SecretKey> parseSecretKey(const QByteArray &fileText, const QByteArray &password)
{
    ensureSodium();
    // Layout: algorithm "Ed", KDF "Sc" (scrypt) or two zero bytes, checksum "B2", salt (32),
    // ops limit and memory limit (8 each, little-endian), then key id, secret key and a
    // BLAKE2b-256 checksum, the last three XOR-ed with the KDF's stream when encrypted.
    constexpr qsizetype saltBytes = crypto_pwhash_scryptsalsa208sha256_SALTBYTES;
    constexpr qsizetype sealedBytes = keyIdBytes + crypto_sign_SECRETKEYBYTES + 32;
    constexpr qsizetype headerBytes = 6 + saltBytes + 16;
    const QList<QByteArray> lines = linesOf(fileText.trimmed());
    const std::optional<QByteArray> raw =
        lines.size() == 2 ? decodeBase64(lines.last()) : std::nullopt;
    if (!raw || raw->size() != headerBytes + sealedBytes || !raw->startsWith(legacyAlgorithm) ||
        raw->mid(4, 2) != "B2")
        return core::Error{u"This is not a minisign secret key."_s};

    QByteArray sealed = raw->mid(headerBytes);
    const QByteArray kdf = raw->mid(2, 2);
    if (kdf == "Sc") {
        const auto limit = [&](qsizetype offset) {
            quint64 value = 0;
            for (int i = 7; i >= 0; --i)
                value = (value << 8) | quint8(raw->at(offset + i));
            return value;
        };
        QByteArray stream(sealedBytes, Qt::Uninitialized);
        if (crypto_pwhash_scryptsalsa208sha256(
                bytes(stream), size_t(stream.size()), password.constData(), size_t(password.size()),
                bytes(*raw) + 6, limit(6 + saltBytes), size_t(limit(6 + saltBytes + 8))) != 0)
            return core::Error{u"The secret key could not be unlocked."_s};
        for (qsizetype i = 0; i < sealed.size(); ++i)
            sealed[i] = char(sealed[i] ^ stream[i]);
        sodium_memzero(stream.data(), size_t(stream.size()));
    } else if (kdf != QByteArrayView("\0\0", 2)) {
        return core::Error{u"This is not a minisign secret key."_s};
    }

    SecretKey key{sealed.left(keyIdBytes), sealed.mid(keyIdBytes, crypto_sign_SECRETKEYBYTES)};
    // Unencrypted keys (minisign -W) carry a zero checksum; the secret key's own public half
    // must match its seed either way.
    const QByteArray stored = sealed.right(32);
    const QByteArray checksum =
        blake2b(QByteArray(legacyAlgorithm.toByteArray() + key.keyId + key.key), 32);
    QByteArray publicHalf(crypto_sign_PUBLICKEYBYTES, Qt::Uninitialized);
    QByteArray secretAgain(crypto_sign_SECRETKEYBYTES, Qt::Uninitialized);
    crypto_sign_seed_keypair(bytes(publicHalf), bytes(secretAgain), bytes(key.key));
    const bool checksumHolds =
        kdf == "Sc" ? stored == checksum : stored == QByteArray(32, '\0') || stored == checksum;
    const bool consistent = secretAgain == key.key;
    sodium_memzero(secretAgain.data(), size_t(secretAgain.size()));
    if (!checksumHolds || !consistent)
        return core::Error{u"Wrong password, or the secret key is damaged."_s};
    return key;
}

QByteArray sign(const QByteArray &message, const SecretKey &key, const QString &trustedComment)
{
    ensureSodium();
    QByteArray signature(crypto_sign_BYTES, Qt::Uninitialized);
    const QByteArray digest = blake2b(message, hashBytes);
    crypto_sign_detached(bytes(signature), nullptr, bytes(digest), size_t(digest.size()),
                         bytes(key.key));

    QByteArray comment = trustedComment.toUtf8();
    comment.replace('\n', ' ').replace('\r', ' ');
    QByteArray global(crypto_sign_BYTES, Qt::Uninitialized);
    const QByteArray signedComment = signature + comment;
    crypto_sign_detached(bytes(global), nullptr, bytes(signedComment), size_t(signedComment.size()),
                         bytes(key.key));

    QByteArray keyIdHex = key.keyId;
    std::reverse(keyIdHex.begin(), keyIdHex.end());
    keyIdHex = keyIdHex.toHex().toUpper();
    return untrustedPrefix.toByteArray() + " signature from Wrenfold secret key " + keyIdHex +
           '\n' + QByteArray(hashedAlgorithm.toByteArray() + key.keyId + signature).toBase64() +
           '\n' + trustedPrefix.toByteArray() + comment + '\n' + global.toBase64() + '\n';
}

bool verify(const QByteArray &message, const QByteArray &signatureFile, const PublicKey &key)
{
    ensureSodium();
    const QList<QByteArray> lines = linesOf(signatureFile);
    if (lines.size() != 4 || !lines[0].startsWith(untrustedPrefix) ||
        !lines[2].startsWith(trustedPrefix) || key.key.size() != crypto_sign_PUBLICKEYBYTES)
        return false;
    const std::optional<QByteArray> raw = decodeBase64(lines[1]);
    const std::optional<QByteArray> global = decodeBase64(lines[3]);
    if (!raw || !global || raw->size() != 2 + keyIdBytes + crypto_sign_BYTES ||
        global->size() != crypto_sign_BYTES || raw->mid(2, keyIdBytes) != key.keyId)
        return false;

    const QByteArray algorithm = raw->left(2);
    const QByteArray signature = raw->mid(2 + keyIdBytes);
    QByteArray signedBytes;
    if (algorithm == hashedAlgorithm)
        signedBytes = blake2b(message, hashBytes);
    else if (algorithm == legacyAlgorithm)
        signedBytes = message;
    else
        return false;
    if (crypto_sign_verify_detached(bytes(signature), bytes(signedBytes),
                                    size_t(signedBytes.size()), bytes(key.key)) != 0)
        return false;

    const QByteArray signedComment = signature + lines[2].mid(trustedPrefix.size());
    return crypto_sign_verify_detached(bytes(*global), bytes(signedComment),
                                       size_t(signedComment.size()), bytes(key.key)) == 0;
}

} // namespace wrenfold::platform::Minisign
