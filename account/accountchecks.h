#pragma once

#include <QString>

// The checks the account forms make before anything is sent. Each returns the
// first failing check, in the order the member is told about them; texts are
// compared exactly as typed (case-sensitive, nothing trimmed).
namespace AccountChecks {

// The sign-up form's fields.
enum class SignUpField { None, Name, Email, Password, Confirm, Policy };

struct SignUpProblem
{
    SignUpField field = SignUpField::None; // None: the form may be sent
    QString message;
};

SignUpProblem checkSignUp(const QString& name, const QString& email, const QString& password,
                          const QString& confirm, bool agreed);

// The new-password form: the mailed code comes first, then the passwords.
// Returns the message of the first failing check, or empty text when the new
// password may be sent. An empty expected code means the service did not
// send it back: any typed code goes out and the service judges it.
QString checkNewPassword(const QString& pincode, const QString& expectedCode,
                         const QString& password, const QString& confirm);

} // namespace AccountChecks
