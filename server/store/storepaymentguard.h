#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QMutex>

#include <optional>

class ApiCall;
struct ServerContext;

// Makes a payment request that arrives twice (a double press, a retry after
// a lost answer) charge once: an identical request of the same member within
// a few seconds gets the answer of the first one. Identical means every
// field the same; the card is compared through a salted hash that lives only
// in memory and only for that window.
class StorePaymentGuard final
{
public:
    static constexpr qint64 WindowMs = 10000;

    // Holds the guard for the whole of one payment, so that two identical
    // requests on two workers cannot both charge.
    class Lock final
    {
    public:
        Lock();
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;
    };

    static QByteArray fingerprint(const ApiCall& call, const ServerContext& context);
    // The answer to an identical approved request within the window.
    static std::optional<QJsonObject> earlierApproval(const QByteArray& fingerprint, qint64 nowMs);
    static void rememberApproval(const QByteArray& fingerprint, const QJsonObject& reply, qint64 nowMs);
};
