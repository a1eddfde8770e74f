// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#include "app/journal_search_worker.h"

#include "app/journal_search.h"

#include <QCryptographicHash>
#include <QDir>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace wrenfold::app {

class JournalSearchWorker::ThreadSide : public QObject {
public:
    ThreadSide(JournalSearchWorker *owner, QString cacheFolder)
        : m_owner(owner), m_cacheFolder(std::move(cacheFolder))
    {
        // Saving waits for a quiet moment: the first reading of every note is written
        // once, not after each keystroke.
        m_saveTimer.setSingleShot(true);
        m_saveTimer.setInterval(2000);
        connect(&m_saveTimer, &QTimer::timeout, this, [this] {
            if (m_search)
                m_search->save();
        });
        // Several changes in a row (a save through a temporary file) answer once.
        m_changeTimer.setSingleShot(true);
        m_changeTimer.setInterval(150);
        connect(&m_changeTimer, &QTimer::timeout, this, [this] {
            if (m_last)
                run(*m_last, m_lastGeneration);
        });
    }

    ~ThreadSide() override
    {
        if (m_search && m_search->hasUnsavedNotes())
            m_search->save();
    }

    void run(const core::MarkdownStore &store, const QList<QDate> &dates, const QString &query,
             quint64 generation)
    {
        m_last = Request{store, dates, query};
        m_lastGeneration = generation;
        run(*m_last, generation);
    }

private:
    struct Request {
        core::MarkdownStore store;
        QList<QDate> dates;
        QString query;
    };

    void run(const Request &request, quint64 generation)
    {
        if (generation != m_owner->m_latest.load())
            return;
        if (!m_search || m_search->store().root() != request.store.root() ||
            !(m_search->store().calendar() == request.store.calendar())) {
            m_notifier.reset();
            if (m_search)
                m_search->save();
            const QString cacheFile =
                m_cacheFolder.isEmpty() || request.store.root().isEmpty()
                    ? QString()
                    : JournalSearchWorker::cacheFileFor(m_cacheFolder, request.store.root());
            m_search = std::make_unique<JournalSearch>(request.store, cacheFile);
            if (m_search->watchHandle() >= 0) {
                m_notifier = std::make_unique<QSocketNotifier>(m_search->watchHandle(),
                                                               QSocketNotifier::Read);
                connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
                    // Quiet until the answer has taken the changes in.
                    m_notifier->setEnabled(false);
                    m_changeTimer.start();
                });
            }
        }
        JournalSearchWorker *owner = m_owner;
        bool showedProgress = false;
        int percent = -1;
        JournalSearch::Hooks hooks;
        hooks.cancelled = [owner, generation] { return generation != owner->m_latest.load(); };
        // At most a hundred steps, so the screen redraws its indicator only that often.
        hooks.progress = [owner, &showedProgress, &percent](qsizetype done, qsizetype total) {
            const int now = total > 0 ? int(done * 100 / total) : 100;
            if (now == percent)
                return;
            percent = now;
            showedProgress = true;
            emit owner->progressChanged(now / 100.0);
        };
        if (request.query != m_answeredQuery) {
            const QString query = request.query;
            hooks.partial = [owner, generation, query](const QList<JournalSearchResult> &part) {
                if (generation == owner->m_latest.load())
                    emit owner->answered(query, part, false);
            };
        }
        std::optional<QList<JournalSearchResult>> results =
            m_search->results(request.dates, request.query, hooks);
        if (showedProgress)
            emit owner->progressChanged(std::nullopt);
        if (m_notifier)
            m_notifier->setEnabled(true);
        if (m_search->hasUnsavedNotes())
            m_saveTimer.start();
        if (results && generation == owner->m_latest.load()) {
            m_answeredQuery = request.query;
            emit owner->answered(request.query, *results, true);
        }
    }

    JournalSearchWorker *m_owner;
    QString m_cacheFolder;
    std::unique_ptr<JournalSearch> m_search;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::optional<Request> m_last;
    QString m_answeredQuery; ///< of the last complete answer
    quint64 m_lastGeneration = 0;
    // Children, so they move to the worker's thread with this object.
    QTimer m_saveTimer{this};
    QTimer m_changeTimer{this};
};

JournalSearchWorker::JournalSearchWorker(QString cacheFolder, QObject *parent) : QObject(parent)
{
    m_thread.setObjectName(u"journal search"_s);
    m_side = new ThreadSide(this, std::move(cacheFolder));
    m_side->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_side, &QObject::deleteLater);
    m_thread.start(QThread::LowPriority);
}

JournalSearchWorker::~JournalSearchWorker()
{
    // Abandons a search in progress, then lets the thread save and end.
    ++m_latest;
    m_thread.quit();
    m_thread.wait();
}

void JournalSearchWorker::search(const core::MarkdownStore &store, const QList<QDate> &dates,
                                 const QString &query)
{
    const quint64 generation = ++m_latest;
    ThreadSide *side = m_side;
    QMetaObject::invokeMethod(
        m_side,
        [side, store, dates, query, generation] { side->run(store, dates, query, generation); },
        Qt::QueuedConnection);
}

QString JournalSearchWorker::cacheFileFor(const QString &cacheFolder, const QString &root)
{
    const QByteArray id =
        QCryptographicHash::hash(root.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    return QDir(cacheFolder).filePath(u"journal-search-"_s + QString::fromLatin1(id) + u".idx"_s);
}

} // namespace wrenfold::app
