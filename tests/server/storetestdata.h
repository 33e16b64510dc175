#pragma once

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QtTest>

// Rows and readers shared by the store and live-service tests: each test
// fills a fresh server with just the members and items it needs.
namespace StoreTestData {

inline bool insert(QSqlDatabase db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db);
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        qWarning() << "test data:" << query.lastError().text();
        return false;
    }
    return true;
}

inline bool addMember(QSqlDatabase db, qint64 id)
{
    return insert(db,
                  QStringLiteral("INSERT INTO users (id, email, username, password_hash, salt, check_day)"
                                 " VALUES (?, ?, 'Test Member', 'x', 'x', '2026-01-01')"),
                  {id, QStringLiteral("member%1@test.local").arg(id)});
}

inline bool addProduct(QSqlDatabase db, qint64 id, const QString& type, qint64 priceCents,
                       qint64 ebookPriceCents = 0, const QString& video = {})
{
    return insert(db,
                  QStringLiteral("INSERT INTO products (id, type, title, subtitle, minidescription, fulldescription,"
                                 " price_cents, ebook_price_cents, period_days, image, video, ebook_file)"
                                 " VALUES (?, ?, ?, 'sub', 'mini', 'full', ?, ?, 60, 'store/p.png', ?, ?)"),
                  {id, type, QStringLiteral("Product %1").arg(id), priceCents, ebookPriceCents,
                   video.isEmpty() ? QStringLiteral("") : video,
                   ebookPriceCents > 0 ? QStringLiteral("ebooks/e.html") : QStringLiteral("")});
}

inline bool addProgramVideo(QSqlDatabase db, qint64 id, qint64 programId)
{
    return insert(db,
                  QStringLiteral("INSERT INTO program_videos (id, program_id, position, title, video)"
                                 " VALUES (?, ?, 0, 'Session', 'videos/pv.mp4')"),
                  {id, programId});
}

inline bool addService(QSqlDatabase db, qint64 id, const QString& type, qint64 priceCents)
{
    return insert(db,
                  QStringLiteral("INSERT INTO services (id, type, title, price_cents, skype, whatsapp)"
                                 " VALUES (?, ?, ?, ?, 'coach.one', '12025550100')"),
                  {id, type, QStringLiteral("Service %1").arg(id), priceCents});
}

inline int code(const QJsonObject& reply)
{
    // A missing code must not read as success.
    return reply.value(QStringLiteral("result_code")).toInt(-1);
}

inline QStringList ids(const QJsonObject& reply, const QString& listKey)
{
    QStringList result;
    for (const QJsonValue& entry : reply.value(listKey).toArray())
        result.append(entry.toObject().value(QStringLiteral("id")).toString());
    return result;
}

inline QJsonObject entry(const QJsonObject& reply, const QString& listKey, const QString& id)
{
    for (const QJsonValue& value : reply.value(listKey).toArray()) {
        if (value.toObject().value(QStringLiteral("id")).toString() == id)
            return value.toObject();
    }
    return {};
}

// A card that passes every check, good through next year.
inline QString goodCard()
{
    return QStringLiteral("4242424242424242");
}

inline QString nextYearExpiry()
{
    return QStringLiteral("%1-06").arg(QDate::currentDate().year() + 1);
}

// An end day a subscription paid for now may have: 30 days from now.
inline QString monthAhead()
{
    return QString::number(QDateTime::currentMSecsSinceEpoch() + 30LL * 24 * 3600 * 1000);
}

} // namespace StoreTestData
