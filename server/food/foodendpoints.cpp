#include "server/engine/endpoints.h"

#include "server/engine/apifields.h"
#include "server/engine/replycache.h"
#include "server/engine/sessions.h"
#include "server/demo/fooddemo.h"
#include "server/account/members.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTimeZone>

#include <cmath>
#include <optional>

// The food catalogue (the service's foods plus each member's own), sample
// meals, and the history of tracked days.
namespace FoodEndpoints {

namespace {

const QStringList sampleTables = {
    QStringLiteral("tb_samplebreakfast"), QStringLiteral("tb_samplefirstsnack"),
    QStringLiteral("tb_samplelunch"),     QStringLiteral("tb_samplesecondsnack"),
    QStringLiteral("tb_sampledinner"),    QStringLiteral("tb_samplethirdsnack"),
};
const QStringList mealTypes = {
    QStringLiteral("breakfast"),   QStringLiteral("firstsnack"), QStringLiteral("lunch"),
    QStringLiteral("secondsnack"), QStringLiteral("dinner"),     QStringLiteral("thirdsnack"),
};

constexpr int maxTitleLength = 200;
constexpr double maxAmount = 100000; // calories or grams per cup
constexpr int maxOwnFoodsPerMember = 2000;

// Numbers go out as text, the form the client reads them in.
QString numberText(double value)
{
    return QString::number(value, 'g', 12);
}

// A member food amount: a finite, non-negative number.
std::optional<double> amount(const ApiCall& call, const QString& key)
{
    bool ok = false;
    const double value = call.text(key).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > maxAmount)
        return std::nullopt;
    return value;
}

QJsonObject foodJson(const QSqlQuery& query)
{
    return QJsonObject{
        {QStringLiteral("id"), query.value(0).toString()},
        {QStringLiteral("user_id"), query.value(2).toString()},
        {QStringLiteral("title"), query.value(3).toString()},
        {QStringLiteral("cal"), numberText(query.value(4).toDouble())},
        {QStringLiteral("carbs"), numberText(query.value(5).toDouble())},
        {QStringLiteral("fat"), numberText(query.value(6).toDouble())},
        {QStringLiteral("protein"), numberText(query.value(7).toDouble())},
        {QStringLiteral("fiber"), numberText(query.value(8).toDouble())},
    };
}

const QString foodColumns = QStringLiteral("SELECT id, category_id, user_id, title, cal, carbs, fat, protein, fiber FROM foods ");

// The categories and the service's own foods, which only change when the
// database is filled, kept as JSON text: built once per worker thread (each
// thread has its own database connection), and a request only splices the
// member's own foods into it instead of serialising ~56 KB every time.
struct ServiceCatalogue
{
    QString connectionName;
    struct Category
    {
        qint64 id = 0;
        QByteArray foods; // the service's foods, comma-separated objects
        QByteArray rest;  // ',"id":...}' - the category's other keys
    };
    QList<Category> categories;
};

QByteArray compact(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

const ServiceCatalogue* serviceCatalogue(QSqlDatabase& db)
{
    thread_local std::optional<ServiceCatalogue> cache;
    if (cache && cache->connectionName == db.connectionName())
        return &*cache;
    ServiceCatalogue built;
    built.connectionName = db.connectionName();
    QHash<qint64, int> indexOf;
    QSqlQuery query(db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT id, title, recomended FROM food_categories ORDER BY id")))
        return nullptr;
    while (query.next()) {
        ServiceCatalogue::Category category;
        category.id = query.value(0).toLongLong();
        // Keys come out sorted, so "calorie_list" goes first and the rest
        // of the object follows it.
        category.rest = ',' + compact(QJsonObject{{QStringLiteral("id"), QString::number(category.id)},
                                                  {QStringLiteral("title"), query.value(1).toString()},
                                                  {QStringLiteral("recomended"), query.value(2).toString()}})
                                  .mid(1);
        indexOf.insert(category.id, int(built.categories.size()));
        built.categories.append(category);
    }
    if (!ApiFields::exec(query, foodColumns + QStringLiteral("WHERE user_id = 0 ORDER BY category_id, id")))
        return nullptr;
    while (query.next()) {
        const auto index = indexOf.constFind(query.value(1).toLongLong());
        if (index == indexOf.constEnd())
            continue;
        QByteArray& foods = built.categories[*index].foods;
        if (!foods.isEmpty())
            foods += ',';
        foods += compact(foodJson(query));
    }
    cache = std::move(built);
    return &*cache;
}

// The key of a member's catalogue reply in the server's reply cache.
QString foodListKey(qint64 userId)
{
    return QStringLiteral("getFoodList/%1").arg(userId);
}

// After a member's own foods changed, inside the change's transaction:
// every instance's kept catalogue of theirs is now out of date.
bool bumpFoodsVersion(ServerContext& context, qint64 userId)
{
    QSqlQuery query(context.db);
    return ApiFields::exec(query, QStringLiteral("UPDATE users SET foods_version = foods_version + 1 WHERE id = ?"),
                           {userId});
}

QByteArray getFoodList(const ApiCall& call, ServerContext& context)
{
    const auto userId = call.integer(QStringLiteral("user_id"));
    if (!userId)
        return compact(ApiFields::badField(QStringLiteral("user_id")));
    // With sessions the engine has matched user_id with the session's
    // member, who exists, and read their foods version with the session; the
    // reply is kept until their own foods change on any instance.
    const bool keep = context.sessionsRequired && context.replies && context.sessionMember == *userId;
    const qint64 version = context.sessionFoodsVersion;
    if (keep) {
        const QByteArray kept = context.replies->get(foodListKey(*userId), version);
        if (!kept.isEmpty())
            return kept;
    } else if (!Members::byId(context.db, *userId)) {
        return compact(apiFailure(1, QStringLiteral("Unknown member")));
    }
    const ServiceCatalogue* catalogue = serviceCatalogue(context.db);
    if (!catalogue)
        return compact(ApiFields::storageError());

    // The member's own foods follow the service's in the order added, as
    // the tracker appends a new food at the end of its category.
    QHash<qint64, QByteArray> ownFoods;
    QSqlQuery query(context.db);
    if (!ApiFields::exec(query, foodColumns + QStringLiteral("WHERE user_id = ? ORDER BY id"), {*userId}))
        return compact(ApiFields::storageError());
    while (query.next()) {
        QByteArray& foods = ownFoods[query.value(1).toLongLong()];
        if (!foods.isEmpty())
            foods += ',';
        foods += compact(foodJson(query));
    }

    QByteArray reply;
    reply.reserve(64 * 1024);
    reply += "{\"food_list\":[";
    for (qsizetype i = 0; i < catalogue->categories.size(); ++i) {
        const ServiceCatalogue::Category& category = catalogue->categories.at(i);
        if (i > 0)
            reply += ',';
        reply += "{\"calorie_list\":[";
        reply += category.foods;
        const QByteArray own = ownFoods.value(category.id);
        if (!own.isEmpty()) {
            if (!category.foods.isEmpty())
                reply += ',';
            reply += own;
        }
        reply += ']';
        reply += category.rest;
    }
    reply += "],\"result_code\":0}";
    if (keep)
        context.replies->put(foodListKey(*userId), reply, version);
    return reply;
}

QJsonObject uploadMyCalorie(const ApiCall& call, ServerContext& context)
{
    const auto userId = call.integer(QStringLiteral("user_id"));
    if (!userId)
        return ApiFields::badField(QStringLiteral("user_id"));
    const auto categoryId = call.integer(QStringLiteral("category_id"));
    if (!categoryId)
        return ApiFields::badField(QStringLiteral("category_id"));
    const QString title = call.text(QStringLiteral("title")).trimmed();
    std::optional<double> values[5];
    const QString keys[5] = {QStringLiteral("cal"), QStringLiteral("carbs"), QStringLiteral("fat"),
                             QStringLiteral("protein"), QStringLiteral("fiber")};
    for (int i = 0; i < 5; ++i) {
        values[i] = amount(call, keys[i]);
        if (!values[i])
            return ApiFields::badField(keys[i]);
    }
    // The session's look-up may have found the member already.
    if (!context.knowsSessionMember(*userId) && !Members::byId(context.db, *userId))
        return apiFailure(1, QStringLiteral("Unknown member"));

    // The category and the member's count of foods in one statement: each
    // statement is a round trip to a database server.
    QSqlQuery query(context.db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT (SELECT COUNT(*) FROM food_categories WHERE id = ?),"
                                               " (SELECT COUNT(*) FROM foods WHERE user_id = ?)"),
                         {*categoryId, *userId})
        || !query.next())
        return ApiFields::storageError();
    const bool knownCategory = query.value(0).toLongLong() > 0;
    const qint64 ownFoods = query.value(1).toLongLong();
    if (!knownCategory)
        return apiFailure(2, QStringLiteral("Unknown category"));
    if (title.isEmpty() || title.size() > maxTitleLength)
        return apiFailure(3, QStringLiteral("The food needs a name of at most 200 characters"));
    if (ownFoods >= maxOwnFoodsPerMember)
        return apiFailure(4, QStringLiteral("Too many foods of your own"));
    // An open read would pin SQLite's snapshot: the write lock could never
    // be taken once another connection has written since.
    query.finish();

    if (!ApiFields::beginWrite(context.db))
        return ApiFields::storageError();
    if (!ApiFields::exec(query, QStringLiteral("INSERT INTO foods (category_id, user_id, title, cal, carbs, fat, protein, fiber)"
                                               " VALUES (?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
                         {*categoryId, *userId, title, *values[0], *values[1], *values[2], *values[3], *values[4]})
        || !query.next()) {
        context.db.rollback();
        return ApiFields::storageError();
    }
    const qint64 foodId = query.value(0).toLongLong();
    query.finish();
    if (!bumpFoodsVersion(context, *userId) || !context.db.commit()) {
        context.db.rollback();
        return ApiFields::storageError();
    }
    return apiSuccess({{QStringLiteral("mycalorie_id"), foodId}});
}

QJsonObject removeMyCalorie(const ApiCall& call, ServerContext& context)
{
    const auto foodId = call.integer(QStringLiteral("mycalorie_id"));
    if (!foodId)
        return ApiFields::badField(QStringLiteral("mycalorie_id"));
    QSqlQuery query(context.db);
    // Only a member's own food can go, and only by that member; the
    // service's catalogue stays.
    if (!ApiFields::exec(query, QStringLiteral("SELECT user_id FROM foods WHERE id = ? AND user_id <> 0"), {*foodId}))
        return ApiFields::storageError();
    const qint64 owner = query.next() ? query.value(0).toLongLong() : 0;
    if (owner != 0 && !context.actsFor(owner))
        return apiFailure(Sessions::refusedCode, QStringLiteral("Not signed in as this member."));
    query.finish();
    if (!ApiFields::beginWrite(context.db))
        return ApiFields::storageError();
    if (!ApiFields::exec(query, QStringLiteral("DELETE FROM foods WHERE id = ? AND user_id <> 0"), {*foodId})) {
        context.db.rollback();
        return ApiFields::storageError();
    }
    if (query.numRowsAffected() < 1) {
        context.db.rollback();
        return apiFailure(1, QStringLiteral("No such food of a member"));
    }
    if (!bumpFoodsVersion(context, owner) || !context.db.commit()) {
        context.db.rollback();
        return ApiFields::storageError();
    }
    return apiSuccess();
}

QJsonObject getSampleList(const ApiCall& call, ServerContext& context)
{
    const int meal = sampleTables.indexOf(call.text(QStringLiteral("table_name")));
    if (meal < 0)
        return apiFailure(1, QStringLiteral("Unknown sample table"));
    QSqlQuery query(context.db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT id, title FROM sample_meals WHERE meal = ? ORDER BY position, id"),
                         {meal}))
        return ApiFields::storageError();
    QJsonArray list;
    while (query.next()) {
        list.append(QJsonObject{{QStringLiteral("id"), query.value(0).toString()},
                                {QStringLiteral("title"), query.value(1).toString()}});
    }
    return apiSuccess({{QStringLiteral("sample_list"), list}});
}

QJsonObject getHistory(const ApiCall& call, ServerContext& context)
{
    const auto member = Members::byEmail(context.db, call.text(QStringLiteral("email")));
    if (!member)
        return apiFailure(1, QStringLiteral("Non Exist Email"));
    // The history is named by e-mail: it must be the session's member's.
    if (!context.actsFor(member->id))
        return apiFailure(Sessions::refusedCode, QStringLiteral("Not signed in as this member."));
    QSqlQuery query(context.db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT id, day, total, remain, score, grade, breakfast, firstsnack,"
                                               " lunch, secondsnack, dinner, thirdsnack,"
                                               " (SELECT COALESCE(SUM(calories), 0) FROM history_exercise"
                                               "  WHERE history_exercise.history_id = history_days.id)"
                                               " FROM history_days WHERE user_id = ? ORDER BY day DESC, id DESC"),
                         {member->id}))
        return ApiFields::storageError();
    QJsonArray list;
    while (query.next()) {
        // The day as milliseconds since the epoch, at noon UTC: its UTC
        // date is the day, which the client reads in UTC (in local time no
        // one instant lies on the same date from UTC-12 to UTC+14), and a
        // client that reads local time still gets it right from UTC-12 to
        // UTC+11.
        const QDate day = QDate::fromString(query.value(1).toString(), QStringLiteral("yyyy-MM-dd"));
        const qint64 date = day.isValid() ? QDateTime(day, QTime(12, 0), QTimeZone::utc()).toMSecsSinceEpoch() : 0;
        QJsonObject entry{{QStringLiteral("id"), query.value(0).toString()},
                          {QStringLiteral("date"), QString::number(date)},
                          {QStringLiteral("total"), numberText(query.value(2).toDouble())},
                          {QStringLiteral("remain"), numberText(query.value(3).toDouble())},
                          {QStringLiteral("score"), numberText(query.value(4).toDouble())},
                          {QStringLiteral("grade"), query.value(5).toString()}};
        for (int meal = 0; meal < mealTypes.size(); ++meal)
            entry.insert(mealTypes.at(meal), numberText(query.value(6 + meal).toDouble()));
        entry.insert(QStringLiteral("exercise_calories"), numberText(query.value(12).toDouble()));
        list.append(entry);
    }
    return apiSuccess({{QStringLiteral("history_info"), list}});
}

QJsonObject getHistoryDetail(const ApiCall& call, ServerContext& context)
{
    const auto historyId = call.integer(QStringLiteral("history_id"));
    if (!historyId)
        return ApiFields::badField(QStringLiteral("history_id"));
    const QString mealType = call.text(QStringLiteral("meal_type"));
    QSqlQuery query(context.db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT user_id FROM history_days WHERE id = ?"), {*historyId}))
        return ApiFields::storageError();
    if (!query.next())
        return apiFailure(1, QStringLiteral("Unknown day"));
    if (!context.actsFor(query.value(0).toLongLong()))
        return apiFailure(Sessions::refusedCode, QStringLiteral("Not signed in as this member."));
    if (!mealTypes.contains(mealType))
        return apiFailure(2, QStringLiteral("Unknown meal type"));
    // Each group's id is the id of its first food row: unique for every
    // day, meal and food type, so a client keeping groups by id never
    // shows one meal's foods under another.
    if (!ApiFields::exec(query, QStringLiteral("SELECT food_type_id, food_type, title, cal, carbs, fat, protein, fiber, id"
                                               " FROM history_foods WHERE history_id = ? AND meal_type = ?"
                                               " ORDER BY food_type_id, id"),
                         {*historyId, mealType}))
        return ApiFields::storageError();
    QJsonArray groups;
    qint64 currentType = -1;
    QJsonObject group;
    QJsonArray items;
    const auto closeGroup = [&] {
        if (currentType < 0)
            return;
        group.insert(QStringLiteral("categories"), items);
        groups.append(group);
    };
    while (query.next()) {
        const qint64 type = query.value(0).toLongLong();
        if (type != currentType) {
            closeGroup();
            currentType = type;
            group = QJsonObject{{QStringLiteral("id"), query.value(8).toString()},
                                {QStringLiteral("food_type"), query.value(1).toString()}};
            items = QJsonArray();
        }
        items.append(QJsonObject{{QStringLiteral("title"), query.value(2).toString()},
                                 {QStringLiteral("cal"), numberText(query.value(3).toDouble())},
                                 {QStringLiteral("carbs"), numberText(query.value(4).toDouble())},
                                 {QStringLiteral("fat"), numberText(query.value(5).toDouble())},
                                 {QStringLiteral("protein"), numberText(query.value(6).toDouble())},
                                 {QStringLiteral("fiber"), numberText(query.value(7).toDouble())}});
    }
    closeGroup();
    // The day's exercise comes with each meal's reply: a client asks for
    // meals only.
    if (!ApiFields::exec(query, QStringLiteral("SELECT code, name, minutes, calories FROM history_exercise"
                                               " WHERE history_id = ? ORDER BY position, id"),
                         {*historyId}))
        return ApiFields::storageError();
    QJsonArray exercise;
    while (query.next())
        exercise.append(QJsonObject{{QStringLiteral("code"), query.value(0).toString()},
                                    {QStringLiteral("name"), query.value(1).toString()},
                                    {QStringLiteral("minutes"), query.value(2).toString()},
                                    {QStringLiteral("calories"), numberText(query.value(3).toDouble())}});
    return apiSuccess({{QStringLiteral("historydetail_info"), groups},
                       {QStringLiteral("exercise"), exercise}});
}

// ---- a finished day sent by the client ----

constexpr int maxDayFoods = 500;
constexpr double maxDayCalories = 100000;
constexpr double maxScore = 10000000; // far over target a day scores far below 0

// Why a day was refused, for the reply.
struct DayRefusal
{
    int code = 0;
    QString message;
};

// A number of the day's JSON within [low, high]; nullopt otherwise (a
// string, a missing key, infinity).
std::optional<double> dayNumber(const QJsonObject& object, const QString& key, double low,
                                double high)
{
    const QJsonValue value = object.value(key);
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number) || number < low || number > high)
        return std::nullopt;
    return number;
}

struct DayFood
{
    int meal = 0;
    qint64 categoryId = 0;
    QString category;
    QString name;
    double values[5] = {}; // calories, carbs, fat, protein, fiber
};

// One activity of the day's exercise, as the client logged it.
struct DayExercise
{
    QString name;
    QString code;
    int minutes = 0;
    double calories = 0;
};

constexpr int maxDayExercise = 50;
constexpr int maxExerciseMinutes = 24 * 60;
constexpr double maxExerciseCalories = 10000;
constexpr int maxExerciseText = 200;

struct UploadedDay
{
    QDate date;
    double eaten = 0, remaining = 0, score = 0;
    QString grade;
    double mealCalories[6] = {};
    QList<DayFood> foods;
    QList<DayExercise> exercise;
};

// The day's optional "exercise" list; false (with `why`) when it is not
// one the history can keep.
bool readExercise(const QJsonObject& object, QList<DayExercise>* exercise, QString* why)
{
    const QJsonValue value = object.value(QStringLiteral("exercise"));
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isArray()) {
        *why = QStringLiteral("The day's exercise must be a list");
        return false;
    }
    const QJsonArray list = value.toArray();
    if (list.size() > maxDayExercise) {
        *why = QStringLiteral("A day holds at most %1 activities").arg(maxDayExercise);
        return false;
    }
    for (const QJsonValue& item : list) {
        const QJsonObject entry = item.toObject();
        DayExercise activity;
        activity.name = entry.value(QStringLiteral("name")).toString().trimmed().left(maxExerciseText);
        activity.code = entry.value(QStringLiteral("code")).toString().trimmed().left(maxExerciseText);
        if (activity.name.isEmpty()) {
            *why = QStringLiteral("An activity needs a name");
            return false;
        }
        const std::optional<double> minutes =
            dayNumber(entry, QStringLiteral("minutes"), 1, maxExerciseMinutes);
        if (!minutes || *minutes != std::floor(*minutes)) {
            *why = QStringLiteral("An activity's minutes must be a whole number from 1 to 1440");
            return false;
        }
        const std::optional<double> calories =
            dayNumber(entry, QStringLiteral("calories"), 0, maxExerciseCalories);
        if (!calories) {
            *why = QStringLiteral("An activity's calories must be a number from 0 to 10000");
            return false;
        }
        activity.minutes = int(*minutes);
        activity.calories = *calories;
        exercise->append(activity);
    }
    return true;
}

// The figures of a day must add up: each meal is the sum of its foods (a
// client counting whole calories per food may be half a calorie per food
// away), eaten the sum of the meals and remaining the target minus eaten,
// each within half a calorie. Empty when they do; otherwise why not.
QString mismatchOf(const UploadedDay& day, double target)
{
    constexpr double rounding = 0.5;
    double foodSums[6] = {};
    int foodCounts[6] = {};
    for (const DayFood& food : day.foods) {
        foodSums[food.meal] += food.values[0];
        ++foodCounts[food.meal];
    }
    double meals = 0;
    for (int meal = 0; meal < mealTypes.size(); ++meal) {
        if (std::abs(day.mealCalories[meal] - foodSums[meal]) >
            rounding * foodCounts[meal] + 1e-9)
            return QStringLiteral("The %1 calories must be the sum of its foods' calories")
                .arg(mealTypes.at(meal));
        meals += day.mealCalories[meal];
    }
    if (std::abs(day.eaten - meals) > rounding)
        return QStringLiteral("The day's eaten calories must be the sum of its meals");
    if (std::abs(day.remaining - (target - day.eaten)) > rounding)
        return QStringLiteral("The day's remaining calories must be its target minus the eaten");
    return {};
}

std::optional<UploadedDay> readDay(const QString& text, DayRefusal* refusal)
{
    const auto refuse = [refusal](int code, const QString& message) {
        *refusal = {code, message};
        return std::nullopt;
    };
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return refuse(2, QStringLiteral("The day is not a JSON object"));
    const QJsonObject object = document.object();

    UploadedDay day;
    day.date = QDate::fromString(object.value(QStringLiteral("date")).toString(),
                                 QStringLiteral("yyyy-MM-dd"));
    // A day ahead of the server by one is still today somewhere on earth.
    if (!day.date.isValid() || day.date.year() < 2000 || day.date > QDate::currentDate().addDays(1))
        return refuse(
            3, QStringLiteral(
                   "The day's date must be yyyy-MM-dd and not more than a day in the future"));

    const auto target = dayNumber(object, QStringLiteral("target"), 0, maxDayCalories);
    const auto eaten = dayNumber(object, QStringLiteral("eaten"), 0, maxDayCalories);
    const auto remaining =
        dayNumber(object, QStringLiteral("remaining"), -maxDayCalories, maxDayCalories);
    const auto score = dayNumber(object, QStringLiteral("score"), -maxScore, 200);
    if (!target || !eaten || !remaining || !score)
        return refuse(
            4, QStringLiteral(
                   "The day's target, eaten, remaining and score must be numbers within range"));
    day.eaten = *eaten;
    day.remaining = *remaining;
    day.score = *score;
    day.grade = object.value(QStringLiteral("grade")).toString();
    static const QStringList grades = {QStringLiteral("A"),
                                       QStringLiteral("B"),
                                       QStringLiteral("C"),
                                       QStringLiteral("D"),
                                       QStringLiteral("F"),
                                       QStringLiteral("0"),
                                       QString()};
    if (!grades.contains(day.grade))
        return refuse(4, QStringLiteral("The day's grade must be A, B, C, D, F or 0"));

    const QJsonArray meals = object.value(QStringLiteral("meals")).toArray();
    if (meals.size() != mealTypes.size())
        return refuse(2, QStringLiteral("The day must hold six meals"));
    qsizetype foodCount = 0;
    for (const QJsonValue& meal : meals)
        foodCount += meal.toObject().value(QStringLiteral("foods")).toArray().size();
    if (foodCount > maxDayFoods)
        return refuse(5, QStringLiteral("A day holds at most 500 foods"));

    static const QStringList valueKeys = {QStringLiteral("calories"), QStringLiteral("carbs"),
                                          QStringLiteral("fat"), QStringLiteral("protein"),
                                          QStringLiteral("fiber")};
    for (int meal = 0; meal < meals.size(); ++meal) {
        const QJsonObject mealObject = meals.at(meal).toObject();
        const auto calories = dayNumber(mealObject, QStringLiteral("calories"), 0, maxDayCalories);
        if (!calories)
            return refuse(4, QStringLiteral("A meal's calories must be a number from 0 to 100000"));
        day.mealCalories[meal] = *calories;
        for (const QJsonValue& value : mealObject.value(QStringLiteral("foods")).toArray()) {
            const QJsonObject food = value.toObject();
            DayFood item;
            item.meal = meal;
            const QJsonObject category = food.value(QStringLiteral("category")).toObject();
            const auto categoryId = dayNumber(category, QStringLiteral("id"), 0, 2147483647.0);
            item.category = category.value(QStringLiteral("name")).toString().trimmed();
            item.name = food.value(QStringLiteral("name")).toString().trimmed();
            if (!categoryId || item.name.isEmpty() || item.name.size() > maxTitleLength ||
                item.category.size() > maxTitleLength)
                return refuse(
                    4, QStringLiteral(
                           "Each food needs a category id and a name of at most 200 characters"));
            if (*categoryId != std::floor(*categoryId))
                return refuse(4, QStringLiteral("A food's category id must be a whole number"));
            if (item.category.isEmpty())
                return refuse(4, QStringLiteral("Each food needs the name of its category"));
            item.categoryId = qint64(*categoryId);
            const auto kind = dayNumber(food, QStringLiteral("kind"), 0, 2);
            if (!kind || *kind != std::floor(*kind))
                return refuse(4, QStringLiteral("A food's amount kind must be 0, 1 or 2"));
            for (int i = 0; i < valueKeys.size(); ++i) {
                const auto number = dayNumber(food, valueKeys.at(i), 0, maxDayCalories);
                if (!number)
                    return refuse(
                        4, QStringLiteral(
                               "A food's calories and nutrients must be numbers from 0 to 100000"));
                item.values[i] = *number;
            }
            day.foods.append(item);
        }
    }
    if (const QString mismatch = mismatchOf(day, *target); !mismatch.isEmpty())
        return refuse(4, mismatch);
    if (QString why; !readExercise(object, &day.exercise, &why))
        return refuse(4, why);
    return day;
}

// Stores a finished day of a member, replacing the one of the same date.
QJsonObject uploadDay(const ApiCall& call, ServerContext& context)
{
    const auto member = Members::byEmail(context.db, call.text(QStringLiteral("email")));
    if (!member)
        return apiFailure(1, QStringLiteral("Non Exist Email"));
    if (!context.actsFor(member->id))
        return apiFailure(Sessions::refusedCode, QStringLiteral("Not signed in as this member."));
    if (!call.has(QStringLiteral("day")))
        return ApiFields::badField(QStringLiteral("day"));
    DayRefusal refusal;
    const std::optional<UploadedDay> day = readDay(call.text(QStringLiteral("day")), &refusal);
    if (!day)
        return apiFailure(refusal.code, refusal.message);

    const QString date = day->date.toString(QStringLiteral("yyyy-MM-dd"));
    // Under the member's lock: the same day sent twice at once (two
    // instances, a retry) is replaced in turn, never stored twice.
    if (!ApiFields::beginWrite(context.db, member->id))
        return ApiFields::storageError();
    QSqlQuery query(context.db);
    const auto fail = [&context] {
        context.db.rollback();
        return ApiFields::storageError();
    };
    if (!ApiFields::exec(
            query,
            QStringLiteral("DELETE FROM history_foods WHERE history_id IN"
                           " (SELECT id FROM history_days WHERE user_id = ? AND day = ?)"),
            {member->id, date}) ||
        !ApiFields::exec(
            query,
            QStringLiteral("DELETE FROM history_exercise WHERE history_id IN"
                           " (SELECT id FROM history_days WHERE user_id = ? AND day = ?)"),
            {member->id, date}) ||
        !ApiFields::exec(query,
                         QStringLiteral("DELETE FROM history_days WHERE user_id = ? AND day = ?"),
                         {member->id, date}))
        return fail();
    if (!ApiFields::exec(
            query,
            QStringLiteral("INSERT INTO history_days (user_id, day, total, remain, score, grade,"
                           " breakfast, firstsnack, lunch, secondsnack, dinner, thirdsnack)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
            {member->id, date, day->eaten, day->remaining, day->score, day->grade,
             day->mealCalories[0], day->mealCalories[1], day->mealCalories[2], day->mealCalories[3],
             day->mealCalories[4], day->mealCalories[5]})
        || !query.next())
        return fail();
    const qint64 historyId = query.value(0).toLongLong();
    query.finish();
    for (const DayFood& food : day->foods) {
        if (!ApiFields::exec(
                query,
                QStringLiteral("INSERT INTO history_foods (history_id, meal_type, food_type_id,"
                               " food_type, title, cal, carbs, fat, protein, fiber)"
                               " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {historyId, mealTypes.at(food.meal), food.categoryId, food.category, food.name,
                 food.values[0], food.values[1], food.values[2], food.values[3], food.values[4]}))
            return fail();
    }
    for (int i = 0; i < day->exercise.size(); ++i) {
        const DayExercise& activity = day->exercise.at(i);
        if (!ApiFields::exec(query,
                             QStringLiteral("INSERT INTO history_exercise (history_id, position, code,"
                                            " name, minutes, calories) VALUES (?, ?, ?, ?, ?, ?)"),
                             {historyId, i, activity.code, activity.name, activity.minutes,
                              activity.calories}))
            return fail();
    }
    if (!context.db.commit())
        return fail();
    return apiSuccess({{QStringLiteral("history_id"), QString::number(historyId)}});
}

// ---- demo data ----

struct DemoFood
{
    qint64 categoryId;
    QString category;
    FoodDemo::Food food;
};

// Which categories (1-based, in catalogue order) suit which meal.
const QList<QList<int>> mealCategories = {
    {5, 9, 10, 1, 6, 16},   // breakfast: cereals, dairy, eggs, fruit, bread, drinks
    {1, 8, 15, 9},          // first snack
    {11, 13, 7, 4, 14, 3},  // lunch
    {1, 8, 15, 9, 2},       // second snack
    {12, 11, 13, 4, 2, 3},  // dinner
    {17, 1, 16, 9},         // third snack
};

// Home-side score and grade, so the demo history reads like real days.
QString gradeFor(double score, int mealsEaten)
{
    if (mealsEaten <= 3)
        return QStringLiteral("0");
    if (score >= 95.8)
        return QStringLiteral("A");
    if (score > 91.8)
        return QStringLiteral("B");
    if (score > 83.4)
        return QStringLiteral("C");
    if (score >= 75.1)
        return QStringLiteral("D");
    return QStringLiteral("F");
}

bool addDemoHistory(QSqlDatabase& db, qint64 userId, const QList<QList<DemoFood>>& byCategory)
{
    QRandomGenerator random(20260101);
    // Apart from the food's, so the demo days keep the foods they had.
    QRandomGenerator exerciseRandom(20260102);
    constexpr double target = 1800;
    QSqlQuery query(db);
    const QDate today = QDate::currentDate();
    for (int back = 30; back >= 1; --back) {
        const QDate day = today.addDays(-back);
        double mealCalories[6] = {};
        struct Eaten { int meal; const DemoFood* food; double portion; };
        QList<Eaten> eaten;
        for (int meal = 0; meal < 6; ++meal) {
            // Snacks are skipped now and then, which some days costs the grade.
            const bool snack = meal % 2 == 1;
            if (snack && random.bounded(100) < 35)
                continue;
            const int dishes = snack ? 1 : 2 + random.bounded(2);
            for (int i = 0; i < dishes; ++i) {
                const QList<int>& choices = mealCategories.at(meal);
                const int category = choices.at(random.bounded(int(choices.size()))) - 1;
                const QList<DemoFood>& foods = byCategory.at(category);
                const DemoFood& food = foods.at(random.bounded(int(foods.size())));
                const double portion = food.food.cal > 600 ? 0.25 : food.food.cal > 300 ? 0.5 : 1.0;
                eaten.append({meal, &food, portion});
                mealCalories[meal] += food.food.cal * portion;
            }
        }
        double total = 0;
        int mealsEaten = 0;
        for (double& calories : mealCalories) {
            calories = std::round(calories);
            total += calories;
            mealsEaten += calories > 0 ? 1 : 0;
        }
        const double remain = target - total;
        const double fraction = total / target;
        const double score = std::round((remain < 0 ? (2 - fraction) : fraction) * 1000) / 10;
        if (!ApiFields::exec(query, QStringLiteral("INSERT INTO history_days (user_id, day, total, remain, score, grade,"
                                                   " breakfast, firstsnack, lunch, secondsnack, dinner, thirdsnack)"
                                                   " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
                             {userId, day.toString(QStringLiteral("yyyy-MM-dd")), total, remain, score,
                              gradeFor(score, mealsEaten), mealCalories[0], mealCalories[1], mealCalories[2],
                              mealCalories[3], mealCalories[4], mealCalories[5]})
            || !query.next())
            return false;
        const qint64 historyId = query.value(0).toLongLong();
        query.finish();
        for (const Eaten& item : std::as_const(eaten)) {
            const FoodDemo::Food& f = item.food->food;
            const auto scaled = [&](double v) { return std::round(v * item.portion * 10) / 10; };
            if (!ApiFields::exec(query, QStringLiteral("INSERT INTO history_foods (history_id, meal_type, food_type_id,"
                                                       " food_type, title, cal, carbs, fat, protein, fiber)"
                                                       " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                                 {historyId, mealTypes.at(item.meal), item.food->categoryId, item.food->category,
                                  f.title, scaled(f.cal), scaled(f.carbs), scaled(f.fat), scaled(f.protein),
                                  scaled(f.fiber)}))
                return false;
        }
        // A brisk walk most days, and now and then a swim: the history shows
        // exercise beside the food.
        const int minutes = 20 + 10 * exerciseRandom.bounded(5);
        const bool swim = exerciseRandom.bounded(100) < 20;
        if (exerciseRandom.bounded(100) < 70 &&
            !ApiFields::exec(query, QStringLiteral("INSERT INTO history_exercise (history_id, position, code,"
                                                   " name, minutes, calories) VALUES (?, 0, ?, ?, ?, ?)"),
                             {historyId, swim ? QStringLiteral("18250") : QStringLiteral("17200"),
                              swim ? QStringLiteral("Swimming laps, freestyle, slow or moderate")
                                   : QStringLiteral("Walking, brisk pace (3.5 mph)"),
                              minutes, std::round((swim ? 5.8 : 4.3) * 75 * minutes / 60.0)}))
            return false;
    }
    return true;
}

bool addDemoRows(ServerContext& context)
{
    QSqlDatabase& db = context.db;
    QSqlQuery query(db);
    const QList<FoodDemo::Category> catalogue = FoodDemo::catalogue();
    QList<QList<DemoFood>> byCategory;
    for (int i = 0; i < catalogue.size(); ++i) {
        const FoodDemo::Category& category = catalogue.at(i);
        const qint64 categoryId = i + 1;
        if (!ApiFields::exec(query, QStringLiteral("INSERT INTO food_categories (id, title, recomended) VALUES (?, ?, ?)"),
                             {categoryId, category.title, category.recomended}))
            return false;
        QList<DemoFood> foods;
        for (const FoodDemo::Food& food : category.foods) {
            if (!ApiFields::exec(query, QStringLiteral("INSERT INTO foods (category_id, user_id, title, cal, carbs, fat,"
                                                       " protein, fiber) VALUES (?, 0, ?, ?, ?, ?, ?, ?)"),
                                 {categoryId, food.title, food.cal, food.carbs, food.fat, food.protein, food.fiber}))
                return false;
            foods.append({categoryId, category.title, food});
        }
        byCategory.append(foods);
    }
    const QList<QStringList> samples = FoodDemo::sampleMeals();
    for (int meal = 0; meal < samples.size(); ++meal) {
        for (int position = 0; position < samples.at(meal).size(); ++position) {
            if (!ApiFields::exec(query, QStringLiteral("INSERT INTO sample_meals (meal, position, title) VALUES (?, ?, ?)"),
                                 {meal, position, samples.at(meal).at(position)}))
                return false;
        }
    }
    // The demo member (user id 1) has a month of tracked days and one food
    // of their own.
    if (!ApiFields::exec(query, QStringLiteral("INSERT INTO foods (category_id, user_id, title, cal, carbs, fat, protein,"
                                               " fiber) VALUES (15, 1, 'Grandma''s oat cookies', 420, 58, 18, 6, 4)")))
        return false;
    return addDemoHistory(db, 1, byCategory);
}

} // namespace

void addDemoData(ServerContext& context)
{
    ApiFields::allOrNothing(context.db, [&context] { return addDemoRows(context); });
}

void registerAll(EndpointTable& table)
{
    table.addPrepared(QStringLiteral("getFoodList"), getFoodList);
    table.add(QStringLiteral("uploadMyCalorie"), uploadMyCalorie);
    table.add(QStringLiteral("removeMyCalorie"), removeMyCalorie);
    table.add(QStringLiteral("getSampleList"), getSampleList);
    table.add(QStringLiteral("getHistory"), getHistory);
    table.add(QStringLiteral("getHistoryDetail"), getHistoryDetail);
    table.add(QStringLiteral("uploadDay"), uploadDay);
}

} // namespace FoodEndpoints
