// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "app/app_section.h"
#include "app/calendar_reads.h"
#include "app/day_activity.h"
#include "app/external_edit_conflict.h"
#include "app/journal_index.h"
#include "app/journal_search_worker.h"
#include "core/calendar.h"
#include "core/journal.h"
#include "core/markdown_store.h"
#include "core/note_listings.h"
#include "core/recovery_store.h"
#include "core/update_info.h"
#include "platform/calendar_item.h"
#include "update/self_updater.h"
#include "update/updater.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QSettings;

namespace wrenfold::core {
struct Perspective;
}

namespace wrenfold::platform {
class Alerts;
class CalendarStore;
class CalendarAccessPrompt;
class FolderChooser;
class Workspace;
} // namespace wrenfold::platform

namespace wrenfold::app {

/// Everything the model reaches outside itself. The model owns none of the pointers; each
/// must outlive it. A null pointer turns the operations that need it into no-ops.
struct AppServices {
    QSettings *settings = nullptr;
    platform::FolderChooser *folderChooser = nullptr;
    platform::Workspace *workspace = nullptr;
    platform::CalendarStore *calendarStore = nullptr;
    platform::CalendarAccessPrompt *calendarPrompt = nullptr;
    /// Read for VESK_UI_TEST_ROOT and DISABLE_AUTO_UPDATE.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    /// The user's documents folder; empty means the home folder.
    QString documentsFolder;
    core::Calendar calendar = core::Calendar::current();
    /// The pause in typing before the note is written, and how often the note file is
    /// looked at for other applications' changes.
    int saveDelayMs = 500;
    int watchIntervalMs = 1000;
    /// Update checks and installation; without a network manager or alerts the update
    /// commands do nothing.
    QNetworkAccessManager *network = nullptr;
    platform::Alerts *alerts = nullptr;
    QUrl manifestURL = update::Updater::manifestAddress();
    update::SelfUpdater::Settings installSettings;
    /// Ends the application once the installer has handed over.
    std::function<void()> quit;
    /// Where unsaved text waits; empty means the standard place below XDG_STATE_HOME
    /// (read from `environment`).
    QString recoveryFolder;
};

/// A note file's identity as the model last saw it. Besides the modification time (to the
/// nanosecond) it holds the status-change time, size and inode, so a write within one
/// timestamp tick, a rename over the file or a sync tool that restores the old
/// modification time still counts as a change.
using NoteFileStamp = core::FileStamp;

/// The application's single controller: the notes folder, the selected day's note and the
/// lists the screens show. Every user action is a call on it; every change of an
/// observable property emits its own signal and then `modelChanged()`. Failures never
/// escape: they set `errorMessage`, which only the window clears.
class AppModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(std::optional<wrenfold::app::AppSection> selection READ selection WRITE setSelection
                   NOTIFY selectionChanged)
    Q_PROPERTY(
        QDateTime selectedDate READ selectedDate WRITE setSelectedDate NOTIFY selectedDateChanged)
    Q_PROPERTY(QString noteText READ noteText NOTIFY noteTextChanged)
    Q_PROPERTY(QList<wrenfold::core::DailyPerspectiveEntry> perspectiveEntries READ
                   perspectiveEntries NOTIFY perspectiveEntriesChanged)
    Q_PROPERTY(QList<QDate> noteDates READ noteDates NOTIFY noteDatesChanged)
    Q_PROPERTY(QList<QString> preservedCopies READ preservedCopies NOTIFY preservedCopiesChanged)
    Q_PROPERTY(QList<wrenfold::core::FlowItem> flows READ flows WRITE setFlows NOTIFY flowsChanged)
    Q_PROPERTY(QList<wrenfold::platform::CalendarItem> calendarItems READ calendarItems NOTIFY
                   calendarItemsChanged)
    Q_PROPERTY(wrenfold::platform::CalendarAuthorization calendarStatus READ calendarStatus NOTIFY
                   calendarStatusChanged)
    Q_PROPERTY(bool isCalendarLoading READ isCalendarLoading NOTIFY calendarLoadingChanged)
    Q_PROPERTY(std::optional<QString> errorMessage READ errorMessage WRITE setErrorMessage NOTIFY
                   errorMessageChanged)
    Q_PROPERTY(bool presentNewFlow READ presentNewFlow WRITE setPresentNewFlow NOTIFY
                   presentNewFlowChanged)
    Q_PROPERTY(std::optional<wrenfold::core::FlowItem> editingFlow READ editingFlow WRITE
                   setEditingFlow NOTIFY editingFlowChanged)
    Q_PROPERTY(std::optional<wrenfold::core::FlowItem> reviewingFlow READ reviewingFlow WRITE
                   setReviewingFlow NOTIFY reviewingFlowChanged)
    Q_PROPERTY(std::optional<wrenfold::core::UpdateInfo> availableUpdate READ availableUpdate NOTIFY
                   availableUpdateChanged)
    Q_PROPERTY(bool isUpdating READ isUpdating NOTIFY isUpdatingChanged)
    Q_PROPERTY(bool isCheckingForUpdate READ isCheckingForUpdate NOTIFY isCheckingForUpdateChanged)
    Q_PROPERTY(std::optional<wrenfold::core::PerspectiveID> defaultPerspective READ
                   defaultPerspective WRITE setDefaultPerspective NOTIFY defaultPerspectiveChanged)
    Q_PROPERTY(std::optional<wrenfold::app::ExternalEditConflict> noteConflict READ noteConflict
                   NOTIFY noteConflictChanged)
    Q_PROPERTY(
        QString journalQuery READ journalQuery WRITE setJournalQuery NOTIFY journalQueryChanged)
    Q_PROPERTY(QList<wrenfold::app::JournalSearchResult> journalSearchResults READ
                   journalSearchResults NOTIFY journalSearchResultsChanged)
    Q_PROPERTY(std::optional<double> journalIndexProgress READ journalIndexProgress NOTIFY
                   journalIndexProgressChanged)
    Q_PROPERTY(bool isRootDefaulted READ isRootDefaulted NOTIFY isRootDefaultedChanged)
    Q_PROPERTY(
        bool isRootNoticeDismissed READ isRootNoticeDismissed NOTIFY isRootNoticeDismissedChanged)

public:
    /// Runs the whole start-up: chooses the notes folder (VESK_UI_TEST_ROOT, the remembered
    /// folder reference, the remembered path, then "<documents>/Vesk Wrenfold"), restores
    /// the default perspective, reloads everything, starts the launch update check and the
    /// one-second watch timer. Writes no preference except a renewed stale reference.
    explicit AppModel(AppServices services, QObject *parent = nullptr);
    ~AppModel() override;

    // ---- Observable state ---------------------------------------------------------------

    std::optional<AppSection> selection() const { return m_selection; }
    /// nullopt means no sidebar row is highlighted (the today screen is shown).
    void setSelection(std::optional<AppSection> selection);

    QDateTime selectedDate() const { return m_selectedDate; }
    /// Only assigns: loads nothing. Use `showDay` for the full change of day.
    void setSelectedDate(const QDateTime &date);

    const QString &noteText() const { return m_noteText; }
    const QList<core::DailyPerspectiveEntry> &perspectiveEntries() const
    {
        return m_perspectiveEntries;
    }
    /// Newest first; a day appears twice when two files name it.
    const QList<QDate> &noteDates() const { return m_noteDates; }
    /// Absolute paths, most recently modified first.
    const QList<QString> &preservedCopies() const { return m_preservedCopies; }

    const QList<core::FlowItem> &flows() const { return m_flows; }
    /// Replaces the list in memory only (the flow editor and list call `saveFlows` next).
    void setFlows(const QList<core::FlowItem> &flows);

    const QList<platform::CalendarItem> &calendarItems() const { return m_calendarItems; }
    platform::CalendarAuthorization calendarStatus() const { return m_calendarStatus; }
    /// True from a load of another day's events until they are in `calendarItems`.
    bool isCalendarLoading() const { return m_isCalendarLoading; }
    /// Whether the day holds more events than `calendarItems` (which stops at
    /// platform::maxEventsPerQuery); changes with `calendarItems`.
    bool isCalendarCut() const { return m_isCalendarCut; }

    const std::optional<QString> &errorMessage() const { return m_errorMessage; }
    /// The window clears the message with nullopt when its alert is dismissed.
    void setErrorMessage(const std::optional<QString> &message);

    bool presentNewFlow() const { return m_presentNewFlow; }
    void setPresentNewFlow(bool present);
    const std::optional<core::FlowItem> &editingFlow() const { return m_editingFlow; }
    void setEditingFlow(const std::optional<core::FlowItem> &flow);
    const std::optional<core::FlowItem> &reviewingFlow() const { return m_reviewingFlow; }
    void setReviewingFlow(const std::optional<core::FlowItem> &flow);

    const std::optional<core::UpdateInfo> &availableUpdate() const { return m_availableUpdate; }
    bool isUpdating() const { return m_isUpdating; }
    bool isCheckingForUpdate() const { return m_isCheckingForUpdate; }

    std::optional<core::PerspectiveID> defaultPerspective() const { return m_defaultPerspective; }
    /// Stores the choice and its raw value under "defaultPerspective"; nullopt removes
    /// the key.
    void setDefaultPerspective(std::optional<core::PerspectiveID> id);

    /// Set while the editor's text and the file both changed; only the three resolutions
    /// clear it.
    const std::optional<ExternalEditConflict> &noteConflict() const { return m_noteConflict; }

    /// The notes folder (absolute path, without a trailing slash).
    const QString &rootURL() const { return m_rootURL; }
    /// True while the notes folder is the default one because nobody chose a folder (no
    /// test root, nothing remembered); false for good once `chooseRoot` switched folders.
    bool isRootDefaulted() const { return m_isRootDefaulted; }
    /// Whether the user closed the note that says where the journal is kept; remembered
    /// across restarts under "rootNoticeDismissed".
    bool isRootNoticeDismissed() const { return m_isRootNoticeDismissed; }
    /// Closes that note for good.
    void dismissRootNotice();
    /// Opens the notes folder in the file manager; before the first entry is written the
    /// folder does not exist yet (nothing is created to show it), so its nearest existing
    /// parent opens instead.
    void showRootInFileManager();
    /// The store over `rootURL`; re-created whenever the folder changes.
    const core::MarkdownStore &store() const { return m_store; }
    /// True while typed text waits for its debounced save.
    bool hasPendingSave() const { return m_saveTimer.isActive(); }
    /// True while the editor holds text that is not in its note file.
    bool hasUnsavedText() const { return m_noteText != m_lastSyncedNoteText; }
    /// The recovery file holding the editor's unsaved text, once written; empty while
    /// the text is in its note, or nowhere but on screen.
    QString recoveryFile() const;
    /// The folder of the recovery files.
    const QString &recoveryFolder() const { return m_recovery.folder(); }

    /// The product's website and feedback form (the feedback address carries
    /// "?app=wrenfold").
    static QUrl websiteURL();
    static QUrl feedbackURL();
    /// The application's version text; "0.1.0" when none was compiled in.
    static QString version();

    // ---- Start-up and folder -------------------------------------------------------------

    /// Reloads the note (with migration), the note lists, the flows and the calendar. A
    /// flows file that cannot be read empties the list and sets `errorMessage`.
    void reloadAll();
    /// Asks for another notes folder; a cancelled panel changes nothing. A folder that
    /// cannot be referenced sets `errorMessage` and keeps the old one. Text still waiting
    /// for its save is written to the old folder first.
    void chooseRoot();

    // ---- Note editing and autosave -----------------------------------------------------

    /// The full change of day every screen uses: `flushNote`, assign the day, `loadNote`,
    /// `loadCalendarIfAuthorized`.
    void showDay(const QDateTime &date);
    /// `showDay` for now, then shows the today section.
    void goToToday();

    /// Loads the selected day's note (running the legacy migration) and perspectives. Text
    /// still waiting for its save is written first, so a reload never drops an edit.
    void loadNote();
    /// The editor's whole text changed: stores it and (re)starts the half-second save.
    void noteChanged(const QString &text);
    /// Writes the editor's text now and cancels the pending save. If the file changed
    /// behind the model's back, nothing is overwritten: the file's text is taken over
    /// when the editor has no unsaved change, otherwise a conflict is raised. A day
    /// without a file and an empty editor writes nothing. With a conflict waiting, keeps
    /// both versions (the editor's text as a preserved copy).
    void flushNote();
    /// For quit, sleep and window close, where no one can answer a conflict: like
    /// `flushNote`, but when both sides changed the editor's text goes to a preserved copy
    /// and the file stays as the other application left it.
    void flushNoteForShutdown();
    /// Flushes, then opens the day's file in the desktop's default editor; creates the
    /// file when it does not exist. "The journal file could not be created." when
    /// there is still no file.
    void openCurrentNoteExternally();

    // ---- External edits and conflicts ----------------------------------------------------

    /// Takes the file's text; writes nothing. No-op without a conflict.
    void resolveConflictUsingExternal();
    /// Writes the editor's text over the file. If the file changed yet again since the
    /// conflict was raised, a new conflict replaces the old one instead. No-op without a
    /// conflict.
    void resolveConflictKeepingLocal();
    /// Writes the editor's text as "<day>.local-<UTC stamp>.md" beside the note (with a
    /// counter when that name exists) and takes the file's text. A failed write keeps
    /// the conflict. No-op without a conflict.
    void resolveConflictKeepingBoth();

    // ---- Habits and flows ----------------------------------------------------------------

    /// Flows whose habit is due on the selected day, in list order; computed on each call.
    QList<core::FlowItem> scheduledHabits() const;
    /// Weekly habits count as done when checked on any day of the selected week.
    bool habitCompleted(const core::FlowItem &flow) const;
    /// `habitCompleted` for each of `flows`, reading each habits file once.
    QList<bool> habitsCompleted(const QList<core::FlowItem> &flows) const;
    /// Checks or unchecks the habit on the selected day (unchecking a weekly habit clears
    /// the whole week), touches the flow's `updatedAt` and emits `modelChanged()`.
    void toggleHabit(const core::FlowItem &flow);
    /// Switches to today when needed, appends a mention of the flow to the note (as an
    /// edit) and shows the today section.
    void addFlowToToday(const core::FlowItem &flow);
    /// Archives an active flow, restores an archived one; unknown flows are ignored.
    void archiveFlow(const core::FlowItem &flow);
    /// Removes the flow with its monthly reviews and writes the list; its habit marks and
    /// mentions stay in the day files. Unknown flows are ignored.
    void deleteFlow(const core::FlowItem &flow);
    /// The stored review of `month`'s month; five empty texts when there is none.
    core::FlowReview review(const core::FlowItem &flow, const QDateTime &month) const;
    /// Stores the review under `month`'s month key (also when all empty); unknown flows
    /// are ignored.
    void updateReview(const core::FlowReview &review, const core::FlowItem &flow,
                      const QDateTime &month);
    /// Writes the whole `flows` list; a failure sets `errorMessage` and keeps memory. A
    /// flows file that cannot be read is never written over; once it can be read again,
    /// its flows come first and the ones added meanwhile follow. When another program
    /// changed the file since it was read, its changes are merged in flow by flow: a flow
    /// only one side changed takes that side's version, one both changed takes the list's.
    void saveFlows();
    /// "2026-01" for any instant in January 2026 in the user's calendar.
    QString monthKey(const QDateTime &date) const;
    /// Emits `modelChanged()` for state that is not an observable property (habit marks).
    void announceChange();

    // ---- Perspectives in the day ---------------------------------------------------------

    /// Appends the perspective with an empty response; a perspective already in the day
    /// changes nothing and writes nothing.
    void insertPerspective(const core::Perspective &perspective);
    /// Stores the text as given and writes the day's perspectives; unknown ids are ignored.
    void updatePerspectiveResponse(const QString &response, core::PerspectiveID id);
    /// Removes the perspective and writes the day's perspectives (also when absent).
    void removePerspective(core::PerspectiveID id);
    /// Switches to today when needed, inserts the perspective and shows the today section.
    void addPerspectiveToToday(const core::Perspective &perspective);
    /// Writes `perspectiveEntries` as the day's perspectives text.
    void savePerspectives();

    // ---- Search and activity -------------------------------------------------------------

    /// Days of `noteDates` whose note contains `query` (trimmed; case and diacritics
    /// ignored), newest first; an empty query lists every day with its first useful line.
    QList<JournalSearchResult> journalResults(const QString &query) const;
    /// The search field's text. Setting it (also to the same text) searches off the GUI
    /// thread; `journalSearchResults` follows when the answer is ready, and again whenever
    /// `noteDates` or a note changes.
    const QString &journalQuery() const { return m_journalQuery; }
    void setJournalQuery(const QString &query);
    /// `journalResults(journalQuery)` as last answered; empty until the first answer.
    const QList<JournalSearchResult> &journalSearchResults() const
    {
        return m_journalSearchResults;
    }
    /// Part of the notes read (0 to 1) while a search has to read many of them, as the
    /// first search after start-up may; nullopt otherwise.
    std::optional<double> journalIndexProgress() const { return m_journalIndexProgress; }
    /// The day's journal, checked habits and flow mentions; an unreadable note gives none.
    DayActivity activity(const QDateTime &date) const;
    /// Whether the day's note mentions the flow and its habit was checked that day.
    FlowDayActivity activity(const core::FlowItem &flow, const QDateTime &date) const;
    /// Up to seven days from the first day of the week holding `selectedDate`.
    QList<QDateTime> datesInSelectedWeek() const;
    /// The first line that is neither blank nor a comment, without a leading "# "
    /// heading marker; "Empty note" when there is none.
    static QString firstUsefulLine(const QString &text);

    // ---- Calendar ------------------------------------------------------------------------

    /// Refreshes `calendarStatus`; with full access starts reading the selected day's events
    /// off the GUI thread and returns at once (`calendarItems` follows when they are read;
    /// for another day it is emptied meanwhile and `isCalendarLoading` is set), otherwise
    /// empties `calendarItems`. Only the newest call's answer is taken.
    void loadCalendarIfAuthorized();
    /// Asks the user for access, then reloads the events; a failure sets `errorMessage`.
    void requestCalendarAccess();

    // ---- Update checks -------------------------------------------------------------------

    /// Silent check at launch; does nothing when DISABLE_AUTO_UPDATE is exactly "true".
    void checkForUpdatesOnLaunch();
    /// User-started check with feedback; ignored while a check or installation runs.
    void checkForUpdates();
    /// Offers `availableUpdate`; no-op when there is none or an installation runs.
    void promptForUpdate();
    /// Flushes the note, installs and quits; a failure re-enables the update items.
    void installUpdate();

signals:
    void selectionChanged();
    void selectedDateChanged();
    void noteTextChanged();
    void perspectiveEntriesChanged();
    void noteDatesChanged();
    void preservedCopiesChanged();
    void flowsChanged();
    void calendarItemsChanged();
    void calendarStatusChanged();
    void calendarLoadingChanged();
    void errorMessageChanged();
    void presentNewFlowChanged();
    void editingFlowChanged();
    void reviewingFlowChanged();
    void availableUpdateChanged();
    void isUpdatingChanged();
    void isCheckingForUpdateChanged();
    void defaultPerspectiveChanged();
    void noteConflictChanged();
    void journalQueryChanged();
    void journalSearchResultsChanged();
    void journalIndexProgressChanged();
    /// The notes folder changed (`chooseRoot`), before everything is reloaded from it.
    void rootURLChanged();
    void isRootDefaultedChanged();
    void isRootNoticeDismissedChanged();
    /// After any observable change, and when `announceChange()` is called.
    void modelChanged();

private:
    enum class FlushMode { interactive, unattended };

    template <typename T> bool assign(T &field, const T &value, void (AppModel::*changed)());

    // Setters for state that only the model changes.
    void setNoteText(const QString &text);
    void setPerspectiveEntries(const QList<core::DailyPerspectiveEntry> &entries);
    void setNoteDates(const QList<QDate> &dates);
    void setPreservedCopies(const QList<QString> &paths);
    void setCalendarItems(const QList<platform::CalendarItem> &items, bool isCut = false);
    void setCalendarStatus(platform::CalendarAuthorization status);
    void setAvailableUpdate(const std::optional<core::UpdateInfo> &update);
    void setIsUpdating(bool updating);
    void setIsCheckingForUpdate(bool checking);
    void setDefaultPerspectiveState(std::optional<core::PerspectiveID> id);
    void setNoteConflict(const std::optional<ExternalEditConflict> &conflict);
    void setJournalSearchState(const QString &query, const QList<JournalSearchResult> &results);
    void setJournalIndexProgress(std::optional<double> progress);

    // Start-up and folder.
    void setRootURL(const QString &path);

    // Note editing.
    /// Walks the whole notes tree for the day and preserved-copy lists.
    void refreshNoteLists();
    /// Updates those lists for the folder of `notePath` only, after a write there.
    void refreshNoteListsAround(const QString &notePath);
    /// Reads the selected day's perspectives; an unreadable file empties the list and
    /// sets `errorMessage` (saves then refuse to overwrite it).
    bool loadDayPerspectives();
    void updateKnownNoteModificationDate(const QString &fileText);
    /// The regular file at `path` as it is now; nullopt when there is none.
    static std::optional<NoteFileStamp> fileStamp(const QString &path);
    bool isKnown(const QString &path, const std::optional<NoteFileStamp> &stamp) const;
    void savePendingNote();
    void writeNote(const QDateTime &date, const QString &text, FlushMode mode);
    void handleChangedFile(const QString &path, const NoteFileStamp &stamp, const QString &text,
                           FlushMode mode);
    void writeOtherDayNote(const QString &path, const QDateTime &date, const QString &text);
    core::ExpectedFile expectedNoteFile(const std::optional<NoteFileStamp> &stamp) const;
    /// Makes the editor's text safe before the editor shows `path` (another note, or none):
    /// a waiting conflict and unsaved text go to preserved copies beside their notes, or
    /// else stay in the recovery store. False when the text could be kept nowhere.
    bool settleLeftDay(const QString &path);

    // Perspectives.
    /// Applies `change` to the day's list and writes it, building on the file as it is now
    /// when another editor changed it (keeping that version beside it where both changed
    /// the same answer).
    void
    changePerspectives(const std::function<void(QList<core::DailyPerspectiveEntry> &)> &change);

    // Recovery of unsaved text.
    /// Puts the editor's unsaved text into its recovery file (or removes that file once
    /// the note holds the text). False when the text is only in memory.
    bool keepEditorTextRecoverable();
    /// The editor moves on while its text is not in its note: the recovery file stays
    /// behind for that note and the user is told where. False when it could not be kept.
    bool leaveTextInRecovery();
    void dropRecovery();
    /// Turns recovered texts that are neither in their note nor beside it into preserved
    /// copies beside the note, when its folder is there; only those of `notePath` when
    /// given. The others stay, and a start-up says once where.
    void settleRecoveredTexts(const QString &notePath = {});
    /// Adds `message` to the one shown, so that neither hides the other.
    void tellUser(const QString &message);

    // External edits and conflicts.
    void watchNote();
    void reloadNoteIfChangedExternally();
    /// Takes over a flows file another program changed (merged with unsaved changes).
    void reloadFlowsIfChangedExternally();
    void raiseConflict(const QString &local, const QString &external);
    core::Result<QString> writePreservedCopy(const QString &notePath, const QString &text) const;
    bool keepBoth(const QString &local, const QString &external);
    /// Writes the waiting conflict's editor text as a preserved copy beside its own note
    /// when that note is not `path`; true when no such conflict is left.
    bool keepConflictOfOtherDay(const QString &path);
    QString currentFileText(const QString &fallback) const;

    // Migration.
    core::Status migrateLegacyContentIfNeeded();

    // Calendar.
    platform::CalendarAuthorization readCalendarStatus() const;
    void setCalendarLoading(bool loading);
    /// Starts the waiting request in the thread pool.
    void startCalendarRead();
    void finishCalendarRead(quint64 generation, const QList<platform::CalendarItem> &items,
                            bool isCut, const platform::CalendarCache &cache);

    AppServices m_services;

    std::optional<AppSection> m_selection = AppSection::today;
    QDateTime m_selectedDate;
    QString m_noteText;
    QList<core::DailyPerspectiveEntry> m_perspectiveEntries;
    QList<QDate> m_noteDates;
    QList<QString> m_preservedCopies;
    core::NoteListings m_noteListings;
    QList<core::FlowItem> m_flows;
    bool m_flowsUnread = false; // the flows file could not be read when the list was loaded
    QList<core::FlowItem> m_flowsOnDisk;         // the flows file as last read or written
    std::optional<core::FileStamp> m_flowsStamp; // ... and its stamp then
    QList<platform::CalendarItem> m_calendarItems;
    platform::CalendarAuthorization m_calendarStatus =
        platform::CalendarAuthorization::notDetermined;
    bool m_isCalendarLoading = false;
    bool m_isCalendarCut = false;
    CalendarReads m_calendarReads;
    std::optional<QString> m_errorMessage;
    bool m_presentNewFlow = false;
    std::optional<core::FlowItem> m_editingFlow;
    std::optional<core::FlowItem> m_reviewingFlow;
    std::optional<core::UpdateInfo> m_availableUpdate;
    bool m_isUpdating = false;
    bool m_isCheckingForUpdate = false;
    std::optional<core::PerspectiveID> m_defaultPerspective;
    std::optional<ExternalEditConflict> m_noteConflict;
    bool m_isRootDefaulted = false;
    bool m_isRootNoticeDismissed = false;

    core::MarkdownStore m_store;
    QString m_rootURL;
    QTimer m_saveTimer;      // single shot, 500 ms: the debounced save
    QTimer m_fileWatchTimer; // repeating, 1 s: the external-edit check
    QDateTime m_noteDate;    // the day the editor's text belongs to (set by loadNote)
    QString m_notePath;      // that day's note file
    QDateTime m_pendingSaveDate;
    QString m_pendingSaveText;
    std::optional<NoteFileStamp> m_knownNoteModificationDate;
    QString m_knownNotePath; // the file `m_knownNoteModificationDate` belongs to
    QString m_knownNoteText; // what that file held at that stamp
    QString m_conflictPath;  // the note file `m_noteConflict` is about
    QString m_lastSyncedNoteText;
    QString m_knownPerspectivesPath; // the perspectives file as last read or written
    QString m_knownPerspectivesText;
    core::RecoveryStore m_recovery;
    QTimer m_recoveryTimer;     // single shot: typed text reaches recovery within a pause
    QString m_recoveryFile;     // the editor's own recovery file, once written
    QString m_recoveryFileText; // what that file holds
    bool m_recoveryFailing = false;
    bool m_waitingForRoot = false; // a save failed because the notes folder was gone
    // Texts of day files for search and activity, checked against each file on every use.
    mutable JournalIndex m_journalIndex;
    QString m_journalQuery;
    QList<JournalSearchResult> m_journalSearchResults;
    std::optional<double> m_journalIndexProgress;
    std::unique_ptr<JournalSearchWorker> m_journalSearchWorker; // made by the first search
};

} // namespace wrenfold::app
