#include "server/engine/replycache.h"

#include <QMutexLocker>

QByteArray ReplyCache::get(const QString& key, qint64 version) const
{
    const QMutexLocker locker(&m_mutex);
    const auto it = m_replies.constFind(key);
    return it != m_replies.constEnd() && it->version == version ? it->json : QByteArray();
}

void ReplyCache::put(const QString& key, const QByteArray& json, qint64 version)
{
    const QMutexLocker locker(&m_mutex);
    const auto it = m_replies.find(key);
    if (it != m_replies.end()) {
        if (it->version <= version)
            *it = Entry{json, version};
        return;
    }
    if (m_replies.size() >= maxEntries)
        m_replies.clear();
    m_replies.insert(key, Entry{json, version});
}
