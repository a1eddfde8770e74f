// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/platform_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {

std::optional<QString> DialogFolderChooser::chooseFolder(const QString &prompt)
{
    // The panel belongs to the window the user asked from (settings, or the main window's
    // note on where the journal is kept).
    QWidget *active = QApplication::activeWindow();
    QFileDialog dialog(active ? active : m_parent.data());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!prompt.isEmpty())
        dialog.setLabelText(QFileDialog::Accept, prompt);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    return chosen.first();
}

void DialogCalendarAccessPrompt::askForCalendarAccess(
    const QStringList &sourceNames, std::function<void(platform::CalendarAccessAnswer)> answer)
{
    auto *box = new QMessageBox(m_parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Question);
    box->setWindowTitle(QCoreApplication::translate("CalendarAccessPrompt", "Wrenfold"));
    box->setText(QCoreApplication::translate("CalendarAccessPrompt",
                                             "Allow Wrenfold to read your calendars?"));
    QStringList lines;
    for (const QString &name : sourceNames)
        lines.append(u"• "_s + name);
    box->setInformativeText(
        QCoreApplication::translate("CalendarAccessPrompt",
                                    "Wrenfold shows the events of the day beside your journal. It "
                                    "never changes your calendars.") +
        u"\n\n"_s + lines.join(u'\n'));
    QPushButton *allow = box->addButton(
        QCoreApplication::translate("CalendarAccessPrompt", "Allow"), QMessageBox::AcceptRole);
    QPushButton *dontAllow =
        box->addButton(QCoreApplication::translate("CalendarAccessPrompt", "Don't Allow"),
                       QMessageBox::RejectRole);
    box->setDefaultButton(allow);
    box->setEscapeButton(dontAllow);
    box->setWindowModality(m_parent ? Qt::WindowModal : Qt::ApplicationModal);
    QObject::connect(box, &QMessageBox::finished, box, [box, allow, answer = std::move(answer)] {
        answer(box->clickedButton() == allow ? platform::CalendarAccessAnswer::allow
                                             : platform::CalendarAccessAnswer::dontAllow);
    });
    box->open();
}

void DialogAlerts::inform(const QString &message, const QString &informative)
{
    ask(message, informative, {});
}

int DialogAlerts::ask(const QString &message, const QString &informative,
                      const QStringList &buttons)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(QCoreApplication::translate("Alerts", "Wrenfold"));
    box.setText(message);
    box.setInformativeText(informative);
    QList<QAbstractButton *> added;
    for (const QString &title : buttons)
        added << box.addButton(title,
                               added.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole);
    if (added.isEmpty()) {
        box.setStandardButtons(QMessageBox::Ok);
    } else {
        box.setDefaultButton(qobject_cast<QPushButton *>(added.first()));
        box.setEscapeButton(added.last());
    }
    box.exec();
    return int(added.indexOf(box.clickedButton()));
}

} // namespace wrenfold::ui
