// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include "app/day_activity.h"
#include "core/markdown_store.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <optional>

namespace wrenfold::app {

/// Runs journal searches on a thread of its own, so reading every note for the first
/// time never stalls the window. Only the newest request is answered; a request made
/// while an older one reads notes abandons the older one. A change in a watched notes
/// folder answers the newest request again. The kept notes are saved to the cache file a
/// little after they changed.
class JournalSearchWorker : public QObject {
    Q_OBJECT

public:
    /// `cacheFolder` empty: no cache file.
    explicit JournalSearchWorker(QString cacheFolder, QObject *parent = nullptr);
    ~JournalSearchWorker() override;

    void search(const core::MarkdownStore &store, const QList<QDate> &dates, const QString &query);

    /// The cache file for the notes folder `root` inside `cacheFolder`.
    static QString cacheFileFor(const QString &cacheFolder, const QString &root);

signals:
    /// On this object's thread, for the newest request only. A long answer to a new query
    /// comes in parts (`complete` false), each the start of the next, so a list can show
    /// its first rows at once; an answer to the same query again (notes changed) comes
    /// whole, so a list showing it never shrinks meanwhile.
    void answered(const QString &query, const QList<wrenfold::app::JournalSearchResult> &results,
                  bool complete);
    /// Part of the notes read so far (0 to 1) while a search reads many of them; nullopt
    /// once it is done.
    void progressChanged(std::optional<double> progress);

private:
    class ThreadSide;

    QThread m_thread;
    ThreadSide *m_side = nullptr; ///< lives on m_thread, deleted with it
    std::atomic<quint64> m_latest{0};
};

} // namespace wrenfold::app
