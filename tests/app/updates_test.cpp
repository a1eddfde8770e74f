// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "platform/alerts.h"
#include "support/model_fixture.h"
#include "support/update_world.h"

using namespace Qt::StringLiterals;
using namespace wrenfold;
using wrenfold::testing::LocalHttpServer;
using wrenfold::testing::readFile;
using wrenfold::testing::waitUntil;

namespace {

/// Answers alerts like a person: each question with the next planned answer.
class AnsweringAlerts final : public platform::Alerts {
public:
    QList<int> answers;
    QStringList shown; ///< "message | informative" of every alert, in order
    void inform(const QString &message, const QString &informative) override
    {
        shown << message + u" | "_s + informative;
    }
    int ask(const QString &message, const QString &informative, const QStringList &) override
    {
        shown << message + u" | "_s + informative;
        return answers.isEmpty() ? -1 : answers.takeFirst();
    }
};

class UpdateCommandsTest : public wrenfold::testing::ModelTest,
                           public wrenfold::testing::UpdateWorld {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        ASSERT_TRUE(UpdateWorld::setUp()) << "openssl or the TLS server is missing";
        release(u"update"_s);
        server.setResponse("/wrenfold/latest.json",
                           {200, R"({"version": "99.0", "url": ")" +
                                     offer(u"update"_s).downloadURL.toEncoded() + "\"}"});
    }

    app::AppModel &makeUpdatingModel()
    {
        app::AppServices result = services();
        result.network = session.get();
        result.alerts = &alerts;
        result.manifestURL = server.url(u"/wrenfold/latest.json"_s);
        result.installSettings = installSettings;
        result.quit = [this] { ++quits; };
        model = std::make_unique<app::AppModel>(std::move(result));
        return *model;
    }

    int requestsFor(const QByteArray &path) const
    {
        return int(std::count_if(server.requests().cbegin(), server.requests().cend(),
                                 [&](const auto &request) { return request.path == path; }));
    }

    /// A user check that finds the update and is answered with `answer`.
    void checkAndAnswer(int answer)
    {
        alerts.answers = {answer};
        model->checkForUpdates();
        EXPECT_TRUE(model->isCheckingForUpdate());
        ASSERT_TRUE(waitUntil([&] { return !model->isCheckingForUpdate(); }, 30000));
    }

    AnsweringAlerts alerts;
    int quits = 0;
};

const QString kPrompt = u"A new version of Wrenfold is available | Wrenfold 99.0 is ready. The "
                        u"app will update and relaunch."_s;
const QString kFailed = u"Update failed | Move Wrenfold to a folder you can write to and try "
                        u"again, or download the latest version from the website."_s;

TEST_F(UpdateCommandsTest, launchCheck_isOffOnlyForExactlyTrue)
{
    const struct {
        const char *value; // nullptr: not set
        int launchRequests;
    } rows[] = {{"true", 0}, {"TRUE", 1}, {"1", 1}, {"", 1}, {nullptr, 1}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value ? row.value : "unset");
        environment.remove(u"DISABLE_AUTO_UPDATE"_s);
        if (row.value)
            environment.insert(u"DISABLE_AUTO_UPDATE"_s, QString::fromLatin1(row.value));
        const int before = requestsFor("/wrenfold/latest.json");
        makeUpdatingModel();
        // A user check afterwards always asks; the launch check's request came first.
        checkAndAnswer(1);
        EXPECT_EQ(requestsFor("/wrenfold/latest.json") - before, row.launchRequests + 1);
        EXPECT_TRUE(model->availableUpdate().has_value());
    }
}

TEST_F(UpdateCommandsTest, userCheck_laterKeepsOffer_failedInstallSavesNoteFirst_andReenables)
{
    const LocalHttpServer::Response manifest = server.responseFor("/wrenfold/latest.json");
    server.setResponse("/wrenfold/latest.json", {404, "gone"});
    makeUpdatingModel();
    model->checkForUpdates();
    model->checkForUpdates(); // ignored while the first runs
    ASSERT_TRUE(waitUntil([&] { return !model->isCheckingForUpdate(); }, 30000));
    EXPECT_EQ(alerts.shown,
              QStringList{u"You’re up to date | Wrenfold %1 is the latest version."_s.arg(
                  app::AppModel::version())});
    EXPECT_EQ(requestsFor("/wrenfold/latest.json"), 1);

    server.setResponse("/wrenfold/latest.json", manifest);
    checkAndAnswer(1); // "Later"
    ASSERT_TRUE(model->availableUpdate().has_value());

    model->noteChanged(u"typed just before updating"_s);
    QByteArray noteAtDownload;
    QObject::connect(&server, &LocalHttpServer::requestReceived, [&](const QByteArray &path) {
        if (path == "/update.zip")
            noteAtDownload = readFile(notePath());
    });
    serve(u"update"_s, "gone", 404);
    alerts.answers = {0}; // "Install", from the menu item that offers the update
    model->promptForUpdate();
    EXPECT_TRUE(model->isUpdating());
    model->installUpdate();   // a second install while one runs does nothing
    model->checkForUpdates(); // nor does a check
    EXPECT_FALSE(model->isCheckingForUpdate());

    ASSERT_TRUE(waitUntil([&] { return !model->isUpdating(); }, 30000));
    EXPECT_EQ(noteAtDownload, "typed just before updating");
    EXPECT_EQ(requestsFor("/update.zip"), 1);
    EXPECT_EQ(alerts.shown.mid(1), (QStringList{kPrompt, kPrompt, kFailed}));
    EXPECT_TRUE(model->availableUpdate().has_value()) << "the user can try again";
    EXPECT_EQ(quits, 0);
    EXPECT_TRUE(installedUntouched());
}

TEST_F(UpdateCommandsTest, install_quitsAndTheNewVersionStartsOnceTheAppEnded)
{
    startApp();
    makeUpdatingModel();
    checkAndAnswer(0); // "Install"
    ASSERT_TRUE(waitUntil([&] { return quits == 1; }, 30000));
    EXPECT_TRUE(model->isUpdating());
    EXPECT_TRUE(installedUntouched()) << "nothing is replaced while the app runs";

    quitApp();
    ASSERT_TRUE(waitUntil([&] { return readFile(marker) == "new\n"; }, 30000));
    EXPECT_EQ(readFile(installed + u"/usr/bin/wrenfold"_s), "binary new");
    EXPECT_FALSE(QFileInfo::exists(installed + u".bak"_s));
}

} // namespace
