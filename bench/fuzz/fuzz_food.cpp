// The food catalogue (getFoodList) and the day-store values read back from
// the member's settings ("<food>:<calories>:<kind>" entries joined by '@',
// and the plain numbers of the meal totals).
#include "fuzzinput.h"
#include "tracker/daystore.h"
#include "tracker/foodcatalogue.h"
#include "tracker/foodnumbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzzReply(data, size);
    FoodCatalogue catalogue;
    catalogue.load(text);
    for (qint32 id : catalogue.categoryIds())
        catalogue.category(id);

    const QList<MealEntry> entries = DayStore::parseEntries(text);
    DayStore::formatEntries(entries);
    MealEntry::fromText(text);
    const float calories = FoodNumbers::readFloat(text);
    FoodNumbers::wholePart(calories);
    FoodNumbers::calories(calories);
    FoodNumbers::shortest(calories);
    const int whole = FoodNumbers::readInt(text);
    FoodNumbers::addCalories(whole, whole);
    FoodNumbers::subtractCalories(whole, -whole);
    return 0;
}
