// Weight files a member imports: CSV from any tracker, in any shape.
#include "fuzzinput.h"
#include "weight/weightcsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QDate today(2026, 12, 7);
    const WeightImport read = WeightCsv::parse(fuzzBytes(data, size), WeightUnit::Pounds, today);
    // Whatever the file, what is taken is one valid weighing per day, in order.
    QDate previous;
    for (const WeightEntry& entry : read.entries) {
        if (!WeightLimits::isValidDate(entry.date, today) || !WeightLimits::isValidKg(entry.kg) ||
            (previous.isValid() && entry.date <= previous))
            __builtin_trap();
        previous = entry.date;
    }
    if (read.taken != read.entries.size() || (!read.refusal.isEmpty() && !read.entries.isEmpty()))
        __builtin_trap();
    return 0;
}
