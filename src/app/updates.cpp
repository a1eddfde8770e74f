// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
// Update checks: silent at launch, with feedback on request, and the hand-over to the
// installer.
#include "app/app_model.h"

#include "platform/alerts.h"
#include "update/updater.h"

using namespace Qt::StringLiterals;

namespace wrenfold::app {

void AppModel::checkForUpdatesOnLaunch()
{
    // Only the exact value turns it off; "TRUE" or "1" leave the check on.
    if (m_services.environment.value(u"DISABLE_AUTO_UPDATE"_s) == u"true"_s)
        return;
    if (!m_services.network)
        return;
    update::Updater::check(
        m_services.manifestURL, version(), *m_services.network, this,
        [this](std::optional<core::UpdateInfo> offer) { setAvailableUpdate(offer); });
}

void AppModel::checkForUpdates()
{
    if (m_isCheckingForUpdate || m_isUpdating || !m_services.network || !m_services.alerts)
        return;
    setIsCheckingForUpdate(true);
    update::Updater::check(m_services.manifestURL, version(), *m_services.network, this,
                           [this](std::optional<core::UpdateInfo> offer) {
                               setAvailableUpdate(offer);
                               setIsCheckingForUpdate(false);
                               if (offer) {
                                   promptForUpdate();
                                   return;
                               }
                               m_services.alerts->inform(
                                   tr("You’re up to date"),
                                   tr("Wrenfold %1 is the latest version.").arg(version()));
                           });
}

void AppModel::promptForUpdate()
{
    if (!m_availableUpdate || m_isUpdating || !m_services.alerts)
        return;
    const int answer =
        m_services.alerts->ask(tr("A new version of Wrenfold is available"),
                               tr("Wrenfold %1 is ready. The app will update and relaunch.")
                                   .arg(m_availableUpdate->version),
                               {tr("Install"), tr("Later")});
    if (answer == 0)
        installUpdate();
}

void AppModel::installUpdate()
{
    if (!m_availableUpdate || m_isUpdating || !m_services.network || !m_services.alerts)
        return;
    setIsUpdating(true);
    const core::UpdateInfo offer = *m_availableUpdate;
    // The typed text goes to disk before anything is downloaded, so quitting for the swap
    // cannot lose it; text that cannot reach its note stays in the recovery store. When it
    // can be kept nowhere, the app does not quit for an update.
    flushNote();
    if (!keepEditorTextRecoverable()) {
        setIsUpdating(false);
        return;
    }
    update::SelfUpdater::install(
        offer, *m_services.network, m_services.installSettings, this,
        [this](std::optional<update::SelfUpdater::Failure> failure) {
            if (!failure) {
                if (m_services.quit)
                    m_services.quit();
                return;
            }
            setIsUpdating(false);
            m_services.alerts->inform(
                tr("Update failed"),
                tr("Move Wrenfold to a folder you can write to and try again, or download the "
                   "latest version from the website."));
        });
}

} // namespace wrenfold::app
