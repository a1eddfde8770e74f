// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "support/model_fixture.h"

#include "platform/folder_reference.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace wrenfold;
using namespace wrenfold::testing;

namespace {

class StartupTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        environment.remove(u"VESK_UI_TEST_ROOT"_s);
    }

    QString makeFolder(const QString &name)
    {
        const QString folder = path(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        return folder;
    }

    QByteArray referenceTo(const QString &folder)
    {
        auto reference = platform::FolderReference::create(folder);
        EXPECT_TRUE(reference.ok());
        return reference ? reference->serialise() : QByteArray();
    }
};

TEST_F(StartupTest, startAndRefusedChoices_useTheDocumentsFolderAndWriteNothing)
{
    auto &model = makeModel();
    const QString fallback = documents + u"/Vesk Wrenfold"_s;
    EXPECT_EQ(model.rootURL(), fallback);
    ASSERT_TRUE(writeFile(path(u"plain-file"_s), "x"));
    for (const std::optional<QString> &answer :
         {std::optional<QString>(), std::optional(path(u"plain-file"_s))}) {
        chooser.answer = answer;
        model.chooseRoot();
        EXPECT_EQ(model.rootURL(), fallback);
    }
    EXPECT_TRUE(model.errorMessage().has_value()) << "a file is no folder";
    settings->sync();
    EXPECT_TRUE(settings->allKeys().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(model.rootURL())) << "start-up creates no folder";
}

TEST_F(StartupTest, start_testRootThenFolderReferenceThenPath)
{
    enum class Bookmark { none, valid, gone, malformed };
    const QString fallback = documents + u"/Vesk Wrenfold"_s;
    const QString remembered = makeFolder(u"remembered"_s);
    const QString byPath = makeFolder(u"by-path"_s);
    const struct {
        const char *name;
        Bookmark bookmark;
        QString expected;
    } rows[] = {
        {"a valid reference wins over the path", Bookmark::valid, remembered},
        {"an unresolvable reference gives the default, not the path", Bookmark::gone, fallback},
        {"a malformed reference gives the default", Bookmark::malformed, fallback},
        {"the path alone is used", Bookmark::none, byPath},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        settings->clear();
        settings->setValue(u"notesRoot"_s, byPath);
        if (row.bookmark == Bookmark::valid)
            settings->setValue(u"notesRootBookmark"_s, referenceTo(remembered));
        if (row.bookmark == Bookmark::malformed)
            settings->setValue(u"notesRootBookmark"_s, QByteArray("\x01garbage{"));
        if (row.bookmark == Bookmark::gone) {
            const QString gone = makeFolder(u"gone"_s);
            settings->setValue(u"notesRootBookmark"_s, referenceTo(gone));
            ASSERT_TRUE(QDir(gone).removeRecursively());
        }
        EXPECT_EQ(makeModel().rootURL(), row.expected);
    }
    // The test root wins over both and leaves them as they are.
    const QByteArray bookmark = referenceTo(remembered);
    settings->setValue(u"notesRootBookmark"_s, bookmark);
    environment.insert(u"VESK_UI_TEST_ROOT"_s, path(u"test-root"_s));
    EXPECT_EQ(makeModel().rootURL(), path(u"test-root"_s));
    EXPECT_EQ(settings->value(u"notesRootBookmark"_s).toByteArray(), bookmark);
    EXPECT_EQ(settings->value(u"notesRoot"_s).toString(), byPath);
}

TEST_F(StartupTest, start_withStaleBookmark_renewsIt)
{
    const QString folder = makeFolder(u"notes"_s);
    const QByteArray old = referenceTo(folder);
    settings->setValue(u"notesRootBookmark"_s, old);
    // Another folder at the same path; the old one lives on, so its inode is not reused.
    ASSERT_TRUE(QDir().rename(folder, path(u"notes.old"_s)));
    makeFolder(u"notes"_s);

    EXPECT_EQ(makeModel().rootURL(), folder);
    const QByteArray renewed = settings->value(u"notesRootBookmark"_s).toByteArray();
    EXPECT_NE(renewed, old);
    const auto reference = platform::FolderReference::deserialise(renewed);
    ASSERT_TRUE(reference);
    ASSERT_TRUE(reference->resolve());
    EXPECT_FALSE(reference->resolve()->isStale);
}

TEST_F(StartupTest, chooseRoot_savesWaitingTextInTheOldFolder_remembersAndShowsTheNewOne)
{
    const QString chosen = makeFolder(u"chosen"_s);
    ASSERT_TRUE(writeFile(chosen + u"/Journal/2026/03/2026-03-05.md"_s, "Hello"));
    environment.insert(u"VESK_UI_TEST_ROOT"_s, path(u"old"_s));
    auto &model = makeModel();
    const QString oldNote = notePath();
    model.noteChanged(u"typed in the old folder"_s);
    chooser.answer = chosen;

    model.chooseRoot();

    EXPECT_EQ(readFile(oldNote), "typed in the old folder");
    EXPECT_EQ(model.noteText(), QString());
    EXPECT_FALSE(model.hasPendingSave());
    EXPECT_FALSE(QFileInfo::exists(notePath()));
    EXPECT_EQ(model.rootURL(), chosen);
    EXPECT_EQ(model.store().root(), chosen);
    EXPECT_EQ(settings->value(u"notesRoot"_s).toString(), chosen);
    const auto reference = platform::FolderReference::deserialise(
        settings->value(u"notesRootBookmark"_s).toByteArray());
    ASSERT_TRUE(reference);
    EXPECT_EQ(reference->path(), chosen);
    EXPECT_EQ(model.noteDates(), QList<QDate>{QDate(2026, 3, 5)});
}

TEST_F(StartupTest, start_withBrokenFlowsFile_reportsButLoadsNoteAndLists)
{
    const QString root = makeFolder(u"notes"_s);
    environment.insert(u"VESK_UI_TEST_ROOT"_s, root);
    ASSERT_TRUE(writeFile(root + u"/flows.json"_s, "[{\"id\": "));
    ASSERT_TRUE(writeFile(root + u"/Journal/2026/03/2026-03-05.md"_s, "old day"));
    notesRoot = root;
    ASSERT_TRUE(writeFile(todayNotePath(), "today's words"));

    auto &model = makeModel();
    EXPECT_TRUE(model.flows().isEmpty());
    EXPECT_TRUE(model.errorMessage().has_value());
    EXPECT_EQ(model.noteText(), u"today's words"_s);
    EXPECT_EQ(model.noteDates().size(), 2);
}

TEST_F(StartupTest, defaultPerspective_isReadStoredAndRemoved)
{
    const struct {
        std::optional<QString> stored;
        std::optional<core::PerspectiveID> expected;
    } rows[] = {{std::nullopt, std::nullopt},
                {u"kaizen"_s, core::PerspectiveID::kaizen},
                {u"shinrin-yoku"_s, core::PerspectiveID::shinrinYoku},
                {u"Kaizen"_s, std::nullopt},
                {u"zen"_s, std::nullopt}};
    for (const auto &row : rows) {
        settings->remove(u"defaultPerspective"_s);
        if (row.stored)
            settings->setValue(u"defaultPerspective"_s, *row.stored);
        EXPECT_EQ(makeModel().defaultPerspective(), row.expected)
            << row.stored.value_or(u"-"_s).toStdString();
    }
    auto &model = *this->model;
    QSignalSpy changed(&model, &app::AppModel::defaultPerspectiveChanged);
    model.setDefaultPerspective(core::PerspectiveID::wabiSabi);
    EXPECT_EQ(settings->value(u"defaultPerspective"_s).toString(), u"wabi-sabi"_s);
    model.setDefaultPerspective(std::nullopt);
    EXPECT_FALSE(settings->contains(u"defaultPerspective"_s));
    EXPECT_EQ(model.defaultPerspective(), std::nullopt);
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(StartupTest, setters_announceOnlyRealChanges)
{
    auto &model = makeModel();
    QSignalSpy selection(&model, &app::AppModel::selectionChanged);
    QSignalSpy any(&model, &app::AppModel::modelChanged);
    model.setSelection(app::AppSection::today); // the initial value
    EXPECT_EQ(selection.count(), 0);
    model.setSelection(app::AppSection::journal);
    model.setSelection(std::nullopt);
    EXPECT_EQ(selection.count(), 2);
    EXPECT_EQ(any.count(), 2);
    model.setErrorMessage(u"x"_s);
    model.setErrorMessage(u"x"_s);
    EXPECT_EQ(any.count(), 3);
}

} // namespace
