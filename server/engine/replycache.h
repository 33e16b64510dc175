#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>

// Replies (JSON text) kept between calls and shared by the threads of one
// server. Whoever changes the data behind a reply invalidates its key; a
// reply built from data read before that invalidation is not kept, so a
// slow reader cannot put back what a writer has just thrown away.
class ReplyCache final
{
public:
    // Past this many replies the cache starts afresh rather than growing.
    static constexpr int maxEntries = 512;

    // The kept reply (empty when none) and, in `generation`, the stamp to
    // hand to put() for a reply built now.
    QByteArray get(const QString& key, quint64* generation) const;
    // Keeps the reply unless the key was invalidated since `generation`.
    void put(const QString& key, const QByteArray& json, quint64 generation);
    void invalidate(const QString& key);

private:
    mutable QMutex m_mutex;
    QHash<QString, QByteArray> m_replies;
    QHash<QString, quint64> m_generations; // only keys ever invalidated
};
