#pragma once

#include <QHash>
#include <QJsonObject>
#include <QMap>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace Ui {
class CqWndServiceItem;
}
class CqWndService;
class MyLabel;
class QLabel;
class QPushButton;
class QTimer;
class ReplyDeadline;
class Server;

// One live-service list (ServiceListKind): asks the server for its entries
// once, at construction, and shows a card per entry with the buttons that
// fit it; the cart ends with the subtotal and CHECKOUT NOW. A list is never
// refreshed in place: after a change the services window builds a new one.
class CqWndServiceItem final : public QWidget
{
    Q_OBJECT

public:
    explicit CqWndServiceItem(int kind, QWidget* parent = nullptr);
    ~CqWndServiceItem() override;

    int kind() const { return m_kind; }
    // The entries of the last reply by id.
    const QMap<int, QJsonObject>& entries() const { return m_entries; }
    // The cart's subtotal in cents.
    qint64 cartCents() const { return m_cartCents; }
    // The last list request failed and no list has come since: a return to
    // this list's tab asks again.
    bool hasFailed() const { return m_failed; }

    // How long a list request may take before the member is told that the
    // services could not be loaded (15 s; tests shorten it).
    static void setListTimeout(int milliseconds);
    static int listTimeout();

private slots:
    void slt_net_items(QString reply);
    void slt_net_removecart(QString reply);
    void slt_net_completeappoint(QString reply);
    void slt_net_error(QString message);
    void actionFailed();

private:
    // The card buttons' handlers, connected by pointer as the cards are
    // built. They are not slots, so the form's connection by name does not
    // look for buttons that only exist once the reply is in.
    void on_btnMore_clicked();
    void on_btnBuy_clicked();
    void on_btnSchedule_clicked();
    void on_btnAppoint_clicked();
    void on_btnCancelCart_clicked();
    void on_btnCheckout_clicked();

    enum class Action { None, RemoveFromCart, Complete };

    void requestList();
    void sendAction(Action action, const QString& endpoint, const QString& serviceId);
    void listFailed();
    void stopWaiting();
    // One removal from the cart answered (or failed); the cart is rebuilt
    // once no removal is out any more, so that a quick second one is not
    // lost with the list.
    void removalEnded(bool answered);
    void finishRemovals();
    QWidget* buildCard(const QJsonObject& entry);
    void buildCartFooter();
    MyLabel* buildPicture(const QJsonObject& entry, const QString& name);
    // The id in the clicked widget's name ("item_<id>").
    QString senderId() const;
    // The entry of the clicked widget; an empty object when there is none.
    QJsonObject senderEntry() const;
    void buy(const QJsonObject& entry);
    void showDetails(const QJsonObject& entry);

    std::unique_ptr<Ui::CqWndServiceItem> m_ui;
    Server* m_server;
    int m_kind;
    QMap<int, QJsonObject> m_entries;
    qint64 m_cartCents = 0;
    QLabel* m_lblSubtotal = nullptr;
    QPushButton* m_btnCheckout = nullptr;
    QTimer* m_listTimer;
    bool m_waitingForList = false;
    bool m_failed = false;
    Action m_pendingAction = Action::None;
    int m_pendingRemovals = 0;
    bool m_removalAnswered = false;
    bool m_removalFailed = false;
    // CHECKOUT was pressed while a removal was on its way.
    bool m_checkoutWaiting = false;
    // The next cart list to arrive starts the checkout that waited.
    static inline bool s_checkoutOnNextCart = false;
    ReplyDeadline* m_actionDeadline;
};
