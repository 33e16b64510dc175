#pragma once

#include <QObject>
#include <QStringList>
#include <QUrlQuery>

class QNetworkAccessManager;
class QNetworkReply;

// The client of the service's HTTP API. Every endpoint is a form-encoded POST
// under the API base URL; the reply text is handed, unparsed, to the signal of
// that endpoint. Each window owns its own Server and connects the signals of
// the endpoints it sends, by signature ("2sig_net_login(QString)").
class Server final : public QObject
{
    Q_OBJECT

public:
    explicit Server(QObject* parent = nullptr);

    // Sends endpoint `index` (0..47) with `fields` in the order they were
    // added. `extra` comes back with the getSampleList reply only.
    void request(int index, QUrlQuery fields, int extra = -1);

    // How long a request may carry nothing before it is given up and ends in
    // sig_net_error: 60 s, or OLVA_TRANSFER_TIMEOUT_MS (read once) for tests.
    static int transferTimeoutMs();

    static int endpointCount();
    // The index of the endpoint called `name`; -1 for an unknown name (which
    // request() refuses to send).
    static int endpointIndex(const QString& name);
    static QString endpointName(int index);
    // The reply signal's name for an endpoint, e.g. "sig_net_login".
    static QByteArray signalName(int index);
    // The form body exactly as it goes on the wire.
    static QByteArray encodeBody(const QUrlQuery& fields);

    // The HTTP status of the reply that ended in the latest sig_net_error
    // (read it in the slot); 0 when no answer came (no network, time-out).
    int lastErrorStatus() const { return m_lastErrorStatus; }

signals:
    void sig_net_error(QString);
    void sig_net_details(QString);
    void sig_net_login(QString);
    void sig_net_token(QString);
    void sig_net_verify(QString);
    void sig_net_signup(QString);
    void sig_net_forgot(QString);
    void sig_net_password(QString);
    void sig_net_foodinfo(QString);
    void sig_net_productinfo(QString);
    void sig_net_setcheckout(QString);
    void sig_net_removecheckout(QString);
    void sig_net_payment(QString);
    void sig_net_purchase(QString);
    void sig_net_videouri(QString);
    void sig_net_programuri(QString);
    void sig_net_removevideo(QString);
    void sig_net_removeprogram(QString);
    void sig_net_removeSubscription(QString);
    void sig_net_removeAllprogram(QString);
    void sig_net_uploadCalories(QString);
    void sig_net_removeCalories(QString);
    void sig_net_sampleList(QString, int);
    void sig_net_historylist(QString);
    void sig_net_historydetails(QString);
    void sig_net_friends(QString);
    void sig_net_aboutus(QString);
    void sig_net_service(QString);
    void sig_net_setservicecheckout(QString);
    void sig_net_removeservicecart(QString);
    void sig_net_completeappoint(QString);
    void sig_net_servicepurchase(QString);
    void sig_net_makeappoint(QString);
    void sig_net_realfriends(QString);
    void sig_net_checkingday(QString);
    void sig_net_specialoffer(QString);
    void sig_net_specialoffers(QString);
    void sig_net_checkVersion(QString);
    void sig_net_uploadday(QString);
    void sig_net_setweight(QString);
    void sig_net_removeweight(QString);
    void sig_net_weights(QString);
    void sig_net_setweightprofile(QString);
    void sig_net_weightprofile(QString);
    void sig_net_paymentstate(QString);

private:
    void handleReply(QNetworkReply* reply, int index, int extra);
    void emitReply(int index, const QString& text, int extra);

    QStringList m_endpoints;
    QNetworkAccessManager* m_network;
    int m_lastErrorStatus = 0;
};
