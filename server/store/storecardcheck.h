#pragma once

#include <QDate>
#include <QString>

// Decides whether a card payment goes through. No card is charged anywhere:
// the number must be well formed, the card not expired, the code present, and
// the one documented test card for declines is always refused.
class StoreCardCheck final
{
public:
    enum class Verdict {
        Approved,
        BadNumber,  // not 16 digits, or the check digit is wrong
        BadExpiry,  // not "yyyy-MM" with a month 01..12
        Expired,    // a month before the current one
        BadCode,    // not 3 digits
        Declined,   // a well-formed card that the bank refuses
    };

    // The card that is always declined, for trying the failure path.
    static constexpr const char* DeclinedTestCard = "4000000000000002";

    // number: digits, spaces allowed between groups; expiry "yyyy-MM".
    static Verdict check(const QString& number, const QString& expiry, const QString& code, const QDate& today);
    static bool passesLuhn(const QString& digits);
    static QString message(Verdict verdict);
    // The last four digits of a well-formed number (all that is ever kept).
    static QString lastFour(const QString& number);

private:
    static QString digitsOnly(const QString& number);
};
