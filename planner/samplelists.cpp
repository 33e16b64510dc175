#include "planner/samplelists.h"

#include "app/jsonreply.h"

#include <array>

namespace {

std::array<QStringList, SampleLists::mealCount>& lists()
{
    static std::array<QStringList, SampleLists::mealCount> table;
    return table;
}

bool isMeal(int meal)
{
    return meal >= 0 && meal < SampleLists::mealCount;
}

} // namespace

QStringList SampleLists::titles(int meal)
{
    return isMeal(meal) ? lists()[meal] : QStringList();
}

void SampleLists::clear()
{
    for (QStringList& list : lists())
        list.clear();
}

bool SampleLists::appendReply(int meal, const QString& reply)
{
    if (!isMeal(meal))
        return false;
    const QJsonObject object = JsonReply::parseObject(reply);
    if (!JsonReply::succeeded(object))
        return false;
    const QJsonArray samples = object.value(QStringLiteral("sample_list")).toArray();
    QStringList& list = lists()[meal];
    for (const QJsonValue& sample : samples) {
        // A sample without a title is still a sample (an empty row); what is
        // not an object is none.
        if (sample.isObject())
            list.append(JsonReply::text(sample.toObject(), QStringLiteral("title")));
    }
    return true;
}
