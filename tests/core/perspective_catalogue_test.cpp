// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/localization.h"
#include "core/perspective_catalogue.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>
#include <gtest/gtest.h>

#include <iterator>

using namespace Qt::StringLiterals;
using namespace wrenfold::core;

namespace {

// The whole catalogue, in identifier order: every stored text is a key of the
// translation tables and part of the perspective blocks in users' files.
struct CatalogueRow {
    PerspectiveID id;
    const char16_t *name;
    const char16_t *title;
    const char16_t *explanation;
    const char16_t *journalPrompt;
};

const CatalogueRow catalogueRows[] = {
    {PerspectiveID::kaizen, u"Kaizen", u"Small steps",
     u"Notice a small change that could make something work better.",
     u"What small change did I notice?"},
    {PerspectiveID::ikigai, u"Ikigai", u"What matters",
     u"Consider the activities, people and responsibilities that give your life meaning.",
     u"What felt meaningful?"},
    {PerspectiveID::hansei, u"Hansei", u"Reflection",
     u"Look back on an experience and record what you noticed or learned.",
     u"What did I notice or learn?"},
    {PerspectiveID::kanso, u"Kanso", u"Simplicity",
     u"Notice what can be removed, clarified or left aside.",
     u"What could be removed, clarified or left aside?"},
    {PerspectiveID::shoshin, u"Shoshin", u"A beginner\u2019s mind",
     u"Approach something familiar with openness to seeing it differently.",
     u"What might I see differently?"},
    {PerspectiveID::ma, u"Ma", u"Space between",
     u"Notice the intervals, pauses and open space around activities and experiences.",
     u"Where did I notice space or a pause?"},
    {PerspectiveID::osoji, u"Osoji", u"Cleaning and renewal",
     u"Set aside time for cleaning, sorting or resetting a physical or digital space.",
     u"What space could use cleaning, sorting or resetting?"},
    {PerspectiveID::shinrinYoku, u"Shinrin-yoku", u"Time in nature",
     u"Plan time in a park, forest, by the water or another outdoor place.",
     u"Where would I like to spend time outdoors?"},
    {PerspectiveID::wabiSabi, u"Wabi-sabi", u"Change and imperfection",
     u"Notice age, change and imperfection without requiring them to be corrected.",
     u"Where did I notice change or imperfection?"},
    {PerspectiveID::shokunin, u"Shokunin", u"Care in the work",
     u"Give attention to the craft, responsibility and detail within work you choose to do.",
     u"Where would I like to give care to the work?"},
    {PerspectiveID::kinhin, u"Kinhin", u"Walking attention",
     u"Make room for a walk and give attention to the act of walking.",
     u"Where would I like to make room for a walk?"},
};

} // namespace

TEST(PerspectiveCatalogue, everyRecordAndTextIsExact_inIdentifierOrder)
{
    ASSERT_EQ(perspectives().size(), qsizetype(std::size(catalogueRows)));
    for (qsizetype i = 0; i < perspectives().size(); ++i) {
        const CatalogueRow &row = catalogueRows[i];
        const Perspective &record = perspectives()[i];
        SCOPED_TRACE(QString::fromUtf16(row.name).toStdString());
        EXPECT_EQ(record.id, row.id);
        EXPECT_EQ(allPerspectiveIDs()[i], row.id);
        EXPECT_EQ(perspective(row.id).id, row.id);
        EXPECT_EQ(record.name, QString::fromUtf16(row.name));
        EXPECT_EQ(record.title, QString::fromUtf16(row.title));
        EXPECT_EQ(record.explanation, QString::fromUtf16(row.explanation));
        EXPECT_EQ(record.journalPrompt, QString::fromUtf16(row.journalPrompt));
    }
}

TEST(Localization, germanTable_translatesCatalogue_andRemovingItRestoresEnglish)
{
    ASSERT_TRUE(QFile::exists(u":/i18n/wrenfold_de.qm"_s));
    QTranslator *translator = installTranslations(*QCoreApplication::instance(),
                                                  QLocale(QLocale::German, QLocale::Germany));
    ASSERT_NE(translator, nullptr);

    EXPECT_EQ(localizedTitle(PerspectiveID::shoshin), u"Anfängergeist"_s);
    EXPECT_EQ(perspective(PerspectiveID::ma).localizedJournalPrompt(),
              u"Wo habe ich Raum oder eine Pause bemerkt?"_s);
    // The German table covers the whole catalogue.
    for (const Perspective &record : perspectives()) {
        EXPECT_NE(record.localizedTitle(), record.title) << record.name.toStdString();
        EXPECT_NE(record.localizedExplanation(), record.explanation) << record.name.toStdString();
        EXPECT_NE(record.localizedJournalPrompt(), record.journalPrompt)
            << record.name.toStdString();
        // The stored English fields never change with the language.
        EXPECT_EQ(record.title, QString::fromUtf16(catalogueRows[qsizetype(record.id)].title));
    }

    // Qt's own table comes along, so standard buttons and dialogs are German too.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Abbrechen"_s);

    delete translator;
    EXPECT_EQ(localizedTitle(PerspectiveID::shoshin), u"A beginner\u2019s mind"_s);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Cancel"_s);
}

TEST(Localization, localeWithoutTableOrFolder_installsNothingAndShowsEnglish)
{
    for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::Japanese), QLocale::c()}) {
        EXPECT_EQ(installTranslations(*QCoreApplication::instance(), locale), nullptr)
            << locale.name().toStdString();
    }
    EXPECT_EQ(installTranslations(*QCoreApplication::instance(), QLocale(QLocale::German),
                                  u":/no-such-folder"_s),
              nullptr);
    EXPECT_EQ(perspective(PerspectiveID::ma).localizedJournalPrompt(),
              u"Where did I notice space or a pause?"_s);
}
