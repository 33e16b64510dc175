#include "store/cqwnditems.h"

#include "app/accountstate.h"
#include "app/jsonreply.h"
#include "app/server.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "main/replydeadline.h"
#include "store/cqdlgaddress.h"
#include "store/cqdlgbuy.h"
#include "store/cqdlgcard.h"
#include "store/cqdlgcart.h"
#include "store/cqdlgconfirm.h"
#include "store/paymentkeeper.h"
#include "store/libraryrules.h"
#include "store/storecardrules.h"
#include "store/storeconfig.h"
#include "store/storeendpoint.h"
#include "store/storelistkind.h"
#include "ui_cqwnditems.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QScrollBar>
#include <QTimer>

namespace {

int s_replyTimeoutMs = 15000;
// Lists whose request is out: the busy overlay goes with the last of them,
// also when a list is deleted (its window closed) before its answer came.
int s_listsLoading = 0;

// More cards than any screen shows at once; the next ones follow as the
// member scrolls towards the end.
constexpr qsizetype cardsPerBatch = 24;

QString unavailableText()
{
    return CqWndItems::tr("This is not available in Desktop.\n Use mobile version for this function.");
}

} // namespace

CqWndItems::CqWndItems(int kind, int id, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::CqWndItems>())
    , m_kind(kind)
    , m_programId(id)
    , m_server(new Server(this))
    , m_timeout(new QTimer(this))
    , m_changeDeadline(new ReplyDeadline(this))
    , m_cardBuilder(new QTimer(this))
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("CqWndItems"));
    setStyleSheet(QStringLiteral(
        "#scrollArea, #scrollAreaWidgetContents { background: transparent; }"
        "QFrame[look=\"card\"] { border: 1px solid white; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        " stop:0 rgba(20, 20, 30, 200), stop:1 rgba(50, 50, 80, 160)); }"
        "QLabel { color: white; background: transparent; border: none; }"
        "QPushButton { color: white; border: none; border-radius: 6px; }"
        "QPushButton[look=\"buy\"] { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #B8520A, stop:1 #CE396E); }"
        "QPushButton[look=\"owned\"] { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1976d2, stop:1 #3949ab); }"
        "QPushButton[look=\"link\"] { color: #CDFA02; background: transparent; }"
        "QPushButton[look=\"remove\"] { background: #3b3a55; }"
        "QPushButton:focus { border: 2px solid white; }"
        "QLineEdit#search { color: white; background: #0a0b0f; border-radius: 10px; padding-left: 30px; }"
        "QLineEdit[look=\"quantity\"] { color: white; background: #0a0b0f; border: 1px solid white; }"
        "CqWndItems[look=\"window\"] { background: qlineargradient(x1:0, y1:0, x2:1, y2:1,"
        " stop:0 #2b2a40, stop:1 #1c3a44); }"));
    // A program's videos open in a window of their own, with no store
    // picture behind the translucent cards: give it the store's dark look.
    if (StoreListKind::isProgramKind(m_kind)) {
        setProperty("look", QStringLiteral("window"));
        setAttribute(Qt::WA_StyledBackground);
    }

    if (!loadingWindow)
        loadingWindow = new CqWndLoading;

    connect(m_server, SIGNAL(sig_net_productinfo(QString)), this, SLOT(slt_net_items(QString)));
    connect(m_server, SIGNAL(sig_net_removecheckout(QString)), this, SLOT(slt_net_remove(QString)));
    connect(m_server, SIGNAL(sig_net_removevideo(QString)), this, SLOT(slt_net_removeVideo(QString)));
    connect(m_server, SIGNAL(sig_net_removeprogram(QString)), this, SLOT(slt_net_removeProgram(QString)));
    connect(m_server, SIGNAL(sig_net_removeSubscription(QString)), this, SLOT(slt_net_removeSubscription(QString)));
    connect(m_server, SIGNAL(sig_net_removeAllprogram(QString)), this, SLOT(slt_net_removeAllProgram(QString)));
    connect(m_server, SIGNAL(sig_net_payment(QString)), this, SLOT(slt_net_payment(QString)));
    connect(m_server, SIGNAL(sig_net_purchase(QString)), this, SLOT(slt_net_purchase(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));

    if (StoreListKind::isSearchKind(m_kind))
        buildSearchBox();

    m_cardBuilder->setSingleShot(true);
    connect(m_cardBuilder, &QTimer::timeout, this, [this] { buildPendingCards(cardsPerBatch); });
    QScrollBar* scrollBar = m_ui->scrollArea->verticalScrollBar();
    connect(scrollBar, &QScrollBar::valueChanged, this, &CqWndItems::buildCardsNearView);
    connect(scrollBar, &QScrollBar::rangeChanged, this, &CqWndItems::buildCardsNearView);

    m_timeout->setSingleShot(true);
    connect(m_timeout, &QTimer::timeout, this, [this] {
        giveUp(tr("The store could not be reached. Please try again later."));
    });
    connect(m_changeDeadline, &ReplyDeadline::expired, this, &CqWndItems::changeTimedOut);
    sendRequest();
}

CqWndItems::~CqWndItems()
{
    finishLoading();
}

void CqWndItems::setReplyTimeout(int milliseconds)
{
    s_replyTimeoutMs = qMax(1, milliseconds);
}

int CqWndItems::replyTimeout()
{
    return s_replyTimeoutMs;
}

void CqWndItems::sendRequest()
{
    m_items.clear();
    m_searchList.clear();
    const StoreListKind::Request request = StoreListKind::request(m_kind, m_programId);
    const int endpoint = storeEndpoint(request.endpoint);
    if (endpoint < 0) {
        m_finished = true;
        return;
    }
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    fields.addQueryItem(request.field, request.value);
    m_server->request(endpoint, fields);
    m_timeout->start(s_replyTimeoutMs);
    ++s_listsLoading;
    if (!loadingWindow->isVisible())
        loadingWindow->showMaximized();
}

// Unfinished, a list has its request out and is counted in s_listsLoading.
void CqWndItems::finishLoading()
{
    if (m_finished)
        return;
    m_finished = true;
    m_timeout->stop();
    if (--s_listsLoading == 0 && loadingWindow && loadingWindow->isVisible())
        loadingWindow->stopLoading();
}

void CqWndItems::giveUp(const QString& message)
{
    if (m_finished)
        return;
    finishLoading();
    MainWindow::instance()->showMessage(message);
}

void CqWndItems::slt_net_error(QString)
{
    // A failed removal keeps the list as it is.
    if (!m_finished)
        giveUp(tr("The store could not be reached. Please try again later."));
    else
        changeFailed();
}

bool CqWndItems::isChanging() const
{
    return m_change && !m_change->told;
}

void CqWndItems::startChange(const QString& endpoint, const QUrlQuery& fields, const QString& failure)
{
    m_change = Change{failure};
    m_changeDeadline->start();
    m_server->request(storeEndpoint(endpoint), fields);
}

void CqWndItems::endChange()
{
    m_changeDeadline->stop();
    m_change.reset();
}

void CqWndItems::changeTimedOut()
{
    if (!m_change || m_change->told)
        return;
    // A late answer still refreshes the list.
    m_change->told = true;
    MainWindow::instance()->showMessage(m_change->failure);
}

void CqWndItems::changeFailed()
{
    changeTimedOut();
    endChange();
    // The cart may not have changed: the member looks again before paying.
    m_checkoutWaiting = false;
}

void CqWndItems::slt_net_items(QString reply)
{
    // A reply after the store was given up on is not shown: the member has
    // been told the list could not be loaded.
    if (m_finished)
        return;
    const ProductListReply parsed = ProductListReply::parse(reply);
    const bool readable = !JsonReply::parseObject(reply).isEmpty();
    m_cardLayoutIndex = m_ui->listLayout->count();
    for (const ProductItem& item : parsed.items) {
        m_items.insert(item.id, item);
        checkRenewal(item);
        if (StoreListKind::isSearchKind(m_kind))
            m_searchList.append(item);
        if (wantsCard(item))
            m_pendingCards.append(item);
    }
    // A cart's subtotal adds up all of its cards, and carts are short.
    buildPendingCards(StoreListKind::isCartKind(m_kind) ? m_pendingCards.size() : cardsPerBatch);
    if (!m_footerBuilt && !m_items.isEmpty())
        buildFooter();
    if (!m_lblSubtotal)
        m_ui->listLayout->addStretch();
    finishLoading();
    // A checkout that waited for a removal goes on in this cart, or in none.
    const bool checkout = StoreListKind::isCartKind(m_kind) && std::exchange(s_checkoutOnNextCart, false);
    if (!readable || parsed.resultCode != 0)
        MainWindow::instance()->showMessage(tr("The store could not load this list. Please try again."));
    else if (checkout && !m_items.isEmpty())
        QTimer::singleShot(0, this, &CqWndItems::on_btnCheckout_clicked);
}

bool CqWndItems::wantsCard(const ProductItem& item) const
{
    // A library lists what can be played here: single videos once they are
    // downloaded, programs always (their videos are downloaded one by one).
    return LibraryRules::showsCard(m_kind, item.type, item.uri1);
}

void CqWndItems::buildCard(const ProductItem& item)
{
    QVBoxLayout* body = nullptr;
    QWidget* card = buildCardFrame(item, &body);
    if (StoreListKind::isCartKind(m_kind))
        buildCartCard(item, card, body);
    else
        buildStoreCard(item, card, body);
    m_ui->listLayout->insertWidget(m_cardLayoutIndex++, card);
    // The list may be on screen already; search cards wait for a search.
    card->setVisible(!StoreListKind::isSearchKind(m_kind));
}

void CqWndItems::buildPendingCards(qsizetype count)
{
    const qsizetype end = qMin(m_pendingCards.size(), m_nextPendingCard + count);
    while (m_nextPendingCard < end)
        buildCard(m_pendingCards.at(m_nextPendingCard++));
    if (!hasPendingCards()) {
        m_pendingCards.clear();
        m_nextPendingCard = 0;
    }
}

void CqWndItems::buildCardsNearView()
{
    if (!hasPendingCards() || m_cardBuilder->isActive())
        return;
    const QScrollBar* scrollBar = m_ui->scrollArea->verticalScrollBar();
    if (scrollBar->maximum() - scrollBar->value() <= m_ui->scrollArea->viewport()->height())
        m_cardBuilder->start(0); // after the scroll that asked has been painted
}

QString CqWndItems::senderIdText() const
{
    const QObject* source = sender();
    return source ? source->objectName().section(QLatin1Char('_'), 1, 1) : QString();
}

ProductItem* CqWndItems::senderItem()
{
    const int id = senderIdText().toInt();
    const auto found = m_items.find(id);
    return found == m_items.end() ? nullptr : &found.value();
}

void CqWndItems::on_btnMore_clicked()
{
    if (ProductItem* item = senderItem())
        MainWindow::instance()->showDetails(*item);
}

void CqWndItems::on_btnBuy_clicked()
{
    ProductItem* item = senderItem();
    if (!item)
        return;
    item->ebook = 0;
    if (!StoreCardRules::canBuyAgain(*item, m_kind))
        return;
    if (item->price == 0) {
        MainWindow::instance()->showMessage(unavailableText());
        return;
    }
    CqDlgBuy buy(*item, this);
    if (buy.exec() != QDialog::Accepted)
        return;
    CqDlgCart question(this);
    if (question.exec() == 1)
        MainWindow::instance()->showCart();
}

void CqWndItems::on_btnBuyEbook_clicked()
{
    ProductItem* item = senderItem();
    if (!item)
        return;
    if (!StoreCardRules::canBuyAgain(*item, m_kind))
        return;
    if (item->ebookprice == 0) {
        MainWindow::instance()->showMessage(unavailableText());
        return;
    }
    item->ebook = 1;
    CqDlgBuy buy(*item, this);
    if (buy.exec() != QDialog::Accepted)
        return;
    CqDlgCart question(this);
    if (question.exec() == 1)
        MainWindow::instance()->showCart();
}

void CqWndItems::on_btnViewEbook_clicked(int id)
{
    QDesktopServices::openUrl(StoreConfig::ebookViewerUrl(id));
}

void CqWndItems::on_btnCancelCart_clicked()
{
    if (isChanging())
        return;
    const QString id = senderIdText();
    // The card was charged for this cart and the record is missing: the
    // member hears what a change costs before the cart changes.
    const QString question = PaymentKeeper::instance().cartChangeQuestion(currentUserId, QStringLiteral("product"), id);
    if (!question.isEmpty()) {
        CqDlgConfirm confirm(tr("ARE YOU SURE?\nCART CHANGE"), question, this);
        if (confirm.exec() != 1 || isChanging())
            return;
    }
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    fields.addQueryItem(QStringLiteral("product_id"), id);
    startChange(QStringLiteral("removeCheckout"), fields,
                tr("The product could not be removed from the cart. Please try again."));
}

void CqWndItems::slt_net_remove(QString)
{
    // Whatever the answer, a fresh cart shows the service's view, and a
    // checkout that waited for it goes on from there.
    endChange();
    s_checkoutOnNextCart = std::exchange(m_checkoutWaiting, false);
    MainWindow::instance()->showCart();
}

void CqWndItems::on_btnCheckout_clicked()
{
    // A removal still on its way: paying now would pay for what is leaving.
    // The checkout starts in the cart as the service answers it.
    if (m_change) {
        m_checkoutWaiting = true;
        MainWindow::instance()->showMessage(tr("The cart is being updated. The checkout starts once it is."));
        return;
    }
    CqDlgAddress billing(m_kind, true, this);
    if (billing.exec() != QDialog::Accepted)
        return;
    if (billing.shipsElsewhere()) {
        CqDlgAddress shipping(m_kind, false, this);
        if (shipping.exec() != QDialog::Accepted)
            return;
    }
    CqDlgCard card(m_items, m_kind, this);
    if (card.exec() == QDialog::Accepted)
        MainWindow::instance()->showStore();
}

void CqWndItems::slt_net_purchase(QString)
{
}
