#include "server/store/storeproductrow.h"

#include "server/store/storecommon.h"

#include <QSqlQuery>
#include <QVariant>

WorkoutActivity WorkoutActivity::fromQuery(const QSqlQuery& query)
{
    return {query.value(QStringLiteral("activity_code")).toString(),
            query.value(QStringLiteral("activity_minutes")).toInt()};
}

void WorkoutActivity::addTo(QJsonObject& item) const
{
    // Only a workout has them; a client that does not know them skips them.
    if (code.isEmpty())
        return;
    item.insert(QStringLiteral("activity_code"), code);
    item.insert(QStringLiteral("activity_minutes"), QString::number(minutes));
}

QString StoreProductRow::selectClause(const QString& extraColumns)
{
    return QStringLiteral(
        "SELECT p.id, p.type, p.title, p.subtitle, p.minidescription, p.fulldescription,"
        " p.price_cents, p.ebook_price_cents, p.period_days, p.image, p.video, p.ebook_file,"
        " p.contact_email, p.contact_phone, p.contact_name, p.activity_code, p.activity_minutes,"
        " COALESCE(pu.product_owned, 0) AS product_owned, COALESCE(pu.ebook_owned, 0) AS ebook_owned,"
        " COALESCE(pu.end_day, 0) AS end_day, COALESCE(pu.ebook_end_day, 0) AS ebook_end_day,"
        " d.uri AS uri, d.uri1 AS uri1")
        + extraColumns
        + QStringLiteral(
        " FROM products p"
        " LEFT JOIN purchases pu ON pu.product_id = p.id AND pu.user_id = ?"
        " LEFT JOIN video_downloads d ON d.product_id = p.id AND d.user_id = ? AND d.platform = 'desktop'");
}

StoreProductRow StoreProductRow::fromQuery(const QSqlQuery& query)
{
    StoreProductRow row;
    row.m_id = query.value(QStringLiteral("id")).toLongLong();
    row.m_type = query.value(QStringLiteral("type")).toString();
    row.m_title = query.value(QStringLiteral("title")).toString();
    row.m_subtitle = query.value(QStringLiteral("subtitle")).toString();
    row.m_mini = query.value(QStringLiteral("minidescription")).toString();
    row.m_full = query.value(QStringLiteral("fulldescription")).toString();
    row.m_priceCents = query.value(QStringLiteral("price_cents")).toLongLong();
    row.m_ebookPriceCents = query.value(QStringLiteral("ebook_price_cents")).toLongLong();
    row.m_periodDays = query.value(QStringLiteral("period_days")).toInt();
    row.m_image = query.value(QStringLiteral("image")).toString();
    row.m_video = query.value(QStringLiteral("video")).toString();
    row.m_ebookFile = query.value(QStringLiteral("ebook_file")).toString();
    row.m_email = query.value(QStringLiteral("contact_email")).toString();
    row.m_phone = query.value(QStringLiteral("contact_phone")).toString();
    row.m_name = query.value(QStringLiteral("contact_name")).toString();
    row.m_activity = WorkoutActivity::fromQuery(query);
    row.m_productOwned = query.value(QStringLiteral("product_owned")).toInt() != 0;
    row.m_ebookOwned = query.value(QStringLiteral("ebook_owned")).toInt() != 0;
    row.m_endDay = query.value(QStringLiteral("end_day")).toLongLong();
    row.m_ebookEndDay = query.value(QStringLiteral("ebook_end_day")).toLongLong();
    const QVariant uri1 = query.value(QStringLiteral("uri1"));
    row.m_downloaded = !uri1.isNull();
    row.m_uri = query.value(QStringLiteral("uri")).toString();
    row.m_uri1 = uri1.toString();
    return row;
}

bool StoreProductRow::ebookActive() const
{
    // An e-book is a subscription of its own period; 0 means no end.
    return m_ebookOwned && (m_ebookEndDay == 0 || m_ebookEndDay > StoreCommon::nowMs());
}

QJsonObject StoreProductRow::commonJson(const ServerContext& context) const
{
    QJsonObject item;
    item.insert(QStringLiteral("id"), QString::number(m_id));
    item.insert(QStringLiteral("type"), m_type);
    item.insert(QStringLiteral("title"), m_title);
    item.insert(QStringLiteral("subtitle"), m_subtitle);
    item.insert(QStringLiteral("minidescription"), m_mini);
    item.insert(QStringLiteral("fulldescription"), m_full);
    item.insert(QStringLiteral("price"), StoreCommon::moneyText(m_priceCents));
    item.insert(QStringLiteral("ebookprice"), StoreCommon::moneyText(m_ebookPriceCents));
    item.insert(QStringLiteral("period"), QString::number(m_periodDays));
    item.insert(QStringLiteral("image"), m_image.isEmpty() ? QString() : context.fileUrl(m_image));
    item.insert(QStringLiteral("video"), m_video.isEmpty() ? QString() : context.fileUrl(m_video));
    item.insert(QStringLiteral("email"), m_email);
    item.insert(QStringLiteral("phone"), m_phone);
    item.insert(QStringLiteral("name"), m_name);
    item.insert(QStringLiteral("quantity"), QStringLiteral("1"));
    item.insert(QStringLiteral("status"), owned() ? QStringLiteral("yes") : QStringLiteral("no"));
    // First flag: the e-book is owned; second flag: the product itself is not.
    item.insert(QStringLiteral("ebook2"),
                QStringLiteral("%1,%2").arg(ebookActive() ? 1 : 0).arg(m_productOwned ? 0 : 1));
    m_activity.addTo(item);
    return item;
}

QJsonObject StoreProductRow::toJson(const ServerContext& context) const
{
    QJsonObject item = commonJson(context);
    item.insert(QStringLiteral("ebook"), QStringLiteral("0"));
    const qint64 endDay = m_productOwned ? m_endDay : (ebookActive() ? m_ebookEndDay : 0);
    item.insert(QStringLiteral("endDay"), QString::number(endDay));
    // The client reads uri1 only when "uri" is present, i.e. once downloaded.
    if (m_downloaded) {
        item.insert(QStringLiteral("uri"), m_uri);
        item.insert(QStringLiteral("uri1"), m_uri1);
    }
    return item;
}

QJsonObject StoreProductRow::toEbookJson(const ServerContext& context) const
{
    QJsonObject item = commonJson(context);
    item.insert(QStringLiteral("ebook"), QStringLiteral("1"));
    item.insert(QStringLiteral("price"), StoreCommon::moneyText(m_ebookPriceCents));
    item.insert(QStringLiteral("endDay"), QString::number(m_ebookEndDay));
    // The library lists an entry only with a non-empty uri1: for an e-book
    // that is where it can be read.
    item.insert(QStringLiteral("uri"), QString());
    item.insert(QStringLiteral("uri1"), m_ebookFile.isEmpty() ? QString() : context.fileUrl(m_ebookFile));
    return item;
}
