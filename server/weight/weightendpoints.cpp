#include "server/engine/endpoints.h"

#include "server/account/members.h"
#include "server/engine/apifields.h"
#include "server/engine/sessions.h"

#include <QDate>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QSqlQuery>

#include <cmath>
#include <optional>

// The members' weight log: one weight per member and day, and the goal
// weight and height it is measured against. Weights are kept in tenths of a
// kilogram, the precision the client shows, so that what was sent comes back
// unchanged.
namespace WeightEndpoints {

namespace {

constexpr int maxEntriesPerMember = 20000;
constexpr double minKg = 20, maxKg = 500;
constexpr double minHeightCm = 50, maxHeightCm = 272;

constexpr int unknownMemberCode = 1;
constexpr int badWeightCode = 2;
constexpr int badDateCode = 3;
constexpr int tooManyCode = 4;
constexpr int badGoalCode = 5;
constexpr int badHeightCode = 6;

QString tenthsText(qint64 tenths)
{
    return QString::number(double(tenths) / 10.0, 'f', 1);
}

// Decimal text -> tenths; nullopt for anything that is not a finite number.
std::optional<qint64> tenthsOf(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > 1e9)
        return std::nullopt;
    return qint64(std::llround(value * 10.0));
}

std::optional<QDate> dayOf(const QString& text)
{
    const QDate day = QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        return std::nullopt;
    return day;
}

// The member named by the call's "email", when the call carries their
// session; otherwise the refusal to answer with.
struct Caller
{
    qint64 id = 0;
    QJsonObject refusal;
};

Caller callerOf(const ApiCall& call, ServerContext& context)
{
    if (!call.has(QStringLiteral("email")))
        return {0, ApiFields::badField(QStringLiteral("email"))};
    const auto member = Members::byEmail(context.db, call.text(QStringLiteral("email")));
    if (!member)
        return {0, apiFailure(unknownMemberCode, QStringLiteral("Non Exist Email"))};
    if (!context.actsFor(member->id))
        return {0,
                apiFailure(Sessions::refusedCode, QStringLiteral("Not signed in as this member."))};
    return {member->id, {}};
}

// The day of a weight, or the refusal: a day in yyyy-MM-dd form, from 1900
// up to tomorrow (a member east of here may already weigh in tomorrow).
QJsonObject checkDay(const ApiCall& call, std::optional<QDate>* day)
{
    if (!call.has(QStringLiteral("date")))
        return ApiFields::badField(QStringLiteral("date"));
    *day = dayOf(call.text(QStringLiteral("date")));
    if (!*day)
        return apiFailure(badDateCode,
                          QStringLiteral("A date must be a day written as yyyy-MM-dd."));
    if (**day < QDate(1900, 1, 1))
        return apiFailure(badDateCode, QStringLiteral("A weight cannot be dated before 1900."));
    if (**day > QDate::currentDate().addDays(1))
        return apiFailure(badDateCode,
                          QStringLiteral("A weight cannot be dated later than tomorrow."));
    return {};
}

QJsonObject setWeight(const ApiCall& call, ServerContext& context)
{
    const Caller caller = callerOf(call, context);
    if (!caller.refusal.isEmpty())
        return caller.refusal;
    std::optional<QDate> day;
    if (const QJsonObject refusal = checkDay(call, &day); !refusal.isEmpty())
        return refusal;
    const auto tenths = tenthsOf(call.text(QStringLiteral("weight_kg")));
    if (!tenths)
        return ApiFields::badField(QStringLiteral("weight_kg"));
    if (*tenths < minKg * 10 || *tenths > maxKg * 10)
        return apiFailure(badWeightCode, QStringLiteral("A weight must be between 20 and 500 kg."));

    const QString dayText = day->toString(QStringLiteral("yyyy-MM-dd"));
    // Counting and writing in one write transaction, so that two calls at
    // the limit cannot both add a day.
    if (!ApiFields::beginWrite(context.db, caller.id))
        return ApiFields::storageError();
    QSqlQuery query(context.db);
    const auto fail = [&context](const QJsonObject& reply) {
        context.db.rollback();
        return reply;
    };
    if (!ApiFields::exec(
            query, QStringLiteral("SELECT COUNT(*), COUNT(CASE WHEN day = ? THEN 1 END) FROM weights WHERE user_id = ?"),
            {dayText, caller.id}) ||
        !query.next())
        return fail(ApiFields::storageError());
    const bool replaces = query.value(1).toLongLong() > 0;
    if (!replaces && query.value(0).toLongLong() >= maxEntriesPerMember)
        return fail(
            apiFailure(tooManyCode, QStringLiteral("A member can keep at most 20,000 weights.")));
    query.finish();
    if (!ApiFields::exec(
            query,
            QStringLiteral(
                "INSERT INTO weights (user_id, day, kg_tenths) VALUES (?, ?, ?)"
                " ON CONFLICT (user_id, day) DO UPDATE SET kg_tenths = excluded.kg_tenths"),
            {caller.id, dayText, *tenths}) ||
        !context.db.commit())
        return fail(ApiFields::storageError());
    return apiSuccess(
        {{QStringLiteral("date"), dayText}, {QStringLiteral("weight_kg"), tenthsText(*tenths)}});
}

QJsonObject removeWeight(const ApiCall& call, ServerContext& context)
{
    const Caller caller = callerOf(call, context);
    if (!caller.refusal.isEmpty())
        return caller.refusal;
    if (!call.has(QStringLiteral("date")))
        return ApiFields::badField(QStringLiteral("date"));
    const auto day = dayOf(call.text(QStringLiteral("date")));
    if (!day)
        return apiFailure(badDateCode,
                          QStringLiteral("A date must be a day written as yyyy-MM-dd."));
    // Removing a day that has no weight succeeds too: the client may send a
    // removal again after its first answer was lost.
    QSqlQuery query(context.db);
    if (!ApiFields::exec(query, QStringLiteral("DELETE FROM weights WHERE user_id = ? AND day = ?"),
                         {caller.id, day->toString(QStringLiteral("yyyy-MM-dd"))}))
        return ApiFields::storageError();
    return apiSuccess();
}

QJsonObject getWeights(const ApiCall& call, ServerContext& context)
{
    const Caller caller = callerOf(call, context);
    if (!caller.refusal.isEmpty())
        return caller.refusal;
    // Optional bounds, both inclusive; empty means open.
    QString bounds[2] = {QStringLiteral("0000-00-00"), QStringLiteral("9999-99-99")};
    const QString keys[2] = {QStringLiteral("from"), QStringLiteral("to")};
    for (int i = 0; i < 2; ++i) {
        const QString text = call.text(keys[i]).trimmed();
        if (text.isEmpty())
            continue;
        const auto day = dayOf(text);
        if (!day)
            return apiFailure(
                badDateCode,
                QStringLiteral("%1 must be a day written as yyyy-MM-dd.").arg(keys[i]));
        bounds[i] = day->toString(QStringLiteral("yyyy-MM-dd"));
    }
    QSqlQuery query(context.db);
    query.setForwardOnly(true);
    if (!ApiFields::exec(
            query,
            QStringLiteral(
                "SELECT day, kg_tenths FROM weights WHERE user_id = ? AND day >= ? AND day <= ?"
                " ORDER BY day"),
            {caller.id, bounds[0], bounds[1]}))
        return ApiFields::storageError();
    QJsonArray list;
    while (query.next()) {
        list.append(
            QJsonObject{{QStringLiteral("date"), query.value(0).toString()},
                        {QStringLiteral("weight_kg"), tenthsText(query.value(1).toLongLong())}});
    }
    return apiSuccess({{QStringLiteral("weights"), list}});
}

// An optional figure of the profile: empty text is "none"; otherwise a
// number within [low, high] (in tenths once read).
QJsonObject readOptional(const ApiCall& call, const QString& key, double low, double high, int code,
                         const QString& refusal, QVariant* value)
{
    const QString text = call.text(key).trimmed();
    if (text.isEmpty()) {
        *value = QVariant(QMetaType::fromType<qint64>());
        return {};
    }
    const auto tenths = tenthsOf(text);
    if (!tenths)
        return ApiFields::badField(key);
    if (*tenths < low * 10 || *tenths > high * 10)
        return apiFailure(code, refusal);
    *value = *tenths;
    return {};
}

QJsonObject setWeightProfile(const ApiCall& call, ServerContext& context)
{
    const Caller caller = callerOf(call, context);
    if (!caller.refusal.isEmpty())
        return caller.refusal;
    QVariant goal, height;
    if (QJsonObject refusal =
            readOptional(call, QStringLiteral("goal_kg"), minKg, maxKg, badGoalCode,
                         QStringLiteral("A goal must be between 20 and 500 kg."), &goal);
        !refusal.isEmpty())
        return refusal;
    if (QJsonObject refusal =
            readOptional(call, QStringLiteral("height_cm"), minHeightCm, maxHeightCm, badHeightCode,
                         QStringLiteral("A height must be between 50 and 272 cm."), &height);
        !refusal.isEmpty())
        return refusal;
    QSqlQuery query(context.db);
    if (!ApiFields::exec(
            query,
            QStringLiteral(
                "INSERT INTO weight_profiles (user_id, goal_tenths, height_tenths)"
                " VALUES (?, ?, ?) ON CONFLICT (user_id) DO UPDATE SET"
                " goal_tenths = excluded.goal_tenths, height_tenths = excluded.height_tenths"),
            {caller.id, goal, height}))
        return ApiFields::storageError();
    return apiSuccess();
}

QJsonObject getWeightProfile(const ApiCall& call, ServerContext& context)
{
    const Caller caller = callerOf(call, context);
    if (!caller.refusal.isEmpty())
        return caller.refusal;
    QSqlQuery query(context.db);
    if (!ApiFields::exec(
            query,
            QStringLiteral(
                "SELECT goal_tenths, height_tenths FROM weight_profiles WHERE user_id = ?"),
            {caller.id}))
        return ApiFields::storageError();
    QString goal, height;
    if (query.next()) {
        if (!query.value(0).isNull())
            goal = tenthsText(query.value(0).toLongLong());
        // Heights are whole centimetres unless given finer.
        if (!query.value(1).isNull()) {
            const qint64 tenths = query.value(1).toLongLong();
            height = tenths % 10 == 0 ? QString::number(tenths / 10) : tenthsText(tenths);
        }
    }
    return apiSuccess({{QStringLiteral("goal_kg"), goal}, {QStringLiteral("height_cm"), height}});
}

// About 120 days of weighings ending today: a slow loss of 0.4 kg a week
// from 88 kg with day-to-day swings of up to 0.6 kg, about one day in five
// skipped and a few longer breaks. Seeded, so every demo database holds the
// same figures (relative to the day it was made).
bool addDemoRows(QSqlDatabase& db)
{
    constexpr qint64 demoMember = 1;
    constexpr int days = 120;
    QRandomGenerator random(20260801);
    const QDate today = QDate::currentDate();
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral(
            "INSERT INTO weights (user_id, day, kg_tenths) VALUES (?, ?, ?)"
            " ON CONFLICT (user_id, day) DO UPDATE SET kg_tenths = excluded.kg_tenths")))
        return false;
    for (int index = 0; index < days; ++index) {
        // A holiday, a cold and a busy week-end.
        const bool breakDay = (index >= 31 && index <= 35) || (index >= 70 && index <= 72) ||
                              (index >= 97 && index <= 98);
        const bool skipped = random.bounded(100) < 15;
        const double noise = random.bounded(1.2) - 0.6;
        if (index != days - 1 && (breakDay || skipped))
            continue;
        const double kg = 88.0 - 0.4 * index / 7.0 + noise;
        query.addBindValue(demoMember);
        query.addBindValue(
            today.addDays(index - (days - 1)).toString(QStringLiteral("yyyy-MM-dd")));
        query.addBindValue(qint64(std::llround(kg * 10.0)));
        if (!query.exec())
            return false;
    }
    return ApiFields::exec(
        query,
        QStringLiteral("INSERT INTO weight_profiles (user_id, goal_tenths, height_tenths) VALUES (?, 750, 1720)"
                       " ON CONFLICT (user_id) DO UPDATE SET goal_tenths = excluded.goal_tenths,"
                       " height_tenths = excluded.height_tenths"),
        {demoMember});
}

} // namespace

void addDemoData(ServerContext& context)
{
    ApiFields::allOrNothing(context.db, [&context] { return addDemoRows(context.db); });
}

void registerAll(EndpointTable& table)
{
    table.add(QStringLiteral("setWeight"), setWeight);
    table.add(QStringLiteral("removeWeight"), removeWeight);
    table.add(QStringLiteral("getWeights"), getWeights);
    table.add(QStringLiteral("setWeightProfile"), setWeightProfile);
    table.add(QStringLiteral("getWeightProfile"), getWeightProfile);
}

} // namespace WeightEndpoints
