// Feeds arbitrary text to the string-table parser, then looks up the keywords the text names
// and entries around the ends of their lists.
#include "foundation/CEfStringTable.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    CEfStringTable table;
    table.Parse(text, size);
    table.SelectLanguage(static_cast<int32_t>(size % 4) - 1);

    size_t sum = table.GetKeywordCount();
    // Every "*keyword" line of the input, looked up as given.
    for (size_t at = 0; at < size; ++at)
    {
        if (data[at] != '*' || (at > 0 && data[at - 1] != '\n'))
            continue;
        size_t end = at + 1;
        while (end < size && data[end] != '\r' && data[end] != '\n' && data[end] != '\0')
            ++end;
        const std::string keyword(text + at + 1, end - at - 1);
        const uint32_t count = table.GetCount(keyword.c_str());
        for (uint32_t index : {0u, count > 0 ? count - 1 : 0u, count, 0xFFFFFFFFu})
        {
            const char* entry = table.GetString(keyword.c_str(), index);
            if (entry != nullptr)
                sum += std::strlen(entry);
        }
    }
    return sum == static_cast<size_t>(-1) ? 1 : 0;
}
