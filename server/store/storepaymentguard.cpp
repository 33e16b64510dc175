#include "server/store/storepaymentguard.h"

#include "server/engine/endpoints.h"

#include <QCryptographicHash>
#include <QHash>
#include <QRandomGenerator>

namespace {

struct Approval
{
    qint64 atMs = 0;
    QJsonObject reply;
};

QMutex& guardMutex()
{
    static QMutex mutex;
    return mutex;
}

QHash<QByteArray, Approval>& approvals()
{
    static QHash<QByteArray, Approval> table;
    return table;
}

const QByteArray& salt()
{
    static const QByteArray value = [] {
        QByteArray bytes(32, Qt::Uninitialized);
        QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
        return bytes;
    }();
    return value;
}

const char* const fingerprintFields[] = {
    "pay_type", "productID", "type", "user_id", "country", "first_name", "last_name", "address", "city",
    "state", "zipcode", "user_email", "user_phone", "cardNumber", "expirationDate", "cardCode", "amount",
    "description", "subsebook",
};

} // namespace

StorePaymentGuard::Lock::Lock()
{
    guardMutex().lock();
}

StorePaymentGuard::Lock::~Lock()
{
    guardMutex().unlock();
}

QByteArray StorePaymentGuard::fingerprint(const ApiCall& call, const ServerContext& context)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt());
    // Two servers in one process (tests) keep apart by their files folder.
    hash.addData(context.filesDir.toUtf8());
    for (const char* field : fingerprintFields) {
        const QString key = QString::fromLatin1(field);
        hash.addData(QByteArrayView(call.has(key) ? "\1" : "\0", 1));
        const QByteArray value = call.text(key).toUtf8();
        hash.addData(QByteArray(QByteArray::number(value.size()) + ':'));
        hash.addData(value);
    }
    return hash.result();
}

std::optional<QJsonObject> StorePaymentGuard::earlierApproval(const QByteArray& fingerprint, qint64 nowMs)
{
    QHash<QByteArray, Approval>& table = approvals();
    for (auto it = table.begin(); it != table.end();) {
        if (nowMs - it->atMs > WindowMs)
            it = table.erase(it);
        else
            ++it;
    }
    const auto found = table.constFind(fingerprint);
    if (found == table.constEnd())
        return std::nullopt;
    return found->reply;
}

void StorePaymentGuard::rememberApproval(const QByteArray& fingerprint, const QJsonObject& reply, qint64 nowMs)
{
    approvals().insert(fingerprint, Approval{nowMs, reply});
}
