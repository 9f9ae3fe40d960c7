#include "synthdata/CZmValueText.h"

#include "foundation/CEfStringTable.h"

#include <cstdio>
#include <cstring>

bool CZmValueText::IsFormat(const char* format, const char* name)
{
    return format != nullptr && std::strncmp(format, name, 32) == 0;
}

void CZmValueText::FormatKeyword(const char* keyword, int64_t n, char* buffer, size_t size)
{
    const CEfStringTable* table = GetStringTable();
    const char* text = (table != nullptr && n >= 0 && n <= UINT32_MAX && keyword != nullptr)
                           ? table->GetString(keyword, static_cast<uint32_t>(n))
                           : nullptr;
    if (text != nullptr)
        std::snprintf(buffer, size, "%s", text);
    else
        std::snprintf(buffer, size, "%lld", static_cast<long long>(n));
}

void CZmValueText::AppendTab(char* buffer, size_t size)
{
    size_t len = std::strlen(buffer);
    if (len < 31 && len + 1 < size)
    {
        buffer[len] = '\t';
        buffer[len + 1] = '\0';
    }
}

void CZmValueText::Format(const char* format, int32_t v, int32_t minimum, char* buffer, size_t size)
{
    if (buffer == nullptr || size == 0)
        return;
    if (IsFormat(format, "Value"))
        std::snprintf(buffer, size, (minimum < 0 && v >= 0) ? "+%d" : "%d", v);
    else if (IsFormat(format, "PanValue"))
    {
        if (v == 64)
            std::snprintf(buffer, size, "CNT");
        else if (v > 64)
            std::snprintf(buffer, size, "R%lld", static_cast<long long>(v) - 64);
        else
            std::snprintf(buffer, size, "L%lld", 64 - static_cast<long long>(v));
    }
    else if (IsFormat(format, "PercentValue"))
        std::snprintf(buffer, size, "%d%%", v);
    else if (IsFormat(format, "FxWetDry"))
    {
        if (v == 0)
            std::snprintf(buffer, size, "Dry");
        else if (v == 100)
            std::snprintf(buffer, size, "Wet");
        else
            std::snprintf(buffer, size, "%lld:%d", 100 - static_cast<long long>(v), v);
    }
    else if (IsFormat(format, "FxLfoSpread"))
    {
        if (v > 0)
            std::snprintf(buffer, size, "+%d0", v);
        else if (v == 0)
            std::snprintf(buffer, size, "+0");
        else
            std::snprintf(buffer, size, "%d0", v);
    }
    else if (IsFormat(format, "FxFineValue"))
        std::snprintf(buffer, size, v > 0 ? "+%d cent" : "%d cent", v);
    else if (IsFormat(format, "FxdBValue"))
        std::snprintf(buffer, size, v >= 0 ? "+%.1fdB" : "%.1fdB", v * 0.5);
    else if (IsFormat(format, "FxEqQ"))
        std::snprintf(buffer, size, "%.1f", v / 10.0 + 0.5);
    else if (IsFormat(format, "CcMapNumber"))
    {
        // Controller numbers above 119 are channel-mode messages; none is a valid map entry.
        if (v < 0 || v > 119)
            std::snprintf(buffer, size, "Off");
        else
            std::snprintf(buffer, size, "CC#%02d", v);
    }
    else
        FormatKeyword(format, minimum < 0 ? static_cast<int64_t>(v) - minimum : v, buffer, size);
}
