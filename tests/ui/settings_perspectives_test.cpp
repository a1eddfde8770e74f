// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/model_fixture.h"
#include "ui/perspectives/perspectives_view.h"
#include "ui/settings/settings_view.h"
#include "ui/today/root_notice.h"
#include "ui/today/today_view.h"
#include "ui/widgets/elided_label.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using wrenfold::core::PerspectiveID;

namespace wrenfold::testing {
namespace {

class SettingsScreensTest : public UiWorld {
protected:
    std::unique_ptr<ui::SettingsView> makeSettings()
    {
        auto view = std::make_unique<ui::SettingsView>(*model, workspace, calendarStore.get());
        view->resize(view->sizeHint());
        view->show();
        return view;
    }
};

TEST_F(SettingsScreensTest, defaultPerspectivePicker_storesTheChoiceAndShowsItOnReopening)
{
    const struct {
        const char *name;
        std::optional<PerspectiveID> before;
        QString picked;
        std::optional<PerspectiveID> chosen;
    } rows[] = {
        {"none clears the default", PerspectiveID::kaizen, u"None"_s, std::nullopt},
        {"a perspective becomes the default", std::nullopt, u"wabi-sabi"_s,
         PerspectiveID::wabiSabi},
    };
    makeModel();
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        model->setDefaultPerspective(row.before);
        {
            auto view = makeSettings();
            QComboBox *picker = view->defaultPerspectivePicker();
            const int index = picker->findText(row.picked);
            ASSERT_GE(index, 0);
            picker->setCurrentIndex(index);
            emit picker->activated(index);
        }
        EXPECT_EQ(model->defaultPerspective(), row.chosen);
        EXPECT_EQ(makeSettings()->defaultPerspectivePicker()->currentText(), row.picked);
    }
}

TEST_F(SettingsScreensTest, chooseFolder_movesTheModelAndTheLongestPathStaysOneLine)
{
    makeModel();
    auto view = makeSettings();
    ui::ElidedLabel *label = view->folderLabel();
    const int oneLine = label->height();
    const QString shortFolder = path(u"chosen"_s);
    QString longFolder = path(u"deep"_s);
    while (longFolder.size() < 300)
        longFolder += u"/a-rather-long-folder-name"_s;
    for (const QString &folder : {shortFolder, longFolder}) {
        SCOPED_TRACE(folder.size());
        ASSERT_TRUE(QDir().mkpath(folder));
        chooser.answer = folder;
        QTest::mouseClick(view->chooseFolderButton(), Qt::LeftButton);
        EXPECT_EQ(model->rootURL(), folder);
        EXPECT_EQ(label->fullText(), folder);
        EXPECT_EQ(label->height(), oneLine);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
        EXPECT_LE(view->width(), view->sizeHint().width());
    }
    EXPECT_TRUE(view->folderLabel()->text().contains(u"…"_s));
}

TEST_F(SettingsScreensTest, perspectiveGrid_fitsColumnsToTheWidthAndAddsToTodaysJournal)
{
    makeModel();
    ui::PerspectivesView view(*model);
    view.show();
    ASSERT_EQ(view.cards().size(), 11);
    const std::pair<int, int> rows[] = {{600, 1}, {1400, 4}};
    for (const auto &[width, columns] : rows) {
        view.resize(width, 800);
        EXPECT_EQ(view.columnCount(), columns) << width;
    }
    // From another day, the chosen one goes to today's journal, and Today shows.
    model->showDay(QDateTime::currentDateTime().addDays(-3));
    model->setSelection(app::AppSection::perspectives);
    ui::PerspectiveCatalogueCard *ma = view.cards().at(5);
    ASSERT_EQ(ma->perspectiveID(), PerspectiveID::ma);
    QTest::mouseClick(ma->addButton(), Qt::LeftButton);

    ASSERT_EQ(model->perspectiveEntries().size(), 1);
    EXPECT_EQ(model->perspectiveEntries().first().perspectiveID, PerspectiveID::ma);
    EXPECT_EQ(model->selection(), app::AppSection::today);
}

TEST_F(SettingsScreensTest, rootNotice_onlyForAnUnchosenFolderAndGoneForGoodOnceClosed)
{
    const struct {
        const char *name;
        bool testRoot;
        bool remembered;
        bool shown;
    } rows[] = {
        {"test root", true, false, false},
        {"remembered folder", false, true, false},
        {"default folder", false, false, true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        settings->clear();
        if (!row.testRoot)
            environment.remove(u"VESK_UI_TEST_ROOT"_s);
        if (row.remembered)
            settings->setValue(u"notesRoot"_s, notesRoot);
        makeModel();
        ui::TodayView today(*model);
        today.show();
        EXPECT_EQ(today.rootNotice()->isVisible(), row.shown);
    }

    // The default folder: named, not created, and closing the note is remembered.
    ui::TodayView today(*model);
    today.show();
    const QString folder = QDir::toNativeSeparators(documents + u"/Vesk Wrenfold"_s);
    EXPECT_TRUE(today.rootNotice()->messageLabel()->text().contains(folder));
    EXPECT_FALSE(QFileInfo::exists(folder));
    QTest::mouseClick(today.rootNotice()->dismissButton(), Qt::LeftButton);
    EXPECT_FALSE(today.rootNotice()->isVisible());
    model.reset();
    makeModel();
    ui::TodayView restarted(*model);
    restarted.show();
    EXPECT_FALSE(restarted.rootNotice()->isVisible());

    // Change chooses a folder, and the notice goes with the default folder.
    settings->clear();
    model.reset();
    makeModel();
    ui::TodayView fresh(*model);
    fresh.show();
    ASSERT_TRUE(fresh.rootNotice()->isVisible());
    ASSERT_TRUE(QDir().mkpath(notesRoot));
    chooser.answer = notesRoot;
    QTest::mouseClick(fresh.rootNotice()->changeButton(), Qt::LeftButton);
    EXPECT_EQ(model->rootURL(), notesRoot);
    EXPECT_FALSE(fresh.rootNotice()->isVisible());
}

} // namespace
} // namespace wrenfold::testing
