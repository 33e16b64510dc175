#pragma once

#include <QByteArray>
#include <QString>

// Salted PBKDF2-SHA256 password hashes, stored as hex text.
namespace PasswordHash {

inline constexpr int iterations = 10000;

struct Stored
{
    QString salt; // hex
    QString hash; // hex
};

Stored create(const QString& password);
QString derive(const QString& password, const QString& saltHex);
// Constant-time comparison of the derived and the stored hash.
bool matches(const QString& password, const Stored& stored);

} // namespace PasswordHash
