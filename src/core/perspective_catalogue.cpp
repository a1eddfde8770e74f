// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "core/perspective_catalogue.h"

#include <QCoreApplication>

#include <array>
#include <cstddef>

namespace wrenfold::core {

namespace {

// The translation context of every catalogue text in the Linguist tables.
constexpr char kContext[] = "Perspective";

struct CatalogueTexts {
    PerspectiveID id;
    const char *name;
    const char *title;
    const char *explanation;
    const char *journalPrompt;
};

// UTF-8 literals, so that lupdate extracts them and translate() finds them by the same
// bytes. The title of shoshin carries the typographic apostrophe U+2019.
constexpr std::array<CatalogueTexts, 11> kTexts{{
    {PerspectiveID::kaizen, "Kaizen", QT_TRANSLATE_NOOP("Perspective", "Small steps"),
     QT_TRANSLATE_NOOP("Perspective",
                       "Notice a small change that could make something work better."),
     QT_TRANSLATE_NOOP("Perspective", "What small change did I notice?")},
    {PerspectiveID::ikigai, "Ikigai", QT_TRANSLATE_NOOP("Perspective", "What matters"),
     QT_TRANSLATE_NOOP("Perspective", "Consider the activities, people and responsibilities "
                                      "that give your life meaning."),
     QT_TRANSLATE_NOOP("Perspective", "What felt meaningful?")},
    {PerspectiveID::hansei, "Hansei", QT_TRANSLATE_NOOP("Perspective", "Reflection"),
     QT_TRANSLATE_NOOP("Perspective",
                       "Look back on an experience and record what you noticed or learned."),
     QT_TRANSLATE_NOOP("Perspective", "What did I notice or learn?")},
    {PerspectiveID::kanso, "Kanso", QT_TRANSLATE_NOOP("Perspective", "Simplicity"),
     QT_TRANSLATE_NOOP("Perspective", "Notice what can be removed, clarified or left aside."),
     QT_TRANSLATE_NOOP("Perspective", "What could be removed, clarified or left aside?")},
    {PerspectiveID::shoshin, "Shoshin", QT_TRANSLATE_NOOP("Perspective", "A beginner’s mind"),
     QT_TRANSLATE_NOOP("Perspective",
                       "Approach something familiar with openness to seeing it differently."),
     QT_TRANSLATE_NOOP("Perspective", "What might I see differently?")},
    {PerspectiveID::ma, "Ma", QT_TRANSLATE_NOOP("Perspective", "Space between"),
     QT_TRANSLATE_NOOP("Perspective", "Notice the intervals, pauses and open space around "
                                      "activities and experiences."),
     QT_TRANSLATE_NOOP("Perspective", "Where did I notice space or a pause?")},
    {PerspectiveID::osoji, "Osoji", QT_TRANSLATE_NOOP("Perspective", "Cleaning and renewal"),
     QT_TRANSLATE_NOOP("Perspective", "Set aside time for cleaning, sorting or resetting a "
                                      "physical or digital space."),
     QT_TRANSLATE_NOOP("Perspective", "What space could use cleaning, sorting or resetting?")},
    {PerspectiveID::shinrinYoku, "Shinrin-yoku", QT_TRANSLATE_NOOP("Perspective", "Time in nature"),
     QT_TRANSLATE_NOOP("Perspective",
                       "Plan time in a park, forest, by the water or another outdoor place."),
     QT_TRANSLATE_NOOP("Perspective", "Where would I like to spend time outdoors?")},
    {PerspectiveID::wabiSabi, "Wabi-sabi",
     QT_TRANSLATE_NOOP("Perspective", "Change and imperfection"),
     QT_TRANSLATE_NOOP("Perspective", "Notice age, change and imperfection without requiring "
                                      "them to be corrected."),
     QT_TRANSLATE_NOOP("Perspective", "Where did I notice change or imperfection?")},
    {PerspectiveID::shokunin, "Shokunin", QT_TRANSLATE_NOOP("Perspective", "Care in the work"),
     QT_TRANSLATE_NOOP("Perspective", "Give attention to the craft, responsibility and detail "
                                      "within work you choose to do."),
     QT_TRANSLATE_NOOP("Perspective", "Where would I like to give care to the work?")},
    {PerspectiveID::kinhin, "Kinhin", QT_TRANSLATE_NOOP("Perspective", "Walking attention"),
     QT_TRANSLATE_NOOP("Perspective",
                       "Make room for a walk and give attention to the act of walking."),
     QT_TRANSLATE_NOOP("Perspective", "Where would I like to make room for a walk?")},
}};

const CatalogueTexts &textsOf(PerspectiveID id)
{
    // The table is in enumeration order; the fallback only guards a value cast from a bad
    // integer.
    const auto index = static_cast<std::size_t>(id);
    return index < kTexts.size() ? kTexts[index] : kTexts[0];
}

QString translated(const char *english)
{
    return QCoreApplication::translate(kContext, english);
}

} // namespace

QString Perspective::localizedTitle() const
{
    return core::localizedTitle(id);
}

QString Perspective::localizedExplanation() const
{
    return core::localizedExplanation(id);
}

QString Perspective::localizedJournalPrompt() const
{
    return core::localizedJournalPrompt(id);
}

const QList<Perspective> &perspectives()
{
    static const QList<Perspective> catalogue = [] {
        QList<Perspective> list;
        list.reserve(qsizetype(kTexts.size()));
        for (const CatalogueTexts &texts : kTexts) {
            list.append(Perspective{
                texts.id, QString::fromUtf8(texts.name), QString::fromUtf8(texts.title),
                QString::fromUtf8(texts.explanation), QString::fromUtf8(texts.journalPrompt)});
        }
        return list;
    }();
    return catalogue;
}

const Perspective &perspective(PerspectiveID id)
{
    const auto index = static_cast<qsizetype>(id);
    const QList<Perspective> &catalogue = perspectives();
    return index >= 0 && index < catalogue.size() ? catalogue[index] : catalogue.front();
}

QString localizedTitle(PerspectiveID id)
{
    return translated(textsOf(id).title);
}

QString localizedExplanation(PerspectiveID id)
{
    return translated(textsOf(id).explanation);
}

QString localizedJournalPrompt(PerspectiveID id)
{
    return translated(textsOf(id).journalPrompt);
}

} // namespace wrenfold::core
