#include "server/demo/demolibrary.h"

#include "server/store/storecommon.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>
#include <QtEndian>

using namespace StoreCommon;

namespace DemoLibrary {

namespace {

constexpr qint64 demoMember = 1;
constexpr qint64 dayMs = 24LL * 60 * 60 * 1000;
constexpr qint64 bigVideoBytes = 6LL * 1024 * 1024;

// Videos made big enough to watch a download: the member's workout video
// and a video of the program the member owns.
const QStringList bigVideos = {QStringLiteral("videos/product_104.mp4"), QStringLiteral("videos/program_1002.mp4")};

} // namespace

bool padVideo(const QString& path, qint64 bytes)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadWrite | QIODevice::Append))
        return false;
    const qint64 missing = bytes - file.size();
    if (missing <= 8)
        return true;
    const quint32 boxSize = quint32(qMin<qint64>(missing, 0x7fffffff));
    char header[8];
    qToBigEndian(boxSize, header);
    memcpy(header + 4, "free", 4);
    if (file.write(header, 8) != 8)
        return false;
    const QByteArray zeros(1024 * 1024, '\0');
    qint64 left = boxSize - 8;
    while (left > 0) {
        const qint64 n = qMin<qint64>(left, zeros.size());
        if (file.write(zeros.constData(), n) != n)
            return false;
        left -= n;
    }
    return true;
}

void fill(ServerContext& context)
{
    for (const QString& video : bigVideos)
        padVideo(context.filesDir + QLatin1Char('/') + video, bigVideoBytes);

    const qint64 now = nowMs();
    Transaction transaction(context.db);
    if (!transaction.begun())
        return;
    KeptQuery purchase(context.db);
    purchase.prepare(QStringLiteral(
        "INSERT INTO purchases (user_id, product_id, product_owned, ebook_owned, end_day, ebook_end_day)"
        " VALUES (?, ?, 1, 0, ?, 0) ON CONFLICT DO NOTHING"));
    KeptQuery card(context.db);
    card.prepare(QStringLiteral(
        "INSERT INTO cards_on_file (user_id, product_id, reference, last_four, expiry) VALUES (?, ?, ?, ?, ?)"
        " ON CONFLICT DO NOTHING"));
    KeptQuery download(context.db);
    download.prepare(QStringLiteral(
        "INSERT INTO program_video_downloads (user_id, video_id, platform, uri1) VALUES (?, ?, 'desktop', ?)"
        " ON CONFLICT DO NOTHING"));
    const QString expiry = QStringLiteral("%1-12").arg(QDate::currentDate().year() + 2);

    // 202 ran out two days ago and renews on the card kept at its purchase;
    // 203 ran out yesterday and its card on file has expired since: declined,
    // then cancelled. 104 is an owned workout video to download and play.
    const QString expired = QStringLiteral("%1-01").arg(QDate::currentDate().year() - 1);
    const bool ok = runWith(purchase, {demoMember, 202, now - 2 * dayMs})
        && runWith(purchase, {demoMember, 203, now - dayMs})
        && runWith(purchase, {demoMember, 104, now + 30 * dayMs})
        && runWith(card, {demoMember, 202, QStringLiteral("card_demo_202"), QStringLiteral("4242"), expiry})
        && runWith(card, {demoMember, 203, QStringLiteral("card_demo_203"), QStringLiteral("0341"), expired})
        // The first video of the owned program counts as downloaded; the
        // file lies next to the server's copy (same machine in the demo).
        && runWith(download, {demoMember, 1001,
                              QFileInfo(context.filesDir + QStringLiteral("/videos/program_1001.mp4")).absoluteFilePath()});
    if (!ok || !transaction.commit())
        qWarning("olva-server: the demo library could not be filled");
}

} // namespace DemoLibrary
