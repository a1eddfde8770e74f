// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/window/settings_window.h"

#include "ui/settings/settings_view.h"

#include <QApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace wrenfold::ui {

SettingsWindow::SettingsWindow(app::AppModel &model, platform::Workspace &workspace,
                               platform::CalendarStore *calendarStore, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("Settings"));
    setObjectName(QStringLiteral("settings"));
    setAttribute(Qt::WA_QuitOnClose, false);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_view = new SettingsView(model, workspace, calendarStore, this);
    column->addWidget(m_view);
}

void SettingsWindow::showCalendars()
{
    show();
    raise();
    activateWindow();
    m_view->showCalendars();
}

void SettingsWindow::showEvent(QShowEvent *event)
{
    if (!m_isPlaced) {
        m_isPlaced = true;
        place();
    }
    QWidget::showEvent(event);
}

void SettingsWindow::place()
{
    // Over the window the user came from, on that window's screen; never past its edges.
    const QWidget *origin = QApplication::activeWindow();
    if (origin == this)
        origin = nullptr;
    QScreen *screen = origin ? origin->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // Leave room for the window frame the desktop adds.
    const QSize room = available.size() - QSize(40, 80);
    const QSize wanted = m_view->sizeHint().boundedTo(room);
    resize(wanted);
    const QPoint centre = origin ? origin->frameGeometry().center() : available.center();
    QRect frame(QPoint(), wanted);
    frame.moveCenter(centre);
    frame.moveLeft(std::clamp(frame.left(), available.left(), available.right() - wanted.width()));
    frame.moveTop(
        std::clamp(frame.top(), available.top() + 20,
                   std::max(available.top() + 20, available.bottom() - wanted.height() - 40)));
    move(frame.topLeft());
}

} // namespace wrenfold::ui
