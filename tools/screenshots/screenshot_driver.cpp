// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
//
// Saves pictures of every screen of the real window on a sample notes folder, for the
// README and for looking over the look in light and dark palettes. tools/screenshots.sh
// runs it under Xvfb with every XDG folder in a temporary place.
//
//   wrenfold-screenshots OUTDIR NAME WIDTHxHEIGHT|auto [dark]
//
// writes OUTDIR/<screen>-NAME.png for today (and its habits), calendar, journal, flows,
// perspectives, the sidebar with the focus, about and settings. The sample notes go to
// $VESK_UI_TEST_ROOT and calendars to $XDG_DATA_HOME/calendars; without
// VESK_UI_TEST_ROOT the run is a first start.

#include "app/app_model.h"
#include "core/calendar.h"
#include "core/journal.h"
#include "core/localization.h"
#include "core/markdown_store.h"
#include "core/perspective_catalogue.h"
#include "ui/settings/about_dialog.h"
#include "ui/today/journal_footer_area.h"
#include "ui/window/main_window.h"
#include "ui/window/settings_window.h"
#include "ui/window/sidebar.h"
#include "ui/wrenfold_app.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QListWidget>
#include <QScrollBar>
#include <QSettings>
#include <QStyleFactory>
#include <QTimer>
#include <QUuid>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace wrenfold;

namespace {

void settle(int milliseconds = 400)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget *widget, const QString &folder, const QString &screen, const QString &name)
{
    settle();
    const QString path = QDir(folder).filePath(screen + u'-' + name + u".png"_s);
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The colours of a dark desktop theme (close to Breeze Dark), for the dark pictures.
QPalette darkPalette()
{
    QPalette palette;
    const QColor window(0x2a, 0x2e, 0x32), base(0x1b, 0x1e, 0x20), text(0xfc, 0xfc, 0xfc);
    const QColor button(0x31, 0x36, 0x3b), highlight(0x3d, 0xae, 0xe9);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, button);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, text);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, QColor(0xa1, 0xa9, 0xb1));
    palette.setColor(QPalette::Link, highlight);
    palette.setColor(QPalette::Light, QColor(0x40, 0x46, 0x4c));
    palette.setColor(QPalette::Midlight, QColor(0x36, 0x3b, 0x40));
    palette.setColor(QPalette::Mid, QColor(0x1f, 0x22, 0x25));
    palette.setColor(QPalette::Dark, QColor(0x14, 0x16, 0x18));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(0x6e, 0x74, 0x7a));
    return palette;
}

void writeCalendar(const QString &dataHome, const QDate &today)
{
    const QString folder = dataHome + u"/calendars/personal"_s;
    QDir().mkpath(folder);
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    };
    write(u"displayname"_s, "Personal\n");
    write(u"color"_s, "#3584e4\n");
    const QByteArray day = today.toString(u"yyyyMMdd"_s).toLatin1();
    const QByteArray next = today.addDays(1).toString(u"yyyyMMdd"_s).toLatin1();
    const auto event = [&](const char *uid, const char *title, const QByteArray &start,
                           const QByteArray &end) -> QByteArray {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Wrenfold//Screenshots//EN\r\n"
               "BEGIN:VEVENT\r\nUID:" +
               QByteArray(uid) + "\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:" + title + "\r\n" +
               start + "\r\n" + end + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    };
    write(u"standup.ics"_s, event("standup", "Team stand-up", "DTSTART:" + day + "T091500",
                                  "DTEND:" + day + "T093000"));
    write(u"lunch.ics"_s, event("lunch", "Lunch with Mara", "DTSTART:" + day + "T123000",
                                "DTEND:" + day + "T133000"));
    write(u"review.ics"_s, event("review", "Design review", "DTSTART:" + day + "T160000",
                                 "DTEND:" + day + "T170000"));
    write(u"trip.ics"_s, event("trip", "Library books due", "DTSTART;VALUE=DATE:" + day,
                               "DTEND;VALUE=DATE:" + next));
}

QList<core::FlowItem> sampleFlows()
{
    const QDateTime created = QDateTime::currentDateTimeUtc().addDays(-40);
    const auto flow = [&](const QString &title, const QString &detail, const QString &next,
                          core::HabitSchedule schedule, bool habit) {
        core::FlowItem item;
        item.id = QUuid::createUuid();
        item.title = title;
        item.detail = detail;
        item.nextStep = next;
        item.createdAt = created;
        item.updatedAt = created;
        item.tracksHabit = habit;
        item.habitSchedule = schedule;
        return item;
    };
    return {flow(u"Morning walk"_s, u"Twenty minutes outside before the screen."_s,
                 u"Try the river path"_s, core::HabitSchedule::daily, true),
            flow(u"Read before bed"_s, u"One chapter, paper book."_s, u"Finish “Piranesi”"_s,
                 core::HabitSchedule::daily, true),
            flow(u"Call home"_s, u"Sunday evening."_s, u"Ask about the garden"_s,
                 core::HabitSchedule::weekly, true),
            flow(u"Garden plan"_s, u"Raised beds along the fence."_s, u"Measure the fence"_s,
                 core::HabitSchedule::noSchedule, false)};
}

void writeNotes(const QString &root, const QDate &today)
{
    const core::MarkdownStore store(root, core::Calendar::current());
    const QString note = u"# A slow start\n\n"
                         "Woke before the alarm and read for half an hour. The coffee "
                         "tasted of **cardamom**, and the street was still _quiet_.\n\n"
                         "## Today\n\n"
                         "- [x] Water the plants\n"
                         "- [ ] Send the draft to Mara\n"
                         "- [ ] Book the train for Friday\n\n"
                         "> Small steps, every day.\n\n"
                         "Notes from the stand-up are in [the team wiki](https://example.org/"
                         "wiki). Ask about the release date.\n"_s;
    const QTime noon(12, 0);
    std::ignore = store.saveNote(core::DailyNote{QDateTime(today, noon), note});
    for (int back : {1, 2, 4, 5, 8, 9, 12, 15, 16, 19}) {
        const QDate day = today.addDays(-back);
        std::ignore = store.saveNote(core::DailyNote{
            QDateTime(day, noon), u"Notes of %1.\n\nA walk after lunch; wrote two pages.\n"_s.arg(
                                      day.toString(Qt::ISODate))});
    }
    std::ignore = store.saveFlows(sampleFlows());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(u"Wrenfold"_s);
    QApplication::setApplicationName(u"Wrenfold"_s);
    const QStringList args = QApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: wrenfold-screenshots OUTDIR NAME WIDTHxHEIGHT|auto [dark]\n");
        return 2;
    }
    const QString folder = args.at(1);
    const QString name = args.at(2);
    const QStringList size = args.at(3).split(u'x');
    const bool dark = args.value(4) == u"dark"_s;
    QDir().mkpath(folder);
    core::installTranslations(application);
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));
    if (dark)
        QApplication::setPalette(darkPalette());

    // Without a notes folder of its own the run is a first start on an empty HOME.
    const QString root = qEnvironmentVariable("VESK_UI_TEST_ROOT");
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty()) {
        std::fprintf(stderr, "set HOME and the XDG folders to temporary ones\n");
        return 2;
    }
    const QDate today = QDate::currentDate();
    if (!root.isEmpty()) {
        writeNotes(root, today);
        writeCalendar(dataHome, today);
        QSettings settings;
        settings.setValue(u"calendarAuthorization"_s, 3);
    }

    ui::WrenfoldApp wrenfold;
    app::AppModel &model = wrenfold.model();
    if (!root.isEmpty()) {
        model.insertPerspective(core::perspective(core::PerspectiveID::shoshin));
        model.updatePerspectiveResponse(u"The new tram line: I took it as if I had never "
                                        "ridden one, and noticed the bells."_s,
                                        core::PerspectiveID::shoshin);
        model.insertPerspective(core::perspective(core::PerspectiveID::kanso));
        const QList<core::FlowItem> flows = model.flows();
        if (!flows.isEmpty())
            model.toggleHabit(flows.first());
    }

    ui::MainWindow &window = wrenfold.mainWindow();
    wrenfold.show();
    // "auto" keeps the size the window chose for itself on this screen.
    if (size.size() == 2)
        window.resize(size.value(0).toInt(), size.value(1).toInt());
    settle(800);

    bool ok = true;
    // The habits at the end of the cards and habits below the entry.
    if (auto *footer = window.findChild<ui::JournalFooterArea *>()) {
        footer->verticalScrollBar()->setValue(footer->verticalScrollBar()->maximum());
        ok = save(&window, folder, u"habits"_s, name) && ok;
        footer->verticalScrollBar()->setValue(0);
    }
    const std::pair<app::AppSection, QString> screens[] = {
        {app::AppSection::today, u"today"_s},
        {app::AppSection::calendar, u"calendar"_s},
        {app::AppSection::journal, u"journal"_s},
        {app::AppSection::flows, u"flows"_s},
        {app::AppSection::perspectives, u"perspectives"_s},
    };
    for (const auto &[section, screen] : screens) {
        model.setSelection(section);
        ok = save(&window, folder, screen, name) && ok;
    }
    model.setSelection(app::AppSection::today);
    // The sidebar with the keyboard focus, to check its focus ring (the window must be
    // active for any focus to show), then the About box.
    window.activateWindow();
    window.sidebar()->list()->setFocus(Qt::TabFocusReason);
    settle();
    ok = save(&window, folder, u"sidebar-focus"_s, name) && ok;

    for (QAction *action : window.findChildren<QAction *>()) {
        if (action->menuRole() == QAction::AboutRole)
            action->trigger();
    }
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (qobject_cast<ui::AboutDialog *>(top) && top->isVisible()) {
            ok = save(top, folder, u"about"_s, name) && ok;
            top->close();
        }
    }

    window.settingsAction()->trigger();
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *settings = qobject_cast<ui::SettingsWindow *>(top); settings && top->isVisible())
            ok = save(settings, folder, u"settings"_s, name) && ok;
    }
    return ok ? 0 : 1;
}
