// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// The model's state, start-up and the notes folder.
#include "app/app_model.h"

#include "core/file_io.h"

#include "app/notes_folder.h"
#include "platform/folder_chooser.h"
#include "platform/folder_reference.h"
#include "platform/workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QThreadPool>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace wrenfold::app {

namespace {

const QString bookmarkKey = u"notesRootBookmark"_s;
const QString rootKey = u"notesRoot"_s;
const QString defaultPerspectiveKey = u"defaultPerspective"_s;
const QString rootNoticeDismissedKey = u"rootNoticeDismissed"_s;

QString absoluteFolder(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

AppModel::AppModel(AppServices services, QObject *parent)
    : QObject(parent), m_services(std::move(services)), m_selectedDate(QDateTime::currentDateTime())
{
    m_calendarStatus = readCalendarStatus();

    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(m_services.saveDelayMs);
    connect(&m_saveTimer, &QTimer::timeout, this, &AppModel::savePendingNote);

    m_recoveryTimer.setSingleShot(true);
    m_recoveryTimer.setInterval(m_services.saveDelayMs);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &AppModel::keepEditorTextRecoverable);
    m_recovery =
        core::RecoveryStore(m_services.recoveryFolder.isEmpty()
                                ? core::RecoveryStore::standardFolder(m_services.environment)
                                : m_services.recoveryFolder);

    m_rootURL = startupNotesFolder(m_services, &m_isRootDefaulted);
    m_store = core::MarkdownStore(m_rootURL, m_services.calendar);
    // Only a first start's folder (or a test's) is made when missing; a folder the user
    // chose that vanished is reported instead (an unmounted disk must not be papered over).
    m_store.setCreatesRoot(m_services.environment.contains(u"VESK_UI_TEST_ROOT"_s) ||
                           m_rootURL == defaultNotesFolder(m_services));

    if (m_services.settings) {
        const QVariant raw = m_services.settings->value(defaultPerspectiveKey);
        if (raw.typeId() == QMetaType::QString || raw.typeId() == QMetaType::QByteArray)
            setDefaultPerspectiveState(core::perspectiveIDFromRawValue(raw.toString()));
        m_isRootNoticeDismissed = m_services.settings->value(rootNoticeDismissedKey).toBool();
    }

    reloadAll();
    settleRecoveredTexts();
    checkForUpdatesOnLaunch();

    m_fileWatchTimer.setInterval(m_services.watchIntervalMs);
    connect(&m_fileWatchTimer, &QTimer::timeout, this, &AppModel::watchNote);
    m_fileWatchTimer.start();

    // Once the window is up, the search worker takes up its cache file and checks every
    // note in the background, so the first search answers from memory. Test worlds (which
    // set VESK_UI_TEST_ROOT) search only when asked.
    if (!m_services.environment.contains(u"VESK_UI_TEST_ROOT"_s)) {
        QTimer::singleShot(3000, this, [this] {
            if (!m_journalSearchWorker)
                setJournalQuery(m_journalQuery);
        });
    }
}

AppModel::~AppModel()
{
    // Typed text must not die with the model; nobody is left to answer a conflict.
    const QSignalBlocker blocker(this);
    if (m_saveTimer.isActive())
        flushNoteForShutdown();
    keepEditorTextRecoverable();
}

// ---- Setters ------------------------------------------------------------------------------

template <typename T> bool AppModel::assign(T &field, const T &value, void (AppModel::*changed)())
{
    if (field == value)
        return false;
    field = value;
    emit(this->*changed)();
    emit modelChanged();
    return true;
}

void AppModel::setSelection(std::optional<AppSection> selection)
{
    assign(m_selection, selection, &AppModel::selectionChanged);
}

void AppModel::setSelectedDate(const QDateTime &date)
{
    assign(m_selectedDate, date, &AppModel::selectedDateChanged);
}

void AppModel::setNoteText(const QString &text)
{
    assign(m_noteText, text, &AppModel::noteTextChanged);
}

void AppModel::setPerspectiveEntries(const QList<core::DailyPerspectiveEntry> &entries)
{
    assign(m_perspectiveEntries, entries, &AppModel::perspectiveEntriesChanged);
}

void AppModel::setNoteDates(const QList<QDate> &dates)
{
    assign(m_noteDates, dates, &AppModel::noteDatesChanged);
}

void AppModel::setPreservedCopies(const QList<QString> &paths)
{
    assign(m_preservedCopies, paths, &AppModel::preservedCopiesChanged);
}

void AppModel::setJournalSearchState(const QString &query,
                                     const QList<JournalSearchResult> &results)
{
    assign(m_journalQuery, query, &AppModel::journalQueryChanged);
    assign(m_journalSearchResults, results, &AppModel::journalSearchResultsChanged);
}

void AppModel::setJournalIndexProgress(std::optional<double> progress)
{
    assign(m_journalIndexProgress, progress, &AppModel::journalIndexProgressChanged);
}

void AppModel::setFlows(const QList<core::FlowItem> &flows)
{
    assign(m_flows, flows, &AppModel::flowsChanged);
}

void AppModel::setCalendarItems(const QList<platform::CalendarItem> &items, bool isCut)
{
    const bool cutChanged = m_isCalendarCut != isCut;
    m_isCalendarCut = isCut;
    if (!assign(m_calendarItems, items, &AppModel::calendarItemsChanged) && cutChanged) {
        emit calendarItemsChanged();
        emit modelChanged();
    }
}

void AppModel::setCalendarStatus(platform::CalendarAuthorization status)
{
    assign(m_calendarStatus, status, &AppModel::calendarStatusChanged);
}

void AppModel::setErrorMessage(const std::optional<QString> &message)
{
    assign(m_errorMessage, message, &AppModel::errorMessageChanged);
}

void AppModel::setPresentNewFlow(bool present)
{
    assign(m_presentNewFlow, present, &AppModel::presentNewFlowChanged);
}

void AppModel::setEditingFlow(const std::optional<core::FlowItem> &flow)
{
    assign(m_editingFlow, flow, &AppModel::editingFlowChanged);
}

void AppModel::setReviewingFlow(const std::optional<core::FlowItem> &flow)
{
    assign(m_reviewingFlow, flow, &AppModel::reviewingFlowChanged);
}

void AppModel::setAvailableUpdate(const std::optional<core::UpdateInfo> &update)
{
    assign(m_availableUpdate, update, &AppModel::availableUpdateChanged);
}

void AppModel::setIsUpdating(bool updating)
{
    assign(m_isUpdating, updating, &AppModel::isUpdatingChanged);
}

void AppModel::setIsCheckingForUpdate(bool checking)
{
    assign(m_isCheckingForUpdate, checking, &AppModel::isCheckingForUpdateChanged);
}

void AppModel::setDefaultPerspectiveState(std::optional<core::PerspectiveID> id)
{
    assign(m_defaultPerspective, id, &AppModel::defaultPerspectiveChanged);
}

void AppModel::setNoteConflict(const std::optional<ExternalEditConflict> &conflict)
{
    assign(m_noteConflict, conflict, &AppModel::noteConflictChanged);
}

void AppModel::announceChange()
{
    emit modelChanged();
}

// ---- Fixed values -------------------------------------------------------------------------

QUrl AppModel::websiteURL()
{
    static const QUrl url(u"https://wrenfold.app/"_s);
    return url;
}

QUrl AppModel::feedbackURL()
{
    static const QUrl url = [] {
        QUrl feedback(u"https://wrenfold.app/feedback"_s);
        QUrlQuery query;
        query.addQueryItem(u"app"_s, u"wrenfold"_s);
        feedback.setQuery(query);
        return feedback;
    }();
    return url;
}

QString AppModel::version()
{
#ifdef WRENFOLD_VERSION
    const QString compiled = QStringLiteral(WRENFOLD_VERSION);
    if (!compiled.isEmpty())
        return compiled;
#endif
    return u"0.1.0"_s;
}

// ---- Start-up and folder ------------------------------------------------------------------

void AppModel::reloadAll()
{
    // Transient files of saves that a crash cut short; off the GUI thread, as the day
    // folders may hold many years.
    QThreadPool::globalInstance()->start([store = m_store] { store.removeStaleTransientFiles(); });
    loadNote();
    refreshNoteLists();
    auto flows = m_store.loadFlows();
    m_flowsUnread = !flows;
    m_flowsOnDisk = flows ? *flows : QList<core::FlowItem>();
    m_flowsStamp = flows ? core::fileStampOf(m_store.flowsURL()) : std::nullopt;
    // Another folder's flows must never be carried into this one.
    setFlows(flows ? *flows : QList<core::FlowItem>());
    if (!flows)
        setErrorMessage(flows.error().message);
    loadCalendarIfAuthorized();
}

void AppModel::chooseRoot()
{
    if (!m_services.folderChooser)
        return;
    const auto chosen = m_services.folderChooser->chooseFolder(tr("Choose"));
    if (!chosen || chosen->isEmpty())
        return;
    const QString path = absoluteFolder(*chosen);
    auto reference = platform::FolderReference::create(path);
    if (!reference) {
        setErrorMessage(reference.error().message);
        return;
    }
    if (m_services.settings)
        m_services.settings->setValue(bookmarkKey, reference->serialise());
    setRootURL(path);
}

void AppModel::setRootURL(const QString &path)
{
    // Text typed for the old folder is written there before the store changes hands, or
    // else kept beside its note or in recovery; never carried into the new folder.
    // Like leaving a day: the editor's text is written even when no save waits (another
    // program may have deleted the file).
    flushNote();
    if (!settleLeftDay(QString()))
        return;
    m_rootURL = path;
    if (m_services.settings)
        m_services.settings->setValue(rootKey, path);
    m_store = core::MarkdownStore(m_rootURL, m_services.calendar);
    m_store.setCreatesRoot(false);
    emit rootURLChanged();
    assign(m_isRootDefaulted, false, &AppModel::isRootDefaultedChanged);
    reloadAll();
    settleRecoveredTexts();
}

void AppModel::dismissRootNotice()
{
    if (m_services.settings)
        m_services.settings->setValue(rootNoticeDismissedKey, true);
    assign(m_isRootNoticeDismissed, true, &AppModel::isRootNoticeDismissedChanged);
}

void AppModel::showRootInFileManager()
{
    if (!m_services.workspace)
        return;
    QDir folder(m_rootURL);
    while (!folder.exists() && !folder.isRoot())
        folder.setPath(QFileInfo(folder.path()).path());
    m_services.workspace->openFile(folder.path());
}

void AppModel::setDefaultPerspective(std::optional<core::PerspectiveID> id)
{
    setDefaultPerspectiveState(id);
    if (!m_services.settings)
        return;
    if (id)
        m_services.settings->setValue(defaultPerspectiveKey, core::rawValue(*id));
    else
        m_services.settings->remove(defaultPerspectiveKey);
}

} // namespace wrenfold::app
