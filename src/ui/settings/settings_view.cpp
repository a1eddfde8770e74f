// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/settings/settings_view.h"

#include "app/app_model.h"
#include "core/perspective_catalogue.h"
#include "ui/calendar_sources/calendar_sources_panel.h"
#include "ui/settings/about_dialog.h"
#include "ui/widgets/elided_label.h"
#include "ui/widgets/rounded_panel.h"
#include "ui/widgets/text_styles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

constexpr int formWidth = 460;
constexpr int formMargin = 24;

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    applyTextStyle(label, TextStyle::caption);
    applySecondaryColor(label);
    return label;
}

// A titled group of rows on a faint rounded panel; returns the panel's row layout.
QVBoxLayout *addSection(QVBoxLayout *form, const QString &title, QWidget **section = nullptr)
{
    auto *box = new QWidget;
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto *heading = new QLabel(title, box);
    applyTextStyle(heading, TextStyle::headline);
    column->addWidget(heading);
    auto *panel = new RoundedPanel(10, QPalette::WindowText, 0.06, box);
    panel->setAccessibleName(title);
    column->addWidget(panel);
    auto *rows = new QVBoxLayout(panel);
    rows->setContentsMargins(12, 12, 12, 12);
    rows->setSpacing(12);
    form->addWidget(box);
    if (section)
        *section = box;
    return rows;
}

} // namespace

SettingsView::SettingsView(app::AppModel &model, platform::Workspace &workspace,
                           platform::CalendarStore *calendarStore, QWidget *parent)
    : QWidget(parent), m_model(model)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outer->addWidget(m_scroll);

    m_form = new QWidget(m_scroll);
    m_form->setMinimumWidth(formWidth);
    auto *form = new QVBoxLayout(m_form);
    form->setContentsMargins(formMargin, formMargin, formMargin, formMargin);
    form->setSpacing(8);

    // Files.
    QVBoxLayout *files = addSection(form, tr("Files"));
    auto *folderRow = new QHBoxLayout;
    folderRow->setSpacing(12);
    auto *folderName = new QLabel(tr("Journal folder"), m_form);
    folderRow->addWidget(folderName);
    m_folder = new ElidedLabel(m_form);
    m_folder->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    applySecondaryColor(m_folder);
    folderName->setBuddy(m_folder);
    m_folder->setAccessibleName(tr("Journal folder"));
    folderRow->addWidget(m_folder, 1);
    files->addLayout(folderRow);
    m_chooseFolder = new QPushButton(tr("Choose folder…"), m_form);
    connect(m_chooseFolder, &QPushButton::clicked, this, [this] { m_model.chooseRoot(); });
    files->addWidget(m_chooseFolder, 0, Qt::AlignRight);
    form->addWidget(caption(tr("Daily entries are ordinary Markdown files. Changing the app "
                               "language never translates or rewrites your writing."),
                            m_form));
    form->addSpacing(12);

    // Perspectives.
    QVBoxLayout *perspectives = addSection(form, tr("Perspectives"));
    auto *pickerRow = new QHBoxLayout;
    auto *pickerName = new QLabel(tr("Default perspective"), m_form);
    pickerRow->addWidget(pickerName);
    pickerRow->addStretch(1);
    m_defaultPerspective = new QComboBox(m_form);
    m_defaultPerspective->setAccessibleName(tr("Default perspective"));
    pickerName->setBuddy(m_defaultPerspective);
    m_defaultPerspective->addItem(tr("None"), QString());
    for (const core::Perspective &perspective : core::perspectives()) {
        const QString raw = core::rawValue(perspective.id);
        m_defaultPerspective->addItem(raw, raw);
        m_defaultPerspective->setItemData(
            m_defaultPerspective->count() - 1,
            QString(perspective.name + u" — "_s + perspective.localizedTitle()), Qt::ToolTipRole);
    }
    connect(m_defaultPerspective, &QComboBox::activated, this, [this](int index) {
        m_model.setDefaultPerspective(
            core::perspectiveIDFromRawValue(m_defaultPerspective->itemData(index).toString()));
    });
    pickerRow->addWidget(m_defaultPerspective);
    perspectives->addLayout(pickerRow);
    form->addWidget(caption(tr("Perspectives are optional ways to look at life. They are not "
                               "scores, rules or calendar categories."),
                            m_form));
    form->addSpacing(12);

    // Calendars.
    if (calendarStore) {
        QVBoxLayout *calendars = addSection(form, tr("Calendars"), &m_calendarsSection);
        m_calendars = new CalendarSourcesPanel(model, *calendarStore, m_form);
        calendars->addWidget(m_calendars);
        form->addSpacing(12);
    }

    // About.
    QVBoxLayout *about = addSection(form, tr("About"));
    m_version = new QLabel(tr("Wrenfold %1").arg(app::AppModel::version()), m_form);
    m_version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    about->addWidget(m_version);
    auto *links = new QHBoxLayout;
    links->setSpacing(16);
    links->addWidget(
        createLinkLabel(tr("Send feedback"), app::AppModel::feedbackURL(), workspace, m_form));
    links->addWidget(
        createLinkLabel(tr("Website"), app::AppModel::websiteURL(), workspace, m_form));
    links->addStretch(1);
    about->addLayout(links);
    form->addStretch(1);

    m_scroll->setWidget(m_form);

    connect(&m_model, &app::AppModel::defaultPerspectiveChanged, this,
            &SettingsView::refreshDefaultPerspective);
    connect(&m_model, &app::AppModel::rootURLChanged, this, &SettingsView::refreshFolder);
    refreshFolder();
    refreshDefaultPerspective();
}

QSize SettingsView::sizeHint() const
{
    // The whole form without scrolling; the window shrinks it to the screen.
    // sizeHint ignores the form's minimum width, which the rows are laid out for.
    const QSize form = m_form->sizeHint().expandedTo(m_form->minimumSize());
    return {form.width() + m_scroll->verticalScrollBar()->sizeHint().width(), form.height()};
}

void SettingsView::showCalendars()
{
    if (!m_calendarsSection)
        return;
    m_scroll->ensureWidgetVisible(m_calendarsSection, 0, formMargin);
    m_calendars->accessBox()->setFocus(Qt::OtherFocusReason);
}

void SettingsView::refreshFolder()
{
    const QString shown = QDir::toNativeSeparators(m_model.rootURL());
    if (m_folder->fullText() != shown)
        m_folder->setFullText(shown);
}

void SettingsView::refreshDefaultPerspective()
{
    const std::optional<core::PerspectiveID> chosen = m_model.defaultPerspective();
    const int index = chosen ? m_defaultPerspective->findData(core::rawValue(*chosen)) : 0;
    const QSignalBlocker blocker(m_defaultPerspective);
    m_defaultPerspective->setCurrentIndex(std::max(index, 0));
}

} // namespace wrenfold::ui
