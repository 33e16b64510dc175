#pragma once

#include "store/productitem.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QUrlQuery>
#include <QWidget>

#include <memory>
#include <optional>

namespace Ui {
class CqWndItems;
}
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QVBoxLayout;
class MyLabel;
class ReplyDeadline;
class Server;

// One list of the store, fixed by its list kind (see StoreListKind): a
// product tab, the search of a category, the cart, the library, or the
// videos of a complete program. It asks the server once, at construction,
// parses the reply into ProductItem records and builds one card per record.
//
// How the code is split, so that each kind of list can grow on its own:
//   cqwnditems.cpp        request, reply loop, the card dispatch, the buttons'
//                         actions (details, buy, e-book, cart, checkout);
//   cqwnditemscards.cpp   the store card, the cart card and footer, search;
//   cqwnditemslibrary.cpp the library row under a card (kinds 3, 8, 13, 16),
//                         the program-video actions (15, 16), downloads,
//                         removals and renewal.
// A new kind of card gets its own builder called from buildCard().
class CqWndItems final : public QWidget
{
    Q_OBJECT

public:
    // `id` is the program's product id for kinds 15 and 16, unused otherwise.
    CqWndItems(int kind, int id, QWidget* parent = nullptr);
    ~CqWndItems() override;

    int kind() const { return m_kind; }
    int programId() const { return m_programId; }
    const QMap<int, ProductItem>& items() const { return m_items; }
    // The cart's subtotal in cents (cart kinds).
    qint64 cartTotalCents() const { return m_cartTotalCents; }
    bool hasFooter() const { return m_footerBuilt && m_lblSubtotal; }
    // Whether the list request has been answered (or given up on).
    bool isFinished() const { return m_finished; }
    // True while cards of a long list wait for the member to scroll near
    // them: each card is a handful of widgets, and a list of thousands would
    // hold the window for seconds if all were built at once.
    bool hasPendingCards() const { return m_nextPendingCard < m_pendingCards.size(); }
    // CHECKOUT was pressed while a removal was on its way; it starts in the
    // cart the service answers after it.
    bool checkoutWaiting() const { return m_checkoutWaiting; }

    // How long a list request may take before the store counts as
    // unreachable; 15 s unless a test shortens it.
    static void setReplyTimeout(int milliseconds);
    static int replyTimeout();

    // Button actions. The buttons are named "item_<id>"; each action finds
    // its product from the sender's name.
    void on_btnMore_clicked();
    void on_btnBuy_clicked();
    void on_btnBuyEbook_clicked();
    void on_btnViewEbook_clicked(int id);
    void on_btnCancelCart_clicked();
    void on_btnCheckout_clicked();
    void on_search_changed();
    // Library and program videos (cqwnditemslibrary.cpp).
    void on_btnDown_clicked();
    void on_btnProgram_clicked();
    void on_btnPlay_clicked();
    void on_btnRemoveLocal_clicked();
    void on_btnRemoveSubscription_clicked();

public slots:
    void slt_net_items(QString reply);
    void slt_net_remove(QString reply);
    void slt_net_removeVideo(QString reply);
    void slt_net_removeProgram(QString reply);
    void slt_net_removeSubscription(QString reply);
    void slt_net_removeAllProgram(QString reply);
    void slt_net_payment(QString reply);
    void slt_net_purchase(QString reply);

private slots:
    void slt_net_error(QString message);

private:
    void sendRequest();
    void finishLoading();
    void giveUp(const QString& message);

    // Card builders (cqwnditemscards.cpp / cqwnditemslibrary.cpp).
    void buildCard(const ProductItem& item);
    // Builds up to `count` of the cards still to come, in list order.
    void buildPendingCards(qsizetype count);
    // Adds the next cards when the member has scrolled within a screen of
    // the list's end (or the list does not fill the screen).
    void buildCardsNearView();
    QWidget* buildCardFrame(const ProductItem& item, QVBoxLayout** body);
    MyLabel* buildImage(const ProductItem& item, QWidget* parent);
    void buildStoreCard(const ProductItem& item, QWidget* card, QVBoxLayout* body);
    void buildCartCard(const ProductItem& item, QWidget* card, QVBoxLayout* body);
    void buildLibraryRow(const ProductItem& item, QWidget* card, QVBoxLayout* column);
    void buildFooter();
    void buildSearchBox();
    bool wantsCard(const ProductItem& item) const;
    // Part of the reply loop for library lists: renews lapsed subscriptions.
    void checkRenewal(const ProductItem& item);

    // A removal from the cart or the library, sent once at a time. Its
    // answer is not read: whatever it says, a fresh cart or library shows the
    // service's view. One that fails or never answers is told; the list stays
    // usable (a fresh list would only meet the same fault, behind the busy
    // overlay).
    struct Change
    {
        QString failure; // what the member reads when it fails
        bool told = false;
    };
    bool isChanging() const;
    void startChange(const QString& endpoint, const QUrlQuery& fields, const QString& failure);
    // The answer came: the wait ends.
    void endChange();
    void changeTimedOut();
    void changeFailed();

    // The item of the sender's "item_<id>" name; null when there is none.
    ProductItem* senderItem();
    QString senderIdText() const;
    QPushButton* makeButton(QWidget* parent, const ProductItem& item, const QString& text, int width,
                            const char* look);

    std::unique_ptr<Ui::CqWndItems> m_ui;
    const int m_kind;
    const int m_programId;
    Server* m_server;
    QTimer* m_timeout;
    bool m_finished = false; // no request out (answered, given up, or none to send)
    int m_cancellingProgram = 0; // the program whose videos the service is asked to drop
    std::optional<Change> m_change;
    ReplyDeadline* m_changeDeadline;
    bool m_checkoutWaiting = false;
    // The next cart list to arrive starts the checkout that waited.
    static inline bool s_checkoutOnNextCart = false;

    QMap<int, ProductItem> m_items;
    QList<ProductItem> m_searchList;
    QHash<int, QWidget*> m_searchCards;
    QList<ProductItem> m_pendingCards; // in list order, from m_nextPendingCard on
    qsizetype m_nextPendingCard = 0;
    int m_cardLayoutIndex = 0; // where the next card goes in the list's layout
    QTimer* m_cardBuilder;
    bool m_footerBuilt = false;
    qint64 m_cartTotalCents = 0;
    QLabel* m_lblSubtotal = nullptr;
    QPushButton* m_btnCheckout = nullptr;
    QLineEdit* m_search = nullptr;
};
