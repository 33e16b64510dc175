#include "server/storecommon.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <cmath>

namespace StoreCommon {

namespace {
const QStringList kProductTypes = {
    QStringLiteral("WORKOUT"), QStringLiteral("PROGRAM"),
    QStringLiteral("NUTRITION"), QStringLiteral("NUTRITION_VIDEO"),
    QStringLiteral("COACHING"), QStringLiteral("COACHING_VIDEO"),
};
const QStringList kServiceTypes = {
    QStringLiteral("TELEHEALTH"), QStringLiteral("LIVEFITNESS"), QStringLiteral("LIVENUTRITION"),
};

std::optional<qint64> positiveNumber(const QString& text, bool allowZero)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,18}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || (value == 0 && !allowZero))
        return std::nullopt;
    return value;
}
} // namespace

QStringList typesOfCategory(const QString& category)
{
    if (category == QLatin1String("WORKOUT"))
        return {QStringLiteral("WORKOUT"), QStringLiteral("PROGRAM")};
    if (category == QLatin1String("NUTRITION"))
        return {QStringLiteral("NUTRITION"), QStringLiteral("NUTRITION_VIDEO")};
    if (category == QLatin1String("COACHING"))
        return {QStringLiteral("COACHING"), QStringLiteral("COACHING_VIDEO")};
    return {};
}

bool isProductType(const QString& type)
{
    return kProductTypes.contains(type);
}

bool isServiceType(const QString& type)
{
    return kServiceTypes.contains(type);
}

bool isSubscriptionType(const QString& type)
{
    return isProductType(type) && type != QLatin1String("NUTRITION") && type != QLatin1String("COACHING");
}

static std::optional<QList<qint64>> parseNumberList(const QString& text, bool allowZero, bool unique)
{
    const QStringList parts = text.split(QLatin1Char('_'));
    if (text.isEmpty() || parts.size() > MaxIdsPerList)
        return std::nullopt;
    QList<qint64> values;
    QSet<qint64> seen;
    for (const QString& part : parts) {
        const auto value = positiveNumber(part, allowZero);
        if (!value || (unique && seen.contains(*value)))
            return std::nullopt;
        seen.insert(*value);
        values.append(*value);
    }
    return values;
}

std::optional<QList<qint64>> parseIdList(const QString& text)
{
    return parseNumberList(text, false, true);
}

std::optional<QList<qint64>> parseEndDays(const QString& text)
{
    return parseNumberList(text, true, false);
}

std::optional<DeviceItemId> parseDeviceItemId(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,18})(?:_([A-Za-z]{1,20}))?$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const auto id = positiveNumber(match.captured(1), false);
    if (!id)
        return std::nullopt;
    const QString platform = match.captured(2).isEmpty() ? QStringLiteral("desktop") : match.captured(2).toLower();
    return DeviceItemId{*id, platform};
}

QString moneyText(qint64 cents)
{
    return QString::number(double(cents) / 100.0, 'g', 15);
}

bool amountMatches(const QString& amountText, qint64 expectedCents)
{
    bool ok = false;
    const double amount = amountText.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(amount) || amount < 0)
        return false;
    const double expected = double(expectedCents) / 100.0;
    // Half a cent, or the rounding of a 6-significant-digit text.
    const double tolerance = std::max(0.005, std::abs(expected) * 5e-6);
    return std::abs(amount - expected) <= tolerance;
}

QJsonObject badField(const QString& field)
{
    return ApiFields::badField(field);
}

QJsonObject storageFailure()
{
    return ApiFields::storageError();
}

std::optional<qint64> requireId(const ApiCall& call, const QString& field, QJsonObject* failure)
{
    const auto id = positiveNumber(call.text(field).trimmed(), false);
    if (!id)
        *failure = badField(field);
    return id;
}

std::optional<qint64> requireMember(const ApiCall& call, ServerContext& context, QJsonObject* failure)
{
    const auto id = requireId(call, QStringLiteral("user_id"), failure);
    if (!id)
        return std::nullopt;
    QSqlQuery query(context.db);
    query.prepare(QStringLiteral("SELECT 1 FROM users WHERE id = ?"));
    query.addBindValue(*id);
    if (!run(query)) {
        *failure = storageFailure();
        return std::nullopt;
    }
    if (!query.next()) {
        *failure = apiFailure(UnknownMember, QStringLiteral("Unknown member."));
        return std::nullopt;
    }
    return id;
}

bool run(QSqlQuery& query)
{
    if (query.exec())
        return true;
    qWarning("olva-server: query failed: %s", qPrintable(query.lastError().text()));
    return false;
}

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

Transaction::Transaction(QSqlDatabase db)
    : m_db(std::move(db))
{
    m_begun = m_db.transaction();
}

Transaction::~Transaction()
{
    if (m_begun && !m_finished)
        m_db.rollback();
}

bool Transaction::commit()
{
    if (!m_begun || m_finished)
        return false;
    m_finished = m_db.commit();
    return m_finished;
}

} // namespace StoreCommon
