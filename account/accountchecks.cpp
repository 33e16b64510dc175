#include "account/accountchecks.h"

namespace AccountChecks {

SignUpProblem checkSignUp(const QString& name, const QString& email, const QString& password,
                          const QString& confirm, bool agreed)
{
    if (name.isEmpty())
        return {SignUpField::Name, QStringLiteral("Insert Name")};
    if (email.isEmpty())
        return {SignUpField::Email, QStringLiteral("Insert Email")};
    if (password.isEmpty())
        return {SignUpField::Password, QStringLiteral("Insert Password")};
    // An empty confirmation simply differs from the password.
    if (confirm != password)
        return {SignUpField::Confirm, QStringLiteral("Password Confirm Incorrect")};
    if (!agreed)
        return {SignUpField::Policy, QStringLiteral("Don't agree?")};
    return {};
}

QString checkNewPassword(const QString& pincode, const QString& expectedCode,
                         const QString& password, const QString& confirm)
{
    if (pincode.isEmpty())
        return QStringLiteral("Insert Pincode.");
    if (!expectedCode.isEmpty() && pincode != expectedCode)
        return QStringLiteral("Insert Pincode Correctly.");
    if (password.isEmpty())
        return QStringLiteral("Insert Password.");
    if (confirm.isEmpty())
        return QStringLiteral("Insert Confirm.");
    if (confirm != password)
        return QStringLiteral("Confirm Incorrect.");
    return QString();
}

} // namespace AccountChecks
