// Program videos (getProgramVideos) in the two program lists, what a card's
// download does and where the video is saved, and the service's answer when
// the download is reported (setVideoUri, setProgramVideoUri).
#include "fuzzinput.h"
#include "store/libraryrules.h"
#include "store/productitem.h"
#include "store/storecardrules.h"
#include "store/storelistkind.h"
#include "video/downloadheaders.h"
#include "video/downloadreport.h"

#include <QUrl>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString reply = fuzzReply(data, size);
    const QString directory = QStringLiteral("/tmp/olva-fuzz-data");
    for (const ProductItem& item : ProductListReply::parse(reply).items) {
        for (int kind : {StoreListKind::ProgramFromStore, StoreListKind::ProgramFromLibrary}) {
            const StoreCardRules::Card card = StoreCardRules::decide(item, kind);
            // Program videos are never bought one by one.
            if (card.buy.visible || card.buyEbook.visible || card.program.visible)
                std::abort();
            LibraryRules::downloadAction(kind, item.uri1);
            LibraryRules::showsCard(kind, item.type, item.uri1);
            LibraryRules::libraryRow(kind, item.type, item.ebook);
        }
        const QString path = DownloadHeaders::localPathFor(QUrl(item.video), directory);
        if (!path.startsWith(directory + QStringLiteral("/.")) || path.indexOf(u'/', directory.size() + 1) >= 0)
            std::abort();
        DownloadReport::refreshFor(item.type, true);
        DownloadReport::refreshFor(item.type, false);
        DownloadReport::videoFields(QStringLiteral("1"), item.id, path);
        DownloadReport::programVideoFields(QStringLiteral("1"), item.id, path);
        LibraryRules::desktopId(item.id);
    }

    const DownloadReport::Answer answer = DownloadReport::readAnswer(reply);
    if (answer.message.size() > 200 || (answer.outcome != DownloadReport::Answer::Outcome::Refused
                                         && !answer.message.isEmpty()))
        std::abort();
    return 0;
}
