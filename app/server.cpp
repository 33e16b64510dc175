#include "app/server.h"

#include "app/apiconfig.h"
#include "app/sessioncookies.h"

#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <array>

Q_LOGGING_CATEGORY(lcServer, "olva.server")

namespace {

using ReplySignal = void (Server::*)(QString);

struct Endpoint
{
    const char* name;
    ReplySignal signal; // null for getSampleList, whose signal also carries `extra`
    const char* signalName;
};

constexpr int sampleListIndex = 24;

#define OLVA_ENDPOINT(name, sig) Endpoint{name, &Server::sig, #sig}

const std::array<Endpoint, 49> endpoints = {{
    OLVA_ENDPOINT("getMyDetails", sig_net_details),
    OLVA_ENDPOINT("signin", sig_net_login),
    OLVA_ENDPOINT("registerToken", sig_net_token),
    OLVA_ENDPOINT("verifyDevice", sig_net_verify),
    OLVA_ENDPOINT("signup", sig_net_signup),
    OLVA_ENDPOINT("forgot", sig_net_forgot),
    OLVA_ENDPOINT("setPassword", sig_net_password),
    OLVA_ENDPOINT("getFoodList", sig_net_foodinfo),
    OLVA_ENDPOINT("getVideos", sig_net_productinfo),
    OLVA_ENDPOINT("getLocalVideo", sig_net_productinfo),
    OLVA_ENDPOINT("getCheckout", sig_net_productinfo),
    OLVA_ENDPOINT("setCheckout", sig_net_setcheckout),
    OLVA_ENDPOINT("removeCheckout", sig_net_removecheckout),
    OLVA_ENDPOINT("paymentProcess", sig_net_payment),
    OLVA_ENDPOINT("setPurchase", sig_net_purchase),
    OLVA_ENDPOINT("setVideoUri", sig_net_videouri),
    OLVA_ENDPOINT("setProgramVideoUri", sig_net_programuri),
    OLVA_ENDPOINT("getProgramVideos", sig_net_productinfo),
    OLVA_ENDPOINT("removeVideo", sig_net_removevideo),
    OLVA_ENDPOINT("removeProgramVideo1", sig_net_removeprogram),
    OLVA_ENDPOINT("removeSubscription", sig_net_removeSubscription),
    OLVA_ENDPOINT("removeAllProgramVideo", sig_net_removeAllprogram),
    OLVA_ENDPOINT("uploadMyCalorie", sig_net_uploadCalories),
    OLVA_ENDPOINT("removeMyCalorie", sig_net_removeCalories),
    Endpoint{"getSampleList", nullptr, "sig_net_sampleList"},
    OLVA_ENDPOINT("getHistory", sig_net_historylist),
    OLVA_ENDPOINT("getHistoryDetail", sig_net_historydetails),
    OLVA_ENDPOINT("getFriends", sig_net_friends),
    OLVA_ENDPOINT("aboutUs", sig_net_aboutus),
    OLVA_ENDPOINT("getService", sig_net_service),
    OLVA_ENDPOINT("getLocalService", sig_net_service),
    OLVA_ENDPOINT("setServiceCheckout", sig_net_setservicecheckout),
    OLVA_ENDPOINT("getServiceCheckout", sig_net_service),
    OLVA_ENDPOINT("removeServiceCheckout", sig_net_removeservicecart),
    OLVA_ENDPOINT("completeAppoint", sig_net_completeappoint),
    OLVA_ENDPOINT("setServicePurchase", sig_net_servicepurchase),
    OLVA_ENDPOINT("makeAppoint", sig_net_makeappoint),
    OLVA_ENDPOINT("getRealFriends", sig_net_realfriends),
    OLVA_ENDPOINT("setCheckingDay", sig_net_checkingday),
    OLVA_ENDPOINT("specialOffer", sig_net_specialoffer),
    OLVA_ENDPOINT("specialOffers", sig_net_specialoffers),
    OLVA_ENDPOINT("checkVersion", sig_net_checkVersion),
    // Our own additions to the service's API (README, "API extensions").
    OLVA_ENDPOINT("uploadDay", sig_net_uploadday),
    OLVA_ENDPOINT("setWeight", sig_net_setweight),
    OLVA_ENDPOINT("removeWeight", sig_net_removeweight),
    OLVA_ENDPOINT("getWeights", sig_net_weights),
    OLVA_ENDPOINT("setWeightProfile", sig_net_setweightprofile),
    OLVA_ENDPOINT("getWeightProfile", sig_net_weightprofile),
    OLVA_ENDPOINT("getPaymentState", sig_net_paymentstate),
}};

#undef OLVA_ENDPOINT

bool isValidIndex(int index)
{
    return index >= 0 && index < int(endpoints.size());
}

} // namespace

Server::Server(QObject* parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
{
    m_endpoints.reserve(int(endpoints.size()));
    for (const Endpoint& endpoint : endpoints)
        m_endpoints.append(QString::fromLatin1(endpoint.name));
    SessionCookies::share(m_network);
}

int Server::transferTimeoutMs()
{
    static const int timeout = [] {
        bool ok = false;
        const int fromEnvironment = qEnvironmentVariableIntValue("OLVA_TRANSFER_TIMEOUT_MS", &ok);
        return ok && fromEnvironment > 0 ? fromEnvironment : 60 * 1000;
    }();
    return timeout;
}

int Server::endpointCount()
{
    return int(endpoints.size());
}

int Server::endpointIndex(const QString& name)
{
    for (int index = 0; index < int(endpoints.size()); ++index) {
        if (name == QLatin1String(endpoints[index].name))
            return index;
    }
    return -1;
}

QString Server::endpointName(int index)
{
    return isValidIndex(index) ? QString::fromLatin1(endpoints[index].name) : QString();
}

QByteArray Server::signalName(int index)
{
    return isValidIndex(index) ? QByteArray(endpoints[index].signalName) : QByteArray();
}

QByteArray Server::encodeBody(const QUrlQuery& fields)
{
    // The default (pretty-decoded) form: only the delimiters inside values are
    // percent-encoded, spaces, "+" and non-ASCII text go out as they are.
    return fields.query().toUtf8();
}

void Server::request(int index, QUrlQuery fields, int extra)
{
    if (!isValidIndex(index)) {
        qCWarning(lcServer, "request: no endpoint with index %d, nothing sent", index);
        return;
    }

    QNetworkRequest request(ApiConfig::endpointUrl(m_endpoints.at(index)));
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    // A connection that stays silent must still end, so that whoever waits
    // for it (a payment above all) hears that it failed.
    request.setTransferTimeout(transferTimeoutMs());

    QNetworkReply* reply = m_network->post(request, encodeBody(fields));
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, index, extra] { handleReply(reply, index, extra); });
}

void Server::handleReply(QNetworkReply* reply, int index, int extra)
{
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        m_lastErrorStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        emit sig_net_error(reply->errorString());
        return;
    }
    emitReply(index, QString::fromUtf8(reply->readAll()), extra);
}

void Server::emitReply(int index, const QString& text, int extra)
{
    if (index == sampleListIndex) {
        emit sig_net_sampleList(text, extra);
        return;
    }
    emit(this->*endpoints[index].signal)(text);
}
