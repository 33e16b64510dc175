#pragma once

#include "server/engine/endpoints.h"

#include <QJsonObject>
#include <QString>

class QSqlQuery;

// What a workout counts as when the member logs it: the exercise
// catalogue's activity code and the video's length in minutes. Read from
// the columns activity_code and activity_minutes.
struct WorkoutActivity
{
    QString code; // empty: not a workout
    int minutes = 0;

    static WorkoutActivity fromQuery(const QSqlQuery& query);
    // Adds "activity_code" and "activity_minutes" (as text) to a list entry.
    void addTo(QJsonObject& item) const;
};

// One product as the member sees it: the catalogue row joined with the
// member's purchase and download. Reads the columns of selectClause() and
// writes the reply object of the store lists, every value as text.
class StoreProductRow final
{
public:
    // "SELECT ... FROM products p LEFT JOIN purchases ... LEFT JOIN
    // video_downloads ..." with any extra columns (", c.ebook");
    // binds: user id, user id.
    static QString selectClause(const QString& extraColumns = {});
    static StoreProductRow fromQuery(const QSqlQuery& query);

    // An entry of the store, cart and library lists (ebook "0").
    QJsonObject toJson(const ServerContext& context) const;
    // The library entry of the product's e-book (ebook "1").
    QJsonObject toEbookJson(const ServerContext& context) const;

    bool ebookActive() const;
    bool owned() const { return m_productOwned || ebookActive(); }
    bool productOwned() const { return m_productOwned; }
    const QString& type() const { return m_type; }
    qint64 id() const { return m_id; }
    qint64 priceCents() const { return m_priceCents; }
    qint64 ebookPriceCents() const { return m_ebookPriceCents; }

private:
    QJsonObject commonJson(const ServerContext& context) const;

    qint64 m_id = 0;
    QString m_type;
    QString m_title;
    QString m_subtitle;
    QString m_mini;
    QString m_full;
    qint64 m_priceCents = 0;
    qint64 m_ebookPriceCents = 0;
    int m_periodDays = 30;
    QString m_image;
    QString m_video;
    QString m_ebookFile;
    QString m_email;
    QString m_phone;
    QString m_name;
    WorkoutActivity m_activity;
    bool m_productOwned = false;
    bool m_ebookOwned = false;
    qint64 m_endDay = 0;
    qint64 m_ebookEndDay = 0;
    bool m_downloaded = false;
    QString m_uri;
    QString m_uri1;
};
