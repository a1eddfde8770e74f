// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/journal/journal_view.h"

#include "app/app_model.h"
#include "ui/editor/journal_editor.h"
#include "ui/icons.h"
#include "ui/journal/journal_result_delegate.h"
#include "ui/journal/journal_results_model.h"
#include "ui/journal/preserved_copies_panel.h"
#include "ui/today/day_format.h"
#include "ui/today/day_header.h"
#include "ui/widgets/text_styles.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QShortcut>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
JournalView::JournalView(app::AppModel &model, platform::Workspace *workspace, QWidget *parent)
    : QWidget(parent), m_model(model), m_workspace(workspace)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto *split = new QSplitter(Qt::Horizontal, this);
    split->setChildrenCollapsible(false);
    split->addWidget(buildListPane());
    split->addWidget(buildDayPane());
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({280, 800});
    row->addWidget(split);

    auto *find = new QShortcut(QKeySequence::Find, this);
    find->setContext(Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });

    // The model searches off the GUI thread and answers again when notes change.
    connect(&m_model, &app::AppModel::journalSearchResultsChanged, this, &JournalView::showResults);
    connect(&m_model, &app::AppModel::journalIndexProgressChanged, this,
            &JournalView::showProgress);
    connect(&m_model, &app::AppModel::selectedDateChanged, this,
            [this] { followSelectedDay(true); });

    // Whatever the model answered last stands until this screen's own answer arrives.
    m_model.setJournalQuery(QString());
    showResults();
    showProgress();
    // Once the rows are laid out, bring the selected day into view.
    QTimer::singleShot(0, this, [this] { followSelectedDay(true); });
}

QWidget *JournalView::buildListPane()
{
    auto *pane = new QWidget(this);
    pane->setMinimumWidth(210);
    pane->setMaximumWidth(360);
    auto *column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(16, 16, 16, 16);
    auto *title = new QLabel(tr("Entries"), pane);
    applyTextStyle(title, TextStyle::headline);
    header->addWidget(title);
    header->addStretch(1);
    m_openToday = new QToolButton(pane);
    m_openToday->setIcon(symbolIcon(u"square.and.pencil"));
    if (m_openToday->icon().isNull())
        m_openToday->setText(tr("Today"));
    m_openToday->setAutoRaise(true);
    m_openToday->setToolTip(tr("Open Today’s Entry"));
    m_openToday->setAccessibleName(tr("Open Today’s Entry"));
    m_openToday->setFocusPolicy(Qt::StrongFocus);
    connect(m_openToday, &QToolButton::clicked, this,
            [this] { m_model.showDay(QDateTime::currentDateTime()); });
    header->addWidget(m_openToday);
    column->addLayout(header);

    auto *searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(12, 0, 12, 12);
    m_search = new QLineEdit(pane);
    m_search->setPlaceholderText(tr("Search journal"));
    m_search->setAccessibleName(tr("Search journal"));
    m_search->setClearButtonEnabled(true);
    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_model.setJournalQuery(text); });
    searchRow->addWidget(m_search);
    column->addLayout(searchRow);

    // Shown while the first search after start-up reads every note.
    m_progress = new QProgressBar(pane);
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(false);
    m_progress->setMaximumHeight(4);
    m_progress->setAccessibleName(tr("Reading journal entries"));
    auto *progressRow = new QHBoxLayout;
    progressRow->setContentsMargins(12, 0, 12, 8);
    progressRow->addWidget(m_progress);
    column->addLayout(progressRow);

    m_results = new JournalResultsModel(this);
    m_list = new QListView(pane);
    m_list->setAccessibleName(tr("Entries"));
    m_list->setFrameShape(QFrame::NoFrame);
    // Sidebar style: the rows sit on the window colour, not on a white text field.
    QPalette sidebar = m_list->palette();
    sidebar.setColor(QPalette::Base, sidebar.color(QPalette::Window));
    m_list->setPalette(sidebar);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setItemDelegate(new JournalResultDelegate(m_list));
    m_list->setModel(m_results);
    m_list->installEventFilter(this);
    connect(m_list, &QListView::clicked, this, [this](const QModelIndex &index) {
        open(index.data(JournalResultsModel::DateRole).toDate());
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!m_following && current.isValid() && m_list->hasFocus())
                    open(current.data(JournalResultsModel::DateRole).toDate());
            });
    column->addWidget(m_list, 1);

    m_copies = new PreservedCopiesPanel(m_model, m_workspace, pane);
    column->addWidget(m_copies);
    return pane;
}

QWidget *JournalView::buildDayPane()
{
    auto *pane = new QWidget(this);
    // Room for the list beside it in an 800-pixel window.
    pane->setMinimumWidth(340);
    auto *column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *headerBlock = new QWidget(pane);
    auto *headerColumn = new QVBoxLayout(headerBlock);
    headerColumn->setContentsMargins(24, 24, 24, 24);
    headerColumn->setSpacing(12);
    m_header = new DayHeader(m_model, headerBlock);
    headerColumn->addWidget(m_header);
    m_title = new QLabel(headerBlock);
    applyTextStyle(m_title, TextStyle::largeTitle);
    m_title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_title->setAccessibleName(tr("Selected day"));
    m_title->setWordWrap(true);
    headerColumn->addWidget(m_title);
    column->addWidget(headerBlock);

    auto *divider = new QFrame(pane);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    column->addWidget(divider);

    m_editor = new JournalEditor(m_model, pane);
    column->addWidget(m_editor, 1);
    return pane;
}

void JournalView::showResults()
{
    // An answer for an older query (the field was changed meanwhile) is not shown.
    if (m_model.journalQuery() != m_search->text())
        return;
    // A new list starts from its top; the selected day stays marked.
    if (m_results->setResults(m_model.journalSearchResults()))
        m_list->scrollToTop();
    followSelectedDay(false);
}

void JournalView::showProgress()
{
    const std::optional<double> progress = m_model.journalIndexProgress();
    m_progress->setVisible(progress.has_value());
    if (progress)
        m_progress->setValue(int(*progress * 1000));
}

void JournalView::followSelectedDay(bool scroll)
{
    const QDate day = m_model.store().calendar().dayOf(m_model.selectedDate());
    m_title->setText(dayTitleWithYear(day));
    m_results->setSelectedDay(day);
    const int row = m_results->rowOf(day);
    if (row < 0)
        return;
    const QModelIndex index = m_results->index(row);
    if (m_list->currentIndex() != index) {
        m_following = true;
        m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        m_following = false;
    }
    // Before its first layout the list has no height, and any row would count as hidden.
    if (scroll && m_list->viewport()->height() > m_list->sizeHintForRow(0))
        m_list->scrollTo(index);
}

void JournalView::open(const QDate &day)
{
    const core::Calendar &calendar = m_model.store().calendar();
    if (!day.isValid() || day == calendar.dayOf(m_model.selectedDate()))
        return;
    m_model.showDay(withDay(m_model.selectedDate().toTimeZone(calendar.timeZone), day));
}

void JournalView::step(int rows)
{
    const int count = m_results->rowCount();
    if (count == 0)
        return;
    const QModelIndex current = m_list->currentIndex();
    const int row = current.isValid() ? std::clamp(current.row() + rows, 0, count - 1)
                                      : (rows > 0 ? 0 : count - 1);
    const QModelIndex target = m_results->index(row);
    m_following = true;
    m_list->selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    m_following = false;
    m_list->scrollTo(target);
    open(target.data(JournalResultsModel::DateRole).toDate());
}

bool JournalView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Escape && !m_search->text().isEmpty()) {
        m_search->clear();
        return true;
    }
    if (watched == m_search && (key == Qt::Key_Down || key == Qt::Key_Up)) {
        step(key == Qt::Key_Down ? 1 : -1);
        return true;
    }
    if (watched == m_list && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        open(m_list->currentIndex().data(JournalResultsModel::DateRole).toDate());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace wrenfold::ui
