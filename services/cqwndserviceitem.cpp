#include "services/cqwndserviceitem.h"

#include "app/accountstate.h"
#include "app/labelpicture.h"
#include "app/server.h"
#include "app/utils.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "main/replydeadline.h"
#include "main/windowplacement.h"
#include "services/cqdlgconfirmcomplete.h"
#include "services/cqdlgserviceinfo.h"
#include "services/cqwndservice.h"
#include "services/servicecardrules.h"
#include "services/serviceentries.h"
#include "services/servicelistkind.h"
#include "services/servicelook.h"
#include "services/servicemoney.h"
#include "store/cqdlgaddress.h"
#include "store/cqdlgbuy1.h"
#include "store/cqdlgcard1.h"
#include "store/cqdlgcart.h"
#include "store/cqdlgconfirm.h"
#include "store/paymentkeeper.h"
#include "store/money.h"
#include "store/productitem.h"
#include "ui_cqwndserviceitem.h"
#include "widgets/mylabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QUrlQuery>
#include <QVBoxLayout>

#include <utility>

namespace {

int s_listTimeoutMs = 15000;
// Lists whose request is still out: the shared overlay ends with the last one.
int s_waitingLists = 0;

QString couldNotLoad()
{
    return CqWndServiceItem::tr(
        "The services could not be loaded. Check your connection and try again. Return to this tab to try again.");
}

// The card picture: a label that opens the details on a click, or on Space
// or Enter once it has the keyboard focus.
class ServicePicture final : public MyLabel
{
public:
    explicit ServicePicture(bool clickable)
    {
        if (clickable) {
            setFocusPolicy(Qt::StrongFocus);
            setCursor(Qt::PointingHandCursor);
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        if (focusPolicy() != Qt::NoFocus
            && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
            emit clicked();
            return;
        }
        MyLabel::keyPressEvent(event);
    }
};

QLabel* whiteLabel(const QString& text, int pointSize)
{
    auto* label = new QLabel(text);
    label->setFont(ServiceLook::roboto(pointSize, 500));
    label->setStyleSheet(QStringLiteral("color: white; background: transparent; border: none;"));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* actionButton(const QString& text, const QString& name)
{
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setFont(ServiceLook::roboto(15, 500));
    button->setFixedHeight(50);
    button->setMinimumWidth(200);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(ServiceLook::pinkOrangeButton());
    return button;
}

} // namespace

CqWndServiceItem::CqWndServiceItem(int kind, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::CqWndServiceItem>())
    , m_server(new Server(this))
    , m_kind(kind)
    , m_listTimer(new QTimer(this))
    , m_actionDeadline(new ReplyDeadline(this))
{
    m_ui->setupUi(this);
    if (!loadingWindow)
        loadingWindow = new CqWndLoading;

    connect(m_server, SIGNAL(sig_net_service(QString)), this, SLOT(slt_net_items(QString)));
    connect(m_server, SIGNAL(sig_net_removeservicecart(QString)), this, SLOT(slt_net_removecart(QString)));
    connect(m_server, SIGNAL(sig_net_completeappoint(QString)), this, SLOT(slt_net_completeappoint(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));

    m_listTimer->setSingleShot(true);
    connect(m_listTimer, &QTimer::timeout, this, &CqWndServiceItem::listFailed);
    connect(m_actionDeadline, &ReplyDeadline::expired, this, &CqWndServiceItem::actionFailed);

    requestList();
}

CqWndServiceItem::~CqWndServiceItem()
{
    // A list dropped while it waits must not leave the overlay up for good.
    stopWaiting();
}

void CqWndServiceItem::setListTimeout(int milliseconds)
{
    s_listTimeoutMs = milliseconds;
}

int CqWndServiceItem::listTimeout()
{
    return s_listTimeoutMs;
}

void CqWndServiceItem::requestList()
{
    Utils::instance()->setBackground(m_ui->scrollAreaWidgetContents, 4);
    m_server->request(Server::endpointIndex(ServiceListKind::endpoint(m_kind)),
                      ServiceListKind::requestFields(m_kind, currentUserId));
    m_waitingForList = true;
    ++s_waitingLists;
    m_listTimer->start(s_listTimeoutMs);
    if (!loadingWindow->isLoading())
        loadingWindow->showMaximized();
}

void CqWndServiceItem::stopWaiting()
{
    m_listTimer->stop();
    if (!m_waitingForList)
        return;
    m_waitingForList = false;
    if (--s_waitingLists == 0 && loadingWindow && loadingWindow->isLoading())
        loadingWindow->stopLoading();
}

void CqWndServiceItem::listFailed()
{
    if (!m_waitingForList)
        return;
    stopWaiting();
    m_failed = true;
    MainWindow::instance()->showMessage(couldNotLoad());
}

void CqWndServiceItem::slt_net_error(QString)
{
    if (m_waitingForList) {
        listFailed();
        return;
    }
    if (m_pendingRemovals > 0) {
        removalEnded(false);
        return;
    }
    actionFailed();
}

void CqWndServiceItem::sendAction(Action action, const QString& endpoint, const QString& serviceId)
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    fields.addQueryItem(QStringLiteral("service_id"), serviceId);
    m_pendingAction = action;
    m_actionDeadline->start();
    m_server->request(Server::endpointIndex(endpoint), fields);
}

void CqWndServiceItem::actionFailed()
{
    m_actionDeadline->stop();
    if (m_pendingRemovals > 0) {
        // Out of time: every removal still out is given up at once.
        m_pendingRemovals = 0;
        m_removalFailed = true;
        finishRemovals();
        return;
    }
    const Action action = m_pendingAction;
    m_pendingAction = Action::None;
    if (action == Action::Complete)
        MainWindow::instance()->showMessage(tr("The appointment could not be completed. Try again."));
}

void CqWndServiceItem::removalEnded(bool answered)
{
    if (m_pendingRemovals > 0)
        --m_pendingRemovals;
    (answered ? m_removalAnswered : m_removalFailed) = true;
    if (m_pendingRemovals == 0)
        finishRemovals();
}

void CqWndServiceItem::finishRemovals()
{
    m_actionDeadline->stop();
    m_pendingAction = Action::None;
    // A checkout that waited goes on in the cart as the service answers it;
    // after a failure the member looks at the cart again first.
    const bool checkout = std::exchange(m_checkoutWaiting, false) && !m_removalFailed;
    if (std::exchange(m_removalFailed, false))
        MainWindow::instance()->showMessage(tr("The service could not be removed from the cart. Try again."));
    if (!std::exchange(m_removalAnswered, false)) {
        // Nothing changed on the server: the entries can be removed again.
        for (QPushButton* button : findChildren<QPushButton*>()) {
            if (button->text() == QLatin1String("X"))
                button->setEnabled(true);
        }
        return;
    }
    // Whatever the server answered, the rebuilt cart shows its view.
    s_checkoutOnNextCart = checkout;
    if (CqWndService* services = CqWndService::of(this))
        services->dropCartList(true);
}

void CqWndServiceItem::slt_net_items(QString reply)
{
    m_entries.clear();
    m_cartCents = 0;
    const bool wasWaiting = m_waitingForList;
    stopWaiting();

    // A checkout that waited for a removal goes on in this cart, or in none.
    const bool checkout = m_kind == ServiceListKind::Cart && std::exchange(s_checkoutOnNextCart, false);
    const ServiceEntries::ListReply list = ServiceEntries::parseList(reply);
    if (!list.ok) {
        if (wasWaiting)
            MainWindow::instance()->showMessage(couldNotLoad());
        m_failed = true;
        return;
    }
    m_failed = false;

    // Nothing is refreshed in place, but a late reply after a timeout may
    // still arrive: it replaces whatever an earlier reply built.
    while (QLayoutItem* item = m_ui->verticalLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_lblSubtotal = nullptr;
    m_btnCheckout = nullptr;
    while (QLayoutItem* item = m_ui->verticalLayoutBottom->takeAt(0)) {
        if (QLayout* row = item->layout()) {
            while (QLayoutItem* inner = row->takeAt(0)) {
                delete inner->widget();
                delete inner;
            }
        }
        delete item->widget();
        delete item;
    }

    QStringList prices;
    for (const QJsonObject& entry : list.entries) {
        m_entries.insert(ServiceEntries::id(entry), entry);
        m_ui->verticalLayout->addWidget(buildCard(entry));
        prices.append(ServiceEntries::field(entry, QStringLiteral("price")));
    }
    if (m_kind == ServiceListKind::Cart)
        m_cartCents = ServiceMoney::totalCents(prices);
    if (!list.entries.isEmpty() && m_kind == ServiceListKind::Cart) {
        buildCartFooter();
        if (checkout)
            QTimer::singleShot(0, this, &CqWndServiceItem::on_btnCheckout_clicked);
    }
}

MyLabel* CqWndServiceItem::buildPicture(const QJsonObject& entry, const QString& name)
{
    const bool clickable = m_kind != ServiceListKind::Cart;
    auto* picture = new ServicePicture(clickable);
    picture->setObjectName(name);
    QSize size = clickable ? QSize(500, 350) : QSize(450, 300);
    if (isSmallScreen)
        size = QSize(300, 200);
    picture->setFixedSize(size);
    picture->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    const QString title = ServiceEntries::field(entry, QStringLiteral("title"));
    picture->setAccessibleName(clickable ? tr("Details of %1").arg(title)
                                         : tr("Picture of %1").arg(title));
    if (clickable)
        connect(picture, &MyLabel::clicked, this, &CqWndServiceItem::on_btnMore_clicked);
    LabelPicture::fetch(picture, ServiceEntries::field(entry, QStringLiteral("image")));
    return picture;
}

QWidget* CqWndServiceItem::buildCard(const QJsonObject& entry)
{
    const QString name = QStringLiteral("item_%1").arg(ServiceEntries::id(entry));
    auto* card = new QFrame;
    card->setObjectName(QStringLiteral("card"));
    card->setStyleSheet(QStringLiteral(
        "QFrame#card { border: 1px solid white;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a4a4a, stop:1 #262626); }"));
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(15);

    auto* title = new MyLabel;
    title->setWrappedText(ServiceEntries::field(entry, QStringLiteral("title")));
    title->setTextFormat(Qt::PlainText);
    title->setFont(ServiceLook::roboto(20, 500));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color: white; background: transparent; border: none;"));
    column->addWidget(title);

    auto* body = new QHBoxLayout;
    column->addLayout(body);
    auto* pictureColumn = new QVBoxLayout;
    auto* textColumn = new QVBoxLayout;
    body->addLayout(pictureColumn);
    body->addLayout(textColumn, 1);
    MyLabel* picture = buildPicture(entry, name);
    pictureColumn->addWidget(picture);

    const QString price = ServiceEntries::field(entry, QStringLiteral("price"));
    if (m_kind == ServiceListKind::Cart) {
        textColumn->addWidget(whiteLabel(tr("PRICE - $%1").arg(ServiceMoney::priceText(price)), 18));
        textColumn->addWidget(whiteLabel(tr("QUANTITY"), 16));
        auto* line = new QFrame;
        line->setFixedHeight(1);
        line->setStyleSheet(QStringLiteral("background: white; border: none;"));
        textColumn->addWidget(line);
        auto* quantityRow = new QHBoxLayout;
        QLabel* quantity = whiteLabel(QStringLiteral("1"), 18);
        quantity->setFixedWidth(80);
        quantityRow->addWidget(quantity);
        auto* remove = new QPushButton(QStringLiteral("X"));
        remove->setObjectName(name);
        remove->setAccessibleName(tr("Remove %1 from the cart")
                                      .arg(ServiceEntries::field(entry, QStringLiteral("title"))));
        remove->setFont(ServiceLook::roboto(20, 500));
        remove->setFixedSize(40, 50);
        remove->setCursor(Qt::PointingHandCursor);
        remove->setStyleSheet(ServiceLook::pinkOrangeButton());
        connect(remove, &QPushButton::clicked, this, &CqWndServiceItem::on_btnCancelCart_clicked);
        quantityRow->addWidget(remove);
        quantityRow->addStretch();
        textColumn->addLayout(quantityRow);
        textColumn->addStretch();
        return card;
    }

    QLabel* subtitle = whiteLabel(ServiceEntries::field(entry, QStringLiteral("subtitle")), 14);
    subtitle->setWordWrap(true);
    subtitle->setAlignment(Qt::AlignBottom | Qt::AlignHCenter);
    subtitle->setContentsMargins(0, 10, 0, 0);
    subtitle->setFixedWidth(picture->width());
    pictureColumn->addWidget(subtitle);

    QLabel* mini = whiteLabel(ServiceEntries::field(entry, QStringLiteral("minidescription")), 16);
    mini->setWordWrap(true);
    mini->setAlignment(Qt::AlignCenter);
    textColumn->addWidget(mini);
    textColumn->addStretch();
    auto* detailsRow = new QHBoxLayout;
    auto* details = new QPushButton(tr("Product Details"));
    details->setObjectName(name);
    details->setFont(ServiceLook::roboto(18, 500));
    details->setFixedSize(250, 30);
    details->setCursor(Qt::PointingHandCursor);
    details->setStyleSheet(QStringLiteral("QPushButton { color: #CDFA02; background: transparent; border: none; }"
                                          " QPushButton:focus { text-decoration: underline; }"));
    connect(details, &QPushButton::clicked, this, &CqWndServiceItem::on_btnMore_clicked);
    detailsRow->addStretch();
    detailsRow->addWidget(details);
    detailsRow->addStretch();
    textColumn->addLayout(detailsRow);
    textColumn->addStretch();

    const ServiceCardButtons rules = ServiceCardButtons::forEntry(m_kind, entry);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    if (rules.showSchedule) {
        QPushButton* schedule = actionButton(tr("SCHEDULE"), name);
        connect(schedule, &QPushButton::clicked, this, &CqWndServiceItem::on_btnSchedule_clicked);
        buttonRow->addWidget(schedule);
    }
    if (rules.showAppoint) {
        QPushButton* appoint = actionButton(tr("APPOINT"), name);
        connect(appoint, &QPushButton::clicked, this, &CqWndServiceItem::on_btnAppoint_clicked);
        buttonRow->addWidget(appoint);
    }
    QPushButton* buyButton = actionButton(rules.buyText, name);
    if (rules.buyLook == ServiceCardButtons::Look::Blue)
        buyButton->setStyleSheet(ServiceLook::blueButton());
    if (rules.buyClickable)
        connect(buyButton, &QPushButton::clicked, this, &CqWndServiceItem::on_btnBuy_clicked);
    else
        buyButton->setFocusPolicy(Qt::NoFocus);
    buttonRow->addWidget(buyButton);
    column->addLayout(buttonRow);
    return card;
}

void CqWndServiceItem::buildCartFooter()
{
    auto* subtotalRow = new QHBoxLayout;
    m_lblSubtotal = whiteLabel(tr("SUBTOTAL $%1").arg(Money::amountText(m_cartCents)), 18);
    m_lblSubtotal->setObjectName(QStringLiteral("lblSubtotal"));
    m_lblSubtotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    subtotalRow->addStretch();
    subtotalRow->addWidget(m_lblSubtotal);
    subtotalRow->addStretch();
    m_ui->verticalLayoutBottom->addLayout(subtotalRow);

    auto* checkoutRow = new QHBoxLayout;
    m_btnCheckout = new QPushButton(tr("CHECKOUT NOW"));
    m_btnCheckout->setObjectName(QStringLiteral("btnCheckout"));
    m_btnCheckout->setFixedSize(300, 50);
    m_btnCheckout->setFont(ServiceLook::roboto(16, 500));
    m_btnCheckout->setCursor(Qt::PointingHandCursor);
    m_btnCheckout->setStyleSheet(ServiceLook::pinkOrangeButton(25));
    connect(m_btnCheckout, &QPushButton::clicked, this, &CqWndServiceItem::on_btnCheckout_clicked);
    checkoutRow->addStretch();
    checkoutRow->addWidget(m_btnCheckout);
    checkoutRow->addStretch();
    m_ui->verticalLayoutBottom->addLayout(checkoutRow);
    m_ui->verticalLayoutBottom->addStretch();
}

QString CqWndServiceItem::senderId() const
{
    const QObject* source = sender();
    return source ? ServiceEntries::idFromObjectName(source->objectName()) : QString();
}

QJsonObject CqWndServiceItem::senderEntry() const
{
    bool ok = false;
    const int id = senderId().toInt(&ok, 10);
    return ok ? m_entries.value(id) : QJsonObject();
}

void CqWndServiceItem::on_btnMore_clicked()
{
    showDetails(senderEntry());
}

void CqWndServiceItem::on_btnBuy_clicked()
{
    const QJsonObject entry = senderEntry();
    if (!ServiceEntries::isPurchased(entry)) {
        buy(entry);
        return;
    }
    if (m_kind != ServiceListKind::Purchases)
        return;
    CqDlgConfirmComplete confirm(nullptr);
    WindowPlacement::keepOver(&confirm, this);
    if (confirm.exec() != QDialog::Accepted)
        return;
    sendAction(Action::Complete, QStringLiteral("completeAppoint"), QString::number(ServiceEntries::id(entry)));
}

void CqWndServiceItem::slt_net_completeappoint(QString)
{
    // Whatever the server answered, the rebuilt purchases show its view.
    m_actionDeadline->stop();
    m_pendingAction = Action::None;
    if (CqWndService* services = CqWndService::of(this))
        services->showPurchaseTab();
}

void CqWndServiceItem::on_btnCancelCart_clicked()
{
    QPointer<QPushButton> button = qobject_cast<QPushButton*>(sender());
    const QString id = senderId();
    // The card was charged for this cart and the record is missing: the
    // member hears what a change costs before the cart changes.
    const QString question = PaymentKeeper::instance().cartChangeQuestion(currentUserId, QStringLiteral("service"), id);
    if (!question.isEmpty()) {
        QPointer<CqWndServiceItem> self = this;
        CqDlgConfirm confirm(tr("ARE YOU SURE?\nCART CHANGE"), question, nullptr);
        WindowPlacement::keepOver(&confirm, this);
        if (confirm.exec() != 1 || !self || !button || !button->isEnabled())
            return;
    }
    // Once per entry: a second press would only ask for the same removal.
    if (button)
        button->setEnabled(false);
    ++m_pendingRemovals;
    sendAction(Action::RemoveFromCart, QStringLiteral("removeServiceCheckout"), id);
}

void CqWndServiceItem::slt_net_removecart(QString)
{
    removalEnded(true);
}

void CqWndServiceItem::on_btnSchedule_clicked()
{
    const QJsonObject entry = senderEntry();
    CqDlgServiceInfo dialog(true, ServiceEntries::field(entry, QStringLiteral("skype")),
                            ServiceEntries::field(entry, QStringLiteral("whatsapp")),
                            ServiceEntries::field(entry, QStringLiteral("id")), nullptr);
    WindowPlacement::keepOver(&dialog, this);
    // Looked up before the dialog: dropping this list takes it out of the
    // services window.
    QPointer<CqWndService> services = CqWndService::of(this);
    if (dialog.exec() == QDialog::Accepted && m_kind == ServiceListKind::Telehealth && services) {
        services->dropCurrentList();
        services->showPurchaseTab();
    }
}

void CqWndServiceItem::on_btnAppoint_clicked()
{
    const QJsonObject entry = senderEntry();
    CqDlgServiceInfo dialog(false, ServiceEntries::field(entry, QStringLiteral("skype")),
                            ServiceEntries::field(entry, QStringLiteral("whatsapp")),
                            ServiceEntries::field(entry, QStringLiteral("id")), nullptr);
    WindowPlacement::keepOver(&dialog, this);
    dialog.exec();
}

void CqWndServiceItem::on_btnCheckout_clicked()
{
    if (m_entries.isEmpty())
        return;
    // A removal still on its way: paying now would pay for what is leaving.
    if (m_pendingRemovals > 0) {
        m_checkoutWaiting = true;
        MainWindow::instance()->showMessage(tr("The cart is being updated. The checkout starts once it is."));
        return;
    }
    // Paying resets every list, this cart included: look the window up first.
    QPointer<CqWndService> services = CqWndService::of(this);
    CqDlgAddress address(ServiceListKind::Cart, true, nullptr);
    WindowPlacement::keepOver(&address, this);
    if (address.exec() != QDialog::Accepted)
        return;
    // A payment of this cart that was not recorded carries on in the dialog
    // (PaymentKeeper): checking the same cart out again only records it.
    CqDlgCard1 card(m_entries, m_kind, nullptr);
    WindowPlacement::keepOver(&card, this);
    const bool paid = card.exec() == QDialog::Accepted;
    if (services && (paid || card.paymentApproved() || card.paymentUnanswered())) {
        // Charged, or perhaps charged, but not recorded: the lists show the
        // server's view rather than the cart as it was.
        services->resetAllLists();
    }
}

void CqWndServiceItem::buy(const QJsonObject& entry)
{
    if (entry.isEmpty())
        return;
    QPointer<CqWndService> services = CqWndService::of(this);
    CqDlgBuy1 buyDialog(entry, nullptr);
    WindowPlacement::keepOver(&buyDialog, this);
    if (buyDialog.exec() != QDialog::Accepted)
        return;
    CqDlgCart question(nullptr);
    WindowPlacement::keepOver(&question, this);
    const bool showCart = question.exec() == QDialog::Accepted;
    // The cart has a new entry either way: the next visit asks again.
    if (services)
        services->dropCartList(showCart);
}

void CqWndServiceItem::showDetails(const QJsonObject& entry)
{
    ProductItem item;
    item.title = ServiceEntries::field(entry, QStringLiteral("title"));
    item.subtitle = ServiceEntries::field(entry, QStringLiteral("subtitle"));
    item.minidescription = ServiceEntries::field(entry, QStringLiteral("minidescription"));
    item.fulldescription = ServiceEntries::field(entry, QStringLiteral("fulldescription"));
    item.image = ServiceEntries::field(entry, QStringLiteral("image"));
    MainWindow::instance()->showDetails(item);
}
