// History list and details: the getHistory reply.
#include "fuzzinput.h"
#include "main/historymodel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto records = HistoryReply::parse(fuzzReply(data, size));
    if (records) {
        for (const auto& record : *records)
            (void)record;
    }
    return 0;
}
