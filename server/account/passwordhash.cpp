#include "server/account/passwordhash.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>

namespace PasswordHash {

Stored create(const QString& password)
{
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), salt.size() / 4);
    Stored stored;
    stored.salt = QString::fromLatin1(salt.toHex());
    stored.hash = derive(password, stored.salt);
    return stored;
}

QString derive(const QString& password, const QString& saltHex)
{
    const QByteArray key = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, password.toUtf8(), QByteArray::fromHex(saltHex.toLatin1()),
        iterations, 32);
    return QString::fromLatin1(key.toHex());
}

bool matches(const QString& password, const Stored& stored)
{
    const QByteArray derived = derive(password, stored.salt).toLatin1();
    const QByteArray expected = stored.hash.toLatin1();
    if (derived.size() != expected.size() || expected.isEmpty())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < derived.size(); ++i)
        difference |= static_cast<unsigned char>(derived[i] ^ expected[i]);
    return difference == 0;
}

} // namespace PasswordHash
