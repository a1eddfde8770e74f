// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/calendar_sources/calendar_sources_panel.h"

#include "app/app_model.h"
#include "platform/calendar_store.h"
#include "ui/widgets/text_styles.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kAddedRole = Qt::UserRole + 1;

} // namespace

CalendarSourcesPanel::CalendarSourcesPanel(app::AppModel &model, platform::CalendarStore &store,
                                           QWidget *parent)
    : QWidget(parent), m_model(model), m_store(store)
{
    setAccessibleName(tr("Calendars"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);

    m_access = new QCheckBox(tr("Show events from these calendars beside the journal"), this);
    m_access->setAccessibleName(tr("Calendar access"));
    connect(m_access, &QCheckBox::toggled, this, &CalendarSourcesPanel::setAccess);
    column->addWidget(m_access);

    auto *note = new QLabel(tr("Wrenfold only reads calendars; it never changes them. It finds "
                               "vdir calendars (vdirsyncer, khal) and Evolution calendars, and "
                               "reads any iCalendar file or folder you add."),
                            this);
    note->setWordWrap(true);
    applyTextStyle(note, TextStyle::caption);
    applySecondaryColor(note);
    column->addWidget(note);

    m_sources = new QListWidget(this);
    m_sources->setAccessibleName(tr("Calendars found"));
    m_sources->setSelectionMode(QAbstractItemView::SingleSelection);
    // Room for a few calendars without pushing the rest of a form off the screen.
    m_sources->setMinimumHeight(110);
    column->addWidget(m_sources, 1);

    auto *buttons = new QHBoxLayout;
    auto *addFile = new QPushButton(tr("Add File…"), this);
    connect(addFile, &QPushButton::clicked, this, &CalendarSourcesPanel::chooseFiles);
    buttons->addWidget(addFile);
    auto *addFolder = new QPushButton(tr("Add Folder…"), this);
    connect(addFolder, &QPushButton::clicked, this, &CalendarSourcesPanel::chooseFolder);
    buttons->addWidget(addFolder);
    m_remove = new QPushButton(tr("Remove"), this);
    connect(m_remove, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem *item = m_sources->currentItem())
            removeSource(item->data(kPathRole).toString());
    });
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    column->addLayout(buttons);

    connect(m_sources, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        m_remove->setEnabled(item && item->data(kAddedRole).toBool());
    });
    refresh();
}

void CalendarSourcesPanel::refresh()
{
    const platform::CalendarAuthorization status = m_store.authorizationStatus();
    {
        const QSignalBlocker blocker(m_access);
        m_access->setChecked(status == platform::CalendarAuthorization::fullAccess);
    }
    m_sources->clear();
    for (const platform::CalendarSource &source : m_store.sources()) {
        QString text = source.name + u"\n"_s + QDir::toNativeSeparators(source.path);
        if (!source.isReadable)
            text += u"  "_s + tr("(cannot be read)");
        auto *item = new QListWidgetItem(text, m_sources);
        item->setData(kPathRole, source.path);
        item->setData(kAddedRole, source.isUserAdded);
        item->setData(Qt::AccessibleTextRole, source.name);
    }
    if (m_sources->count() == 0) {
        auto *item = new QListWidgetItem(tr("No calendars found"), m_sources);
        item->setFlags(Qt::NoItemFlags);
    }
    m_remove->setEnabled(false);
}

void CalendarSourcesPanel::setAccess(bool allowed)
{
    if (const core::Status error =
            m_store.setAuthorization(allowed ? platform::CalendarAuthorization::fullAccess
                                             : platform::CalendarAuthorization::denied))
        m_model.setErrorMessage(error->message);
    m_model.loadCalendarIfAuthorized();
    refresh();
}

void CalendarSourcesPanel::addSources(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    QStringList added = m_store.addedSources();
    added.append(paths);
    if (const core::Status error = m_store.setAddedSources(added))
        m_model.setErrorMessage(error->message);
    m_model.loadCalendarIfAuthorized();
    refresh();
}

void CalendarSourcesPanel::removeSource(const QString &path)
{
    QStringList added = m_store.addedSources();
    if (added.removeAll(path) == 0)
        return;
    if (const core::Status error = m_store.setAddedSources(added))
        m_model.setErrorMessage(error->message);
    m_model.loadCalendarIfAuthorized();
    refresh();
}

void CalendarSourcesPanel::chooseFiles()
{
    addSources(QFileDialog::getOpenFileNames(this, tr("Add Calendar File"), QDir::homePath(),
                                             tr("iCalendar files (*.ics)")));
}

void CalendarSourcesPanel::chooseFolder()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, tr("Add Calendar Folder"), QDir::homePath());
    if (!folder.isEmpty())
        addSources({folder});
}

void CalendarSourcesPanel::showEvent(QShowEvent *event)
{
    // Calendars come and go while the panel is hidden (a sync tool, another app).
    refresh();
    QWidget::showEvent(event);
}

} // namespace wrenfold::ui
