#include "account/accountchecks.h"

#include <QCoreApplication>

namespace AccountChecks {

SignUpProblem checkSignUp(const QString& name, const QString& email, const QString& password,
                          const QString& confirm, bool agreed)
{
    if (name.isEmpty())
        return {SignUpField::Name, QCoreApplication::translate("AccountChecks", "Insert Name")};
    if (email.isEmpty())
        return {SignUpField::Email, QCoreApplication::translate("AccountChecks", "Insert Email")};
    if (password.isEmpty())
        return {SignUpField::Password,
                QCoreApplication::translate("AccountChecks", "Insert Password")};
    // An empty confirmation simply differs from the password.
    if (confirm != password)
        return {SignUpField::Confirm,
                QCoreApplication::translate("AccountChecks", "Password Confirm Incorrect")};
    if (!agreed)
        return {SignUpField::Policy, QCoreApplication::translate("AccountChecks", "Don't agree?")};
    return {};
}

QString checkNewPassword(const QString& pincode, const QString& expectedCode,
                         const QString& password, const QString& confirm)
{
    if (pincode.isEmpty())
        return QCoreApplication::translate("AccountChecks", "Insert Pincode.");
    if (!expectedCode.isEmpty() && pincode != expectedCode)
        return QCoreApplication::translate("AccountChecks", "Insert Pincode Correctly.");
    if (password.isEmpty())
        return QCoreApplication::translate("AccountChecks", "Insert Password.");
    if (confirm.isEmpty())
        return QCoreApplication::translate("AccountChecks", "Insert Confirm.");
    if (confirm != password)
        return QCoreApplication::translate("AccountChecks", "Confirm Incorrect.");
    return QString();
}

} // namespace AccountChecks
