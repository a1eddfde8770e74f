// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "ui/today/root_notice.h"

#include "app/app_model.h"
#include "ui/icons.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace wrenfold::ui {
namespace {

// A path longer than this loses its middle in the sentence; the tooltip has it whole.
constexpr int longestShownPath = 64;

QString shortenedPath(const QString &path)
{
    if (path.size() <= longestShownPath)
        return path;
    const int keep = (longestShownPath - 1) / 2;
    return path.left(keep) + u"…"_s + path.right(keep);
}

} // namespace

RootNotice::RootNotice(app::AppModel &model, QWidget *parent) : QWidget(parent), m_model(model)
{
    setAccessibleName(tr("Journal folder"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 8, 8, 8);
    row->setSpacing(12);

    auto *icon = new QLabel(this);
    icon->setPixmap(symbolIcon(u"folder"_s).pixmap(16, 16));
    row->addWidget(icon);

    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(m_message, 1);

    m_change = new QPushButton(tr("Change…"), this);
    connect(m_change, &QPushButton::clicked, this, [this] { m_model.chooseRoot(); });
    row->addWidget(m_change);
    m_show = new QPushButton(tr("Show"), this);
    m_show->setToolTip(tr("Show the journal folder in the file manager"));
    connect(m_show, &QPushButton::clicked, this, [this] { m_model.showRootInFileManager(); });
    row->addWidget(m_show);

    m_dismiss = new QToolButton(this);
    m_dismiss->setIcon(symbolIcon(u"xmark"_s));
    if (m_dismiss->icon().isNull())
        m_dismiss->setText(u"×"_s);
    m_dismiss->setAutoRaise(true);
    m_dismiss->setToolTip(tr("Don’t show this again"));
    m_dismiss->setAccessibleName(tr("Close"));
    connect(m_dismiss, &QToolButton::clicked, this, [this] { m_model.dismissRootNotice(); });
    row->addWidget(m_dismiss);

    connect(&m_model, &app::AppModel::isRootDefaultedChanged, this, &RootNotice::refresh);
    connect(&m_model, &app::AppModel::isRootNoticeDismissedChanged, this, &RootNotice::refresh);
    refresh();
}

bool RootNotice::isWanted() const
{
    return m_model.isRootDefaulted() && !m_model.isRootNoticeDismissed();
}

void RootNotice::refresh()
{
    const QString folder = QDir::toNativeSeparators(m_model.rootURL());
    m_message->setText(
        tr("Your journal is saved in %1 as Markdown files.").arg(shortenedPath(folder)));
    m_message->setToolTip(folder);
    // Never show a parentless widget: it would open as a window of its own.
    if (!isWanted())
        hide();
    else if (parentWidget())
        show();
}

void RootNotice::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = palette().color(QPalette::Highlight);
    fill.setAlphaF(0.12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}

} // namespace wrenfold::ui
