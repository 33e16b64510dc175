#include "server/engine/replycache.h"

#include <QMutexLocker>

QByteArray ReplyCache::get(const QString& key, quint64* generation) const
{
    const QMutexLocker locker(&m_mutex);
    *generation = m_generations.value(key, 0);
    return m_replies.value(key);
}

void ReplyCache::put(const QString& key, const QByteArray& json, quint64 generation)
{
    const QMutexLocker locker(&m_mutex);
    if (m_generations.value(key, 0) != generation)
        return;
    if (m_replies.size() >= maxEntries && !m_replies.contains(key))
        m_replies.clear();
    m_replies.insert(key, json);
}

void ReplyCache::invalidate(const QString& key)
{
    const QMutexLocker locker(&m_mutex);
    ++m_generations[key];
    m_replies.remove(key);
}
