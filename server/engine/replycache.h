#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>

// Replies (JSON text) kept between calls and shared by the threads of one
// server, each stamped with the version of the data it was built from. The
// version lives in the database, where every instance on it bumps it when
// the data changes, so a reply is only handed out to a caller that has just
// read the same version: another instance's change is never answered with
// this one's old reply.
class ReplyCache final
{
public:
    // Past this many replies the cache starts afresh rather than growing.
    static constexpr int maxEntries = 512;

    // The reply kept for the key at exactly this version; empty otherwise.
    QByteArray get(const QString& key, qint64 version) const;
    // Keeps the reply unless one of a later version is kept already (a slow
    // reader does not replace a newer reply with its older one).
    void put(const QString& key, const QByteArray& json, qint64 version);

private:
    struct Entry
    {
        QByteArray json;
        qint64 version = 0;
    };
    mutable QMutex m_mutex;
    QHash<QString, Entry> m_replies;
};
