// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/localization.h"
#include "core/perspective_catalogue.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wrenfold::core;

TEST(PerspectiveCatalogue, hasElevenRecordsInIdentifierOrder)
{
    ASSERT_EQ(perspectives().size(), 11);
    for (qsizetype i = 0; i < perspectives().size(); ++i)
        EXPECT_EQ(perspective(allPerspectiveIDs()[i]).id, allPerspectiveIDs()[i]);
}

TEST(PerspectiveCatalogue, textsAreExact)
{
    const Perspective &shoshin = perspective(PerspectiveID::shoshin);
    EXPECT_EQ(shoshin.name, u"Shoshin"_s);
    EXPECT_EQ(shoshin.title, u"A beginner\u2019s mind"_s);
    EXPECT_EQ(shoshin.explanation,
              u"Approach something familiar with openness to seeing it differently."_s);
    EXPECT_EQ(perspective(PerspectiveID::shinrinYoku).name, u"Shinrin-yoku"_s);
    EXPECT_EQ(perspective(PerspectiveID::wabiSabi).name, u"Wabi-sabi"_s);
    EXPECT_EQ(perspective(PerspectiveID::kinhin).journalPrompt,
              u"Where would I like to make room for a walk?"_s);
    for (const Perspective &record : perspectives()) {
        // Every prompt must stay one line: the perspective block format relies on it.
        EXPECT_FALSE(record.journalPrompt.contains(u'\n')) << record.name.toStdString();
        EXPECT_FALSE(record.title.isEmpty());
        EXPECT_FALSE(record.explanation.isEmpty());
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
        EXPECT_EQ(record.title, perspectives()[qsizetype(record.id)].title);
    }

    delete translator;
    EXPECT_EQ(localizedTitle(PerspectiveID::shoshin), u"A beginner\u2019s mind"_s);
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
    for (const Perspective &record : perspectives()) {
        EXPECT_EQ(record.localizedTitle(), record.title);
        EXPECT_EQ(record.localizedExplanation(), record.explanation);
        EXPECT_EQ(record.localizedJournalPrompt(), record.journalPrompt);
    }
}
