// Random images, ids and values through get, set, enabled state and text of the program and
// global accessors. A value read back after a set must lie in the parameter's range. Raw writes,
// float conversions and float writes take any 32-bit value and any float bit pattern, NaN and
// infinities included (the sanitizers catch an overflow).
#include "synthdata/CGlobal.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580GlobalAccessor.h"
#include "synthdata/CQ3580IdConverter.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

struct Input
{
    const uint8_t* data;
    size_t size;

    uint8_t Byte()
    {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
    int32_t Value()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = v << 8 | Byte();
        return static_cast<int32_t>(v);
    }
    float Float()
    {
        const auto bits = static_cast<uint32_t>(Value());
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    void Fill(uint8_t* image, size_t n)
    {
        const size_t taken = n < size ? n : size;
        std::memcpy(image, data, taken);
        data += taken;
        size -= taken;
    }
};

void Check(bool ok, const char* what, const CZmParameterId& id, int32_t value)
{
    if (ok)
        return;
    std::fprintf(stderr, "%s: id %u/%u/%u value %d\n", what, id.group, id.index, id.timbre, value);
    std::abort();
}

CZmParameterId NextId(Input& in)
{
    // Mostly valid groups and rows, sometimes far outside them.
    const uint8_t g = in.Byte();
    const uint8_t i = in.Byte();
    const uint8_t t = in.Byte();
    return {g < 0xF0 ? g % 11u : g, i < 0xF0 ? i % 112u : i * 997u, t < 0xF0 ? t % 3u : t};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const CQ3580ProgramAccessor program;
    static const CQ3580GlobalAccessor globals;
    static const CQ3580IdConverter converter;

    Input in{data, size};
    CProgram prog;
    prog.Init();
    CGlobal global;
    in.Fill(prog.GetImage(), prog.GetImageSize());
    in.Fill(global.GetImage(), global.GetImageSize());

    char text[64];
    while (in.size > 0)
    {
        const uint8_t op = in.Byte();
        const CZmParameterId id = NextId(in);
        const int32_t value = in.Value();
        switch (op % 10)
        {
        case 0:
        {
            program.SetValue(&prog, id, value);
            const int32_t back = program.GetValue(&prog, id);
            Check(back >= program.GetMin(&prog, id) && back <= program.GetMax(&prog, id), "program range", id,
                  back);
            break;
        }
        case 1:
            program.GetValueText(&prog, id, value, text, sizeof text);
            program.GetCurrentValueText(&prog, id, text, sizeof text);
            Check(std::strlen(text) < sizeof text, "program text", id, value);
            break;
        case 2:
            (void)program.IsParameterEnabled(&prog, id);
            (void)program.IsControlAssignable(&prog, id);
            program.SetParameterByFloat(&prog, id, static_cast<float>(value) / 65536.0f);
            (void)program.GetValueAsFloat(&prog, id);
            break;
        case 3:
        {
            globals.SetValue(&global, id, value);
            const int32_t back = globals.GetValue(&global, id);
            Check(back >= globals.GetMin(id) && back <= globals.GetMax(id), "global range", id, back);
            break;
        }
        case 4:
            globals.GetValueText(&global, id, value, text, sizeof text);
            globals.GetCurrentValueText(&global, id, text, sizeof text);
            (void)globals.IsEditable(id);
            break;
        case 6:
        {
            // Raw writes: whatever the value, a 16-bit row stays in its range.
            program.SetParameter(&prog, id, value);
            const int32_t back = program.GetParameter(&prog, id);
            const bool wide =
                (id.group == 7 && id.index == 0) || (id.group == 5 && id.index >= 53 && id.index <= 68);
            if (wide && program.IsPresent(id))
                Check(back >= program.GetMin(&prog, id) && back <= program.GetMax(&prog, id),
                      "raw 16-bit range", id, back);
            break;
        }
        case 7:
        {
            const float f = program.ValueToFloat(&prog, id, value);
            Check(std::isfinite(f), "value to float is finite", id, value);
            const int32_t min = program.GetMin(&prog, id);
            const int32_t max = program.GetMax(&prog, id);
            if (value >= min && value <= max)
                Check(program.FloatToValue(&prog, id, f) == value, "float round trip", id, value);
            break;
        }
        case 8:
        {
            const float f = in.Float();
            (void)program.FloatToValue(&prog, id, f);
            program.SetParameterByFloat(&prog, id, f);
            const int32_t back = program.GetValue(&prog, id);
            Check(back >= program.GetMin(&prog, id) && back <= program.GetMax(&prog, id), "float write range",
                  id, back);
            break;
        }
        case 9:
            globals.SetParameter(&global, id, value);
            (void)globals.GetParameter(&global, id);
            break;
        default:
        {
            CZmDeviceAddress address;
            CZmParameterId back;
            if (converter.ToDeviceAddress(id, address) && address.IsValid())
                Check(converter.FromDeviceAddress(address, back) && back.group == id.group &&
                          back.index == id.index,
                      "address round trip", id, value);
            converter.FromDeviceAddress(
                {static_cast<uint32_t>(value) >> 16, static_cast<uint32_t>(value) & 0xFFFF}, back);
            break;
        }
        }
    }
    return 0;
}
