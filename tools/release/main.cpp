// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// wrenfold-release: the steps of `make release` that need the app's own formats.
#include "platform/archive.h"
#include "platform/bundle_signature.h"
#include "platform/minisign.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

#include <termios.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace wrenfold;

namespace {

const char usage[] =
    "usage: wrenfold-release list     <AppDir>\n"
    "       wrenfold-release sign     <AppDir> <minisign secret key file> [trusted comment]\n"
    "       wrenfold-release pack     <AppDir> <archive.zip>\n"
    "       wrenfold-release manifest <version> <https download address> <latest.json>\n"
    "       wrenfold-release check    <archive.zip> <minisign public key file or line>\n"
    "sign asks for the key's password on the terminal when the key is encrypted.\n";

int failWith(const QString &message)
{
    std::fprintf(stderr, "wrenfold-release: %s\n", qPrintable(message));
    return 1;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// One line from the terminal without echo (or from standard input when piped).
QByteArray askPassword()
{
    const bool terminal = ::isatty(STDIN_FILENO);
    termios saved{};
    if (terminal) {
        std::fprintf(stderr, "Password: ");
        ::tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    QTextStream in(stdin);
    const QByteArray line = in.readLine().toUtf8();
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::fprintf(stderr, "\n");
    }
    return line;
}

int sign(const QString &bundle, const QString &keyFile, const QString &comment)
{
    const QByteArray text = readAll(keyFile);
    auto key = platform::Minisign::parseSecretKey(text, {});
    if (!key)
        key = platform::Minisign::parseSecretKey(text, askPassword());
    if (!key)
        return failWith(key.error().message);
    if (core::Status error = platform::BundleSignature::sign(bundle, *key, comment))
        return failWith(error->message);
    return 0;
}

int manifest(const QString &version, const QString &address, const QString &path)
{
    const QUrl url(address);
    if (url.scheme() != u"https"_s || url.host().isEmpty())
        return failWith(u"the download address must be https: "_s + address);
    const QJsonObject object{{u"version"_s, version}, {u"url"_s, address}, {u"notes"_s, QString()}};
    QSaveFile file(path);
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return failWith(file.errorString());
    return 0;
}

/// Unpacks like the installer and verifies the bundle inside.
int check(const QString &archive, const QString &keyText)
{
    const auto key = platform::Minisign::parsePublicKey(
        QFileInfo::exists(keyText) ? readAll(keyText) : keyText.toUtf8());
    if (!key)
        return failWith(u"not a minisign public key: "_s + keyText);
    QTemporaryDir unpacked;
    if (core::Status error = platform::Archive::extract(archive, unpacked.path()))
        return failWith(error->message);
    const QString bundle = unpacked.filePath(u"Wrenfold.AppDir"_s);
    if (!QFileInfo(bundle + u"/AppRun"_s).isExecutable())
        return failWith(u"no Wrenfold.AppDir with an AppRun at the top of the archive"_s);
    if (!platform::BundleSignature::verify(bundle, *key))
        return failWith(u"the bundle is not signed by this key, or changed since"_s);
    std::printf("%s: signed and complete\n", qPrintable(archive));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.value(0);
    core::Status error;
    if (command == u"list"_s && args.size() == 2)
        error = platform::BundleSignature::writeFileList(args[1]);
    else if (command == u"sign"_s && (args.size() == 3 || args.size() == 4))
        return sign(args[1], args[2], args.value(3, u"Wrenfold release"_s));
    else if (command == u"pack"_s && args.size() == 3)
        error = QFile::exists(args[2]) ? core::Error{args[2] + u" exists already"_s}
                                       : platform::Archive::create(args[2], args[1]);
    else if (command == u"manifest"_s && args.size() == 4)
        return manifest(args[1], args[2], args[3]);
    else if (command == u"check"_s && args.size() == 3)
        return check(args[1], args[2]);
    else {
        std::fputs(usage, stderr);
        return 2;
    }
    return error ? failWith(error->message) : 0;
}
