// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Which notes folder a start uses; shared by the window and the terminal commands.
#include "app/notes_folder.h"

#include "app/app_model.h"
#include "platform/folder_reference.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace wrenfold::app {

namespace {

QString absoluteFolder(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString defaultFolder(const AppServices &services)
{
    QString documents = services.documentsFolder;
    if (documents.isEmpty())
        documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A desktop without a documents folder still has a home.
    if (documents.isEmpty())
        documents = QDir::homePath();
    return documents + u"/Vesk Wrenfold"_s;
}

std::optional<QString> restoredRoot(QSettings *settings)
{
    const QString bookmarkKey = u"notesRootBookmark"_s;
    if (!settings)
        return std::nullopt;

    if (!settings->contains(bookmarkKey)) {
        const QString path = settings->value(u"notesRoot"_s).toString();
        if (path.isEmpty())
            return std::nullopt;
        return path;
    }

    const auto reference =
        platform::FolderReference::deserialise(settings->value(bookmarkKey).toByteArray());
    if (!reference)
        return std::nullopt;
    const auto resolved = reference->resolve();
    if (!resolved)
        return std::nullopt;
    if (resolved->isStale) {
        // A reference that cannot be renewed stays as it was; the folder is used anyway.
        auto renewed = platform::FolderReference::create(resolved->path);
        if (renewed)
            settings->setValue(bookmarkKey, renewed->serialise());
    }
    return resolved->path;
}

} // namespace

QString startupNotesFolder(const AppServices &services, bool *isDefaulted)
{
    if (isDefaulted)
        *isDefaulted = false;
    // The test root wins over everything and leaves the preferences alone.
    const QString testRootVariable = u"VESK_UI_TEST_ROOT"_s;
    if (services.environment.contains(testRootVariable))
        return absoluteFolder(services.environment.value(testRootVariable));
    if (auto remembered = restoredRoot(services.settings))
        return absoluteFolder(*remembered);
    if (isDefaulted)
        *isDefaulted = true;
    return absoluteFolder(defaultFolder(services));
}

QString defaultNotesFolder(const AppServices &services)
{
    return absoluteFolder(defaultFolder(services));
}

} // namespace wrenfold::app
