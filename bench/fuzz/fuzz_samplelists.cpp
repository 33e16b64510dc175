// Sample meals: getSampleList replies, for every meal index and one beyond.
#include "fuzzinput.h"
#include "planner/samplelists.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int meal = int(data[0] % (SampleLists::mealCount + 2)) - 1;
    SampleLists::appendReply(meal, fuzzReply(data + 1, size - 1));
    SampleLists::titles(meal);
    SampleLists::clear();
    return 0;
}
