// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/icons.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QStyle>

#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

struct SymbolEntry {
    QStringView symbol;
    std::array<QStringView, 3> themeNames; ///< empty views are unused slots
    std::optional<QStyle::StandardPixmap> styleFallback;
    QStringView bundled{}; ///< a resource drawn instead of the theme's icon
};

// The one place where symbol names meet the desktop's icon names. Symbolic (monochrome)
// names come first because they sit best beside text; the full-colour names after them
// cover themes without a symbolic set.
constexpr std::array kSymbols{
    // Sidebar sections
    SymbolEntry{u"sun.max", {u"weather-clear-symbolic", u"weather-clear", u"daytime-sunrise"}, {}},
    SymbolEntry{
        u"calendar", {u"x-office-calendar-symbolic", u"x-office-calendar", u"office-calendar"}, {}},
    SymbolEntry{
        u"book.pages",
        {u"accessories-dictionary-symbolic", u"accessories-dictionary", u"x-office-document"},
        QStyle::SP_FileDialogDetailedView},
    SymbolEntry{u"arrow.triangle.branch",
                {u"media-playlist-shuffle-symbolic", u"vcs-branch", u"media-playlist-shuffle"},
                {}},
    SymbolEntry{u"circle.hexagongrid",
                {u"view-app-grid-symbolic", u"view-grid-symbolic", u"view-grid"},
                QStyle::SP_FileDialogListView},
    // Day header and agenda
    SymbolEntry{
        u"chevron.left", {u"go-previous-symbolic", u"go-previous", {}}, QStyle::SP_ArrowBack},
    SymbolEntry{u"chevron.right", {u"go-next-symbolic", u"go-next", {}}, QStyle::SP_ArrowForward},
    SymbolEntry{u"calendar.badge.exclamationmark",
                {u"appointment-missed-symbolic", u"dialog-warning-symbolic", u"dialog-warning"},
                QStyle::SP_MessageBoxWarning},
    // Habits, perspectives, tasks
    SymbolEntry{u"checkmark.circle",
                {u"emblem-ok-symbolic", u"object-select-symbolic", u"emblem-default"},
                QStyle::SP_DialogApplyButton},
    SymbolEntry{u"checkmark.circle.fill",
                {u"emblem-ok-symbolic", u"object-select-symbolic", u"emblem-default"},
                QStyle::SP_DialogApplyButton},
    SymbolEntry{u"checkmark.square.fill",
                {u"checkbox-checked-symbolic", u"object-select-symbolic", u"emblem-default"},
                QStyle::SP_DialogApplyButton},
    SymbolEntry{u"square", {u"checkbox-symbolic", u"media-playback-stop-symbolic", {}}, {}},
    SymbolEntry{u"circle.fill", {u"media-record-symbolic", u"media-record", {}}, {}},
    SymbolEntry{u"xmark",
                {u"window-close-symbolic", u"window-close", u"edit-delete"},
                QStyle::SP_DialogCloseButton},
    SymbolEntry{u"plus", {u"list-add-symbolic", u"list-add", {}}, {}},
    SymbolEntry{u"plus.circle", {u"list-add-symbolic", u"list-add", {}}, {}},
    SymbolEntry{u"ellipsis.circle", {u"view-more-symbolic", u"open-menu-symbolic", {}}, {}},
    // Editor
    SymbolEntry{u"arrow.up.forward.app",
                {u"document-open-symbolic", u"send-to-symbolic", u"document-open"},
                QStyle::SP_DirOpenIcon},
    SymbolEntry{u"bold", {u"format-text-bold-symbolic", u"format-text-bold", {}}, {}},
    SymbolEntry{u"italic", {u"format-text-italic-symbolic", u"format-text-italic", {}}, {}},
    SymbolEntry{u"textformat.size",
                {u"format-text-heading-symbolic", u"format-text-heading", {}},
                {},
                u":/icons/heading-symbolic.svg"},
    SymbolEntry{
        u"link", {u"insert-link-symbolic", u"insert-link", {}}, {}, u":/icons/link-symbolic.svg"},
    SymbolEntry{u"list.bullet",
                {u"view-list-bullet-symbolic", u"view-list-symbolic", u"format-list-unordered"},
                QStyle::SP_FileDialogListView},
    SymbolEntry{u"checklist",
                {u"checkbox-checked-symbolic", u"view-list-symbolic", u"checkbox"},
                QStyle::SP_DialogApplyButton},
    // Journal and flows screens
    SymbolEntry{
        u"doc.badge.clock",
        {u"document-open-recent-symbolic", u"text-x-generic-symbolic", u"document-open-recent"},
        QStyle::SP_FileIcon},
    SymbolEntry{u"square.and.pencil",
                {u"document-edit-symbolic", u"text-editor-symbolic", u"document-edit"},
                {}},
    SymbolEntry{u"gearshape",
                {u"preferences-system-symbolic", u"emblem-system-symbolic", u"preferences-system"},
                {}},
    SymbolEntry{u"folder", {u"folder-symbolic", u"folder", {}}, QStyle::SP_DirIcon},
    SymbolEntry{u"magnifyingglass", {u"edit-find-symbolic", u"edit-find", {}}, {}},
};

const SymbolEntry *findEntry(QStringView symbol)
{
    for (const SymbolEntry &entry : kSymbols) {
        if (entry.symbol == symbol)
            return &entry;
    }
    return nullptr;
}

QPixmap tinted(const QPixmap &source, const QColor &color)
{
    QPixmap result(source.size());
    result.setDevicePixelRatio(source.devicePixelRatio());
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawPixmap(0, 0, source);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), color);
    return result;
}

// Symbolic theme icons are drawn in one fixed dark grey; redraw them in the palette's text
// colours so they read on dark palettes and on a highlighted row.
QIcon inPaletteColours(const QIcon &symbolic)
{
    const QPalette palette = QApplication::palette();
    QIcon icon;
    for (int size : {16, 18, 20, 24, 32, 40, 48}) {
        const QPixmap base = symbolic.pixmap(size, size);
        if (base.isNull())
            continue;
        icon.addPixmap(tinted(base, palette.color(QPalette::WindowText)), QIcon::Normal);
        icon.addPixmap(tinted(base, palette.color(QPalette::HighlightedText)), QIcon::Selected);
        icon.addPixmap(tinted(base, palette.color(QPalette::Disabled, QPalette::WindowText)),
                       QIcon::Disabled);
    }
    return icon.isNull() ? symbolic : icon;
}

} // namespace

QStringList themeNamesForSymbol(QStringView symbol)
{
    QStringList names;
    if (const SymbolEntry *entry = findEntry(symbol)) {
        for (QStringView name : entry->themeNames) {
            if (!name.isEmpty())
                names.append(name.toString());
        }
    }
    return names;
}

QStringList knownSymbols()
{
    QStringList symbols;
    for (const SymbolEntry &entry : kSymbols)
        symbols.append(entry.symbol.toString());
    return symbols;
}

namespace {

QIcon makeSymbolIcon(QStringView symbol)
{
    const SymbolEntry *entry = findEntry(symbol);
    if (!entry)
        return {};
    const bool gui = qobject_cast<QApplication *>(QCoreApplication::instance());
    // Themes draw Heading as a font sample and Link as anything from a chain to a plug:
    // these two are always our own.
    if (!entry->bundled.isEmpty() && gui)
        return inPaletteColours(QIcon(entry->bundled.toString()));
    for (QStringView name : entry->themeNames) {
        if (name.isEmpty())
            continue;
        const QString themeName = name.toString();
        if (!QIcon::hasThemeIcon(themeName))
            continue;
        const QIcon icon = QIcon::fromTheme(themeName);
        if (themeName.endsWith(u"-symbolic"_s) &&
            qobject_cast<QApplication *>(QCoreApplication::instance()))
            return inPaletteColours(icon);
        return icon;
    }
    if (entry->styleFallback && qobject_cast<QApplication *>(QCoreApplication::instance()))
        return QApplication::style()->standardIcon(*entry->styleFallback);
    return {};
}

} // namespace

QIcon symbolIcon(QStringView symbol)
{
    // Drawing a symbol in the palette's colours takes about a millisecond, and every row of
    // a long list asks for the same few. The key holds all the icon is made from.
    static QHash<QString, QIcon> made;
    QString key = symbol.toString();
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        const QPalette palette = QApplication::palette();
        key += u'|' + QIcon::themeName() + u'|' + QIcon::themeSearchPaths().join(u':') + u'|' +
               QApplication::style()->name() + u'@' +
               QString::number(quintptr(QApplication::style()), 16);
        for (const QColor &colour :
             {palette.color(QPalette::WindowText), palette.color(QPalette::HighlightedText),
              palette.color(QPalette::Disabled, QPalette::WindowText)})
            key += u'|' + QString::number(colour.rgba(), 16);
    }
    if (const auto found = made.constFind(key); found != made.cend())
        return *found;
    const QIcon icon = makeSymbolIcon(symbol);
    made.insert(key, icon);
    return icon;
}

void installIconThemeFallback()
{
    // Platform plugins without a desktop theme (offscreen, minimal) search only the
    // resources; add the freedesktop icon folders the way a desktop session would.
    QStringList searchPaths = QIcon::themeSearchPaths();
    QStringList dataDirs;
    const QString home = QDir::homePath();
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME", home + u"/.local/share"_s);
    dataDirs << dataHome;
    const QString systemDirs =
        qEnvironmentVariable("XDG_DATA_DIRS", u"/usr/local/share:/usr/share"_s);
    dataDirs << systemDirs.split(u':', Qt::SkipEmptyParts);
    QStringList candidates{home + u"/.icons"_s};
    for (const QString &dir : std::as_const(dataDirs))
        candidates << dir + u"/icons"_s;
    for (const QString &candidate : std::as_const(candidates)) {
        if (!searchPaths.contains(candidate) && QFileInfo(candidate).isDir())
            searchPaths << candidate;
    }
    QIcon::setThemeSearchPaths(searchPaths);

    const QString adwaita = u"Adwaita"_s;
    QIcon::setFallbackThemeName(adwaita);
    const QString current = QIcon::themeName();
    if (current.isEmpty() || current == u"hicolor"_s)
        QIcon::setThemeName(adwaita);
}

} // namespace wrenfold::ui
