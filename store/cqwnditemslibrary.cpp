// Library rows, program videos, downloads, removals and renewal of the list
// window. The store and cart lists do not use these.
#include "store/cqwnditems.h"

#include "app/accountstate.h"
#include "app/server.h"
#include "main/mainwindow.h"
#include "main/windowplacement.h"
#include "store/cqdlgconfirm.h"
#include "store/libraryrules.h"
#include "store/localvideofiles.h"
#include "store/storeendpoint.h"
#include "store/storelistkind.h"
#include "store/storereplies.h"
#include "store/subscriptionrenewal.h"
#include "video/cqwndvideodownload.h"
#include "video/cqwndvideoplay.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int programListWidth = 1080;

QString cancelFailedText()
{
    return CqWndItems::tr("The subscription could not be cancelled. Please try again later.");
}

// A list of a program's videos as a window of its own.
void openProgramList(int kind, int programId)
{
    auto* list = new CqWndItems(kind, programId, nullptr);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->setWindowTitle(kind == StoreListKind::ProgramFromLibrary ? CqWndItems::tr("PROGRAM VIDEOS")
                                                                   : CqWndItems::tr("PROGRAM VIDEOS!"));
    list->setFixedWidth(programListWidth);
    WindowPlacement::centreOver(list);
    list->show();
}

// A file the member deletes may be the one the player is showing.
void deleteLocalVideo(const QString& path)
{
    if (path.isEmpty())
        return;
    if (CqWndVideoPlay::hasInstance() && CqWndVideoPlay::instance()->source() == path)
        CqWndVideoPlay::instance()->stop();
    LocalVideoFiles::remove(path, dataDir);
}

} // namespace

void CqWndItems::buildLibraryRow(const ProductItem& item, QWidget* card, QVBoxLayout* column)
{
    const LibraryRules::LibraryRow row = LibraryRules::libraryRow(m_kind, item.type, item.ebook);
    auto* line = new QHBoxLayout;
    line->setSpacing(10);

    QPushButton* play = makeButton(card, item, row.playText, row.playWidth, "owned");
    play->setAccessibleName(row.playText);
    if (row.playOpensEbook) {
        const int id = item.id;
        connect(play, &QPushButton::clicked, this, [this, id] { on_btnViewEbook_clicked(id); });
    } else {
        connect(play, &QPushButton::clicked, this, &CqWndItems::on_btnPlay_clicked);
    }
    line->addWidget(play);

    if (row.deleteButton) {
        QPushButton* remove = makeButton(card, item, QStringLiteral("X"), 40, "buy");
        remove->setAccessibleName(tr("Delete the downloaded video"));
        connect(remove, &QPushButton::clicked, this, &CqWndItems::on_btnRemoveLocal_clicked);
        line->addWidget(remove);
    }
    if (row.cancelButton) {
        QPushButton* cancel = makeButton(card, item, QStringLiteral("XS"), 80, "buy");
        cancel->setAccessibleName(tr("Cancel the subscription"));
        connect(cancel, &QPushButton::clicked, this, &CqWndItems::on_btnRemoveSubscription_clicked);
        line->addWidget(cancel);
    }
    line->addStretch();
    column->addLayout(line);
}

void CqWndItems::checkRenewal(const ProductItem& item)
{
    if (!LibraryRules::needsRenewal(item.type, item.status, item.id, item.endDay,
                                    QDateTime::currentMSecsSinceEpoch()))
        return;
    // At most one renewal per product runs at a time, whichever list asks.
    SubscriptionRenewal::instance()->renew(
        RenewalItem{item.id, item.type, item.title, item.price, item.quantity, item.ebook});
}

void CqWndItems::on_btnDown_clicked()
{
    const ProductItem* item = senderItem();
    if (!item)
        return;
    const LibraryRules::DownloadAction action = LibraryRules::downloadAction(m_kind, item->uri1);
    if (action == LibraryRules::DownloadAction::Nothing)
        return;
    CqWndVideoDownLoad::open(action == LibraryRules::DownloadAction::ProgramVideo,
                             DownloadItem{item->id, item->video, item->type, item->title});
}

void CqWndItems::on_btnProgram_clicked()
{
    if (const ProductItem* item = senderItem())
        openProgramList(StoreListKind::ProgramFromStore, item->id);
}

void CqWndItems::on_btnPlay_clicked()
{
    const ProductItem* item = senderItem();
    if (!item)
        return;
    if (item->isProgram()) {
        openProgramList(StoreListKind::ProgramFromLibrary, item->id);
        return;
    }
    // A workout offers to log itself once played far enough.
    CqWndVideoPlay::instance()->playSource(item->uri1, WorkoutOffer::forProduct(*item));
}

void CqWndItems::on_btnRemoveLocal_clicked()
{
    const ProductItem* item = senderItem();
    if (!item || isChanging())
        return;
    // Copies: the dialog's event loop may outlive anything this window holds.
    const int id = item->id;
    const QString path = item->uri1;
    CqDlgConfirm confirm(0, this);
    if (confirm.exec() != 1 || isChanging())
        return;

    // The member asked for the file to go: it goes now, whatever the service
    // answers (a missing file is no error).
    deleteLocalVideo(path);
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    const QString failure = tr("The video could not be deleted. Please try again later.");
    if (m_kind == StoreListKind::ProgramFromLibrary) {
        fields.addQueryItem(QStringLiteral("program_id"), LibraryRules::desktopId(id));
        startChange(QStringLiteral("removeProgramVideo1"), fields, failure);
    } else {
        fields.addQueryItem(QStringLiteral("product_id"), LibraryRules::desktopId(id));
        startChange(QStringLiteral("removeVideo"), fields, failure);
    }
}

// The answers to the removals are not read: a fresh library shows what the
// service made of them.
void CqWndItems::slt_net_removeVideo(QString)
{
    endChange();
    MainWindow::instance()->showLibrary();
}

void CqWndItems::slt_net_removeProgram(QString)
{
    endChange();
    if (m_kind == StoreListKind::ProgramFromLibrary)
        close();
    MainWindow::instance()->showLibrary();
}

void CqWndItems::on_btnRemoveSubscription_clicked()
{
    const ProductItem* item = senderItem();
    if (!item || isChanging())
        return;
    const int id = item->id;
    const bool program = item->isProgram();
    const QString path = item->uri1;
    CqDlgConfirm confirm(1, this);
    if (confirm.exec() != 1 || isChanging())
        return;

    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    fields.addQueryItem(QStringLiteral("product_id"), QString::number(id));
    if (program) {
        // The program's downloaded videos go first; the reply lists them.
        m_cancellingProgram = id;
        startChange(QStringLiteral("removeAllProgramVideo"), fields, cancelFailedText());
        return;
    }
    deleteLocalVideo(path);
    startChange(QStringLiteral("removeSubscription"), fields, cancelFailedText());
}

void CqWndItems::slt_net_removeAllProgram(QString reply)
{
    const StoreReplies::ProgramRemoval removal = StoreReplies::parseProgramRemoval(reply, m_cancellingProgram);
    m_cancellingProgram = 0;
    if (!m_change)
        return;
    if (!removal.ok) {
        changeFailed();
        return;
    }
    // The service has forgotten the program's downloads: their files go.
    for (const QString& file : removal.files)
        deleteLocalVideo(file);

    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    fields.addQueryItem(QStringLiteral("product_id"), removal.productId);
    startChange(QStringLiteral("removeSubscription"), fields, cancelFailedText());
}

void CqWndItems::slt_net_removeSubscription(QString)
{
    endChange();
    MainWindow::instance()->showLibrary();
}

void CqWndItems::slt_net_payment(QString)
{
    // Renewals run in SubscriptionRenewal, one per product for the whole
    // program, so this window's Server never sends a payment.
}
