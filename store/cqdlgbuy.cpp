#include "store/cqdlgbuy.h"

#include "app/accountstate.h"
#include "store/money.h"
#include "store/productitem.h"
#include "store/storeconfig.h"
#include "ui_cqdlgbuy.h"

namespace {

QString renewalText(const QString& days)
{
    return CqDlgBuy::tr("The subscription has an automatic renewal.The automatic renewal can be cancelled at any "
                        "time.The cost is deducted in advance in charging intervals of %1 days.")
        .arg(days);
}

} // namespace

CqDlgBuy::CqDlgBuy(ProductItem& item, QWidget* parent)
    : CartEntryDialog(QStringLiteral("setCheckout"), SIGNAL(sig_net_setcheckout(QString)), parent)
    , m_item(item)
{
    ui()->lblPrice->setText(tr("Price : $%1").arg(Money::priceText(item.price)));
    if (!item.isPhysical()) {
        ui()->txtContent->setPlainText(renewalText(item.period));
        ui()->btnOk->setText(tr("BUY \nSUBSCRIPTION"));
        // Videos and programs have no e-book: this buys the subscription.
        item.ebook = 0;
    } else if (item.ebook == 1) {
        ui()->lblPrice->setText(tr("Price : $%1").arg(Money::priceText(item.ebookprice)));
        ui()->txtContent->setPlainText(renewalText(QStringLiteral("20")));
        ui()->btnOk->setText(tr("BUY \nSUBSCRIPTION"));
        ui()->lblSub->setText(tr("Subscription : %1 days").arg(item.period));
    } else {
        ui()->txtContent->setPlainText(tr("If you want to purchase, please click \nBUY PRODUCT"));
        ui()->btnOk->setText(tr("BUY \nPRODUCT"));
        ui()->lblSub->hide();
        item.ebook = 0;
        if (item.isOwned()) {
            ui()->txtContent->setPlainText(
                tr("You have purchased this product already.Please check in your email for your purchase "
                   "receipt.This product will be shipped within 7 business days.If you want to purchase again, "
                   "please click BUY PRODUCTTo contact us, send a text to %1 or email %2.")
                    .arg(QLatin1String(StoreConfig::contactPhone), QLatin1String(StoreConfig::contactEmail)));
        }
    }
    ui()->txtTitile->setPlainText(item.title);
    centreTexts();
    ui()->btnOk->setAccessibleName(ui()->btnOk->text().simplified());
}

QUrlQuery CqDlgBuy::entryFields() const
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    fields.addQueryItem(QStringLiteral("product_id"), QString::number(m_item.id));
    fields.addQueryItem(QStringLiteral("quantity"), QStringLiteral("1"));
    fields.addQueryItem(QStringLiteral("ebook"), QString::number(m_item.ebook));
    return fields;
}
