#include "server/store/storecommon.h"

#include "server/storage/keptstatements.h"
#include "server/storage/storage.h"

#include "server/engine/apifields.h"

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
    // The client sends the exact sum to the cent ("12345.67", "20", "15.5");
    // anything rounded, in exponent form or with fractions of a cent is refused.
    static const QRegularExpression decimal(QStringLiteral("^([0-9]{1,13})(?:\\.([0-9]{1,2}))?$"));
    const QRegularExpressionMatch match = decimal.match(amountText.trimmed());
    if (!match.hasMatch() || expectedCents < 0)
        return false;
    const qint64 dollars = match.captured(1).toLongLong();
    const QString fraction = match.captured(2).leftJustified(2, QLatin1Char('0'));
    return dollars * 100 + fraction.toLongLong() == expectedCents;
}

QJsonObject badField(const QString& field)
{
    return ApiFields::badField(field);
}

QJsonObject storageFailure()
{
    return ApiFields::storageError();
}

QJsonObject paymentApproval(const QString& productIdText, qint64 paidMs)
{
    return apiSuccess({{QStringLiteral("productID"), productIdText},
                       {QStringLiteral("payment_time"), QString::number(paidMs)}});
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
    // The session's look-up found the member already.
    if (context.knowsSessionMember(*id))
        return id;
    KeptQuery query(context.db);
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

std::optional<MemberItem> requireMemberItem(const ApiCall& call, ServerContext& context, const QString& idField,
                                            QJsonObject* failure)
{
    const auto userId = requireMember(call, context, failure);
    if (!userId)
        return std::nullopt;
    const auto itemId = requireId(call, idField, failure);
    if (!itemId)
        return std::nullopt;
    return MemberItem{*userId, *itemId};
}

QJsonObject changeOneRow(ServerContext& context, const QString& sql, const QVariantList& values,
                         const QString& refusal)
{
    KeptQuery change(context.db);
    change.prepare(sql);
    if (!runWith(change, values))
        return storageFailure();
    if (change.numRowsAffected() != 1)
        return apiFailure(Refused, refusal);
    return apiSuccess();
}

QJsonObject unpaidItemFailure(ServerContext& context, const StorePaidItems& ledger, qint64 userId,
                              StorePaidItems::Kind kind, const QList<qint64>& ids)
{
    const bool product = kind == StorePaidItems::Kind::Product;
    KeptQuery exists(context.db);
    exists.prepare(product ? QStringLiteral("SELECT 1 FROM products WHERE id = ?")
                           : QStringLiteral("SELECT 1 FROM services WHERE id = ?"));
    for (qint64 id : ids) {
        if (!runWith(exists, {id}))
            return storageFailure();
        const bool known = exists.next();
        exists.finish();
        if (!known) {
            return apiFailure(UnknownItem, (product ? QStringLiteral("No such product: %1")
                                                    : QStringLiteral("No such service: %1")).arg(id));
        }
        bool ok = false;
        const bool paid = ledger.isPaid(userId, kind, id, &ok);
        if (!ok)
            return storageFailure();
        if (!paid) {
            return apiFailure(Refused, (product ? QStringLiteral("Product %1 has not been paid.")
                                                : QStringLiteral("Service %1 has not been paid.")).arg(id));
        }
    }
    return {};
}

bool runWith(KeptQuery& query, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i) {
        // An absent text is stored as empty, as the NOT NULL columns want.
        const QVariant& value = values.at(i);
        const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
        query.bindValue(i, nullText ? QVariant(QStringLiteral("")) : value);
    }
    return run(query);
}

bool tableIsEmpty(ServerContext& context, const QString& table)
{
    KeptQuery count(context.db);
    return count.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) && count.next()
        && count.value(0).toLongLong() == 0;
}

QString placeholders(qsizetype count)
{
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks.append(QStringLiteral("?"));
    return marks.join(QLatin1Char(','));
}

bool run(KeptQuery& query)
{
    if (query.exec())
        return true;
    Storage::noteFailure(query.lastError());
    qWarning("olva-server: query failed: %s", qPrintable(query.lastError().text()));
    return false;
}

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

Transaction::Transaction(QSqlDatabase db, qint64 memberId)
    : m_db(std::move(db))
{
    m_begun = ApiFields::beginWrite(m_db, memberId);
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
