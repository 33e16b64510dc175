#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

// One product, cart entry, library entry or program video as the store lists
// deliver it. Filled from one reply object; every member starts empty or 0.
struct ProductItem
{
    qint32 id = 0;
    QString title;
    QString subtitle;
    QString minidescription;
    QString fulldescription;
    double price = 0;
    double ebookprice = 0;
    qint32 ebook = 0; // 1: the e-book of the product (library), or buying it
    QString ebook2;   // "<ebook owned>,<product owned>"
    QString period;   // subscription period in days, as text
    QString image;
    QString video;
    QString uri1; // the downloaded file on this computer; empty when not downloaded
    QString email;
    QString phone;
    QString name;
    QString type;
    QString status; // "yes" when the member owns it
    qint64 endDay = 0;
    qint32 quantity = 0;
    // What a workout counts as when logged: the exercise catalogue's code and
    // the video's minutes, as the list gave them (empty and 0 when absent).
    QString activityCode;
    qint32 activityMinutes = 0;

    // Reads the keys that are present. Numbers may come as JSON strings or
    // numbers; anything unreadable is 0. Prices that are negative, not finite
    // or beyond any real price also read as 0, so they can never be charged.
    static ProductItem fromJson(const QJsonObject& object);

    bool isOwned() const { return status == QLatin1String("yes"); }
    // NUTRITION and COACHING are physical goods; everything else is a video
    // or a complete program bought as a 30-day subscription.
    bool isPhysical() const;
    bool isProgram() const { return type == QLatin1String("PROGRAM"); }

    // Case-insensitive match of `lowerText` in the title, subtitle, mini or
    // full description.
    bool matches(const QString& lowerText) const;
};

// A parsed list reply: the entries in reply order.
struct ProductListReply
{
    int resultCode = 0;
    QList<ProductItem> items;

    // The first array of "video_list", "checkout_list", "local_list",
    // "programvideo_list" present. A reply that is not JSON, fails or has none
    // of the keys gives no items.
    static ProductListReply parse(const QString& text);
};
