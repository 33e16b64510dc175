#include "server/store/storecardcheck.h"

#include <QRegularExpression>

QString StoreCardCheck::digitsOnly(const QString& number)
{
    QString digits = number;
    digits.remove(QLatin1Char(' '));
    return digits;
}

bool StoreCardCheck::passesLuhn(const QString& digits)
{
    if (digits.isEmpty())
        return false;
    int sum = 0;
    bool doubleIt = false;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        const QChar c = digits.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        int value = c.unicode() - '0';
        if (doubleIt) {
            value *= 2;
            if (value > 9)
                value -= 9;
        }
        sum += value;
        doubleIt = !doubleIt;
    }
    return sum % 10 == 0;
}

StoreCardCheck::Verdict StoreCardCheck::check(const QString& number, const QString& expiry, const QString& code,
                                              const QDate& today)
{
    static const QRegularExpression sixteenDigits(QStringLiteral("^[0-9]{16}$"));
    static const QRegularExpression expiryForm(QStringLiteral("^([0-9]{4})-([0-9]{2})$"));
    static const QRegularExpression threeDigits(QStringLiteral("^[0-9]{3}$"));

    const QString digits = digitsOnly(number);
    if (!sixteenDigits.match(digits).hasMatch() || !passesLuhn(digits))
        return Verdict::BadNumber;

    const QRegularExpressionMatch match = expiryForm.match(expiry.trimmed());
    if (!match.hasMatch())
        return Verdict::BadExpiry;
    const int year = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    if (month < 1 || month > 12)
        return Verdict::BadExpiry;
    // A card is good through the last day of its expiry month.
    if (year < today.year() || (year == today.year() && month < today.month()))
        return Verdict::Expired;

    if (!threeDigits.match(code.trimmed()).hasMatch())
        return Verdict::BadCode;

    if (digits == QLatin1String(DeclinedTestCard))
        return Verdict::Declined;
    return Verdict::Approved;
}

QString StoreCardCheck::message(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Approved:
        return QStringLiteral("Payment approved.");
    case Verdict::BadNumber:
        return QStringLiteral("The card number is not valid.");
    case Verdict::BadExpiry:
        return QStringLiteral("The expiration date is not valid.");
    case Verdict::Expired:
        return QStringLiteral("The card has expired.");
    case Verdict::BadCode:
        return QStringLiteral("The card code is not valid.");
    case Verdict::Declined:
        return QStringLiteral("The card was declined.");
    }
    return {};
}

QString StoreCardCheck::lastFour(const QString& number)
{
    const QString digits = digitsOnly(number);
    return digits.size() >= 4 ? digits.right(4) : QString();
}
