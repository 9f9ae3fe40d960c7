// Drives the text-edit model with arbitrary operations (keys, key-downs, presses, drags,
// selections, limit changes, new edits) and checks its invariants after each: the text never
// longer than the limit allows, the caret and the anchor within the text, the selection
// inside it, and only the characters 32..126 typed in.
#include "editor/math/CTextEditModel.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
void Require(bool condition)
{
    if (!condition)
        abort();
}

void Check(const CTextEditModel& model, const std::string& begun)
{
    const size_t length = model.GetText().size();
    Require(length <= model.GetMaxLength());
    Require(model.GetMaxLength() + 1 == static_cast<size_t>(model.GetLengthLimit()));
    Require(model.GetLengthLimit() >= 1 && model.GetLengthLimit() <= CTextEditModel::kMaxLimit);
    Require(model.GetCaret() <= length);
    Require(model.GetAnchor() <= length);
    Require(model.GetSelectionStart() <= model.GetSelectionEnd());
    Require(model.GetSelectionEnd() <= length);
    if (model.HasSelection())
        Require(model.GetCaret() == model.GetSelectionStart() || model.GetCaret() == model.GetSelectionEnd());
    // Every character was typed (32..126) or came from the text the edit began with.
    for (char c : model.GetText())
        Require((c >= 32 && c <= 126) || begun.find(c) != std::string::npos);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CTextEditModel model;
    std::string begun;
    size_t pos = 0;
    auto next = [&]() -> uint8_t { return pos < size ? data[pos++] : 0; };
    while (pos < size)
    {
        const uint8_t op = next();
        switch (op % 9)
        {
        case 0:
        case 1:
        {
            const uint32_t code = next();
            model.OnKeyCharacter(code, next() & 7u);
            break;
        }
        case 2:
            model.OnKeyDown(0x20u + next() % 0x10u, next() & 7u);
            break;
        case 3:
        {
            const int32_t x = static_cast<int8_t>(next()) * 4;
            model.Press(x, static_cast<int32_t>(next() % 16) - 1);
            break;
        }
        case 4:
        {
            const int32_t x = static_cast<int8_t>(next()) * 4;
            model.Drag(x, static_cast<int32_t>(next() % 16) - 1);
            break;
        }
        case 5:
            model.SelectAll();
            break;
        case 6:
            model.SetLengthLimit(static_cast<int32_t>(next() | (next() << 8)) - 8);
            break;
        case 7:
        {
            const size_t n = next();
            std::string text;
            for (size_t i = 0; i < n && pos < size; ++i)
                text += static_cast<char>(next());
            model.End();
            Require(model.Begin(text));
            Require(model.GetText() == text.substr(0, model.GetMaxLength()));
            begun = text;
            break;
        }
        default:
            model.DeleteForward();
            break;
        }
        Check(model, begun);
    }
    return 0;
}
