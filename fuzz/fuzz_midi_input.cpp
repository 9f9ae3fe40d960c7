// Feeds arbitrary bytes to the MIDI input parser as a series of input buffers (the first byte
// picks the buffer size) and checks every message it reports; the payload also goes through
// a 7-bit pack and unpack round trip. Real-time bytes must be transparent: each is reported once,
// in order, and the same input without them yields the same messages.
#include "framework/midi/CHfcMidiInputParser.h"
#include "framework/midi/HfcMidiBytes.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
void Require(bool condition)
{
    if (!condition)
        abort();
}

class CheckingSink : public CHfcMidiParserSink
{
public:
    const uint8_t* begin = nullptr;
    const uint8_t* end = nullptr;
    bool receiving = false;
    std::string realTime; // the real-time bytes reported, in order
    std::string messages; // every other message reported, each as its length and bytes

    void OnParsedShort(uint32_t length, const uint8_t* bytes) override
    {
        // A message with real-time bytes inside comes as a copy, outside the buffer.
        if (bytes >= begin && bytes < end)
            InBuffer(length, bytes);
        if (bytes[0] >= 0xF8)
            realTime += static_cast<char>(bytes[0]);
        else
            Record(length, bytes);
        Require(length == GetMessageLength(bytes[0]) && bytes[0] >= 0x80 && bytes[0] != 0xF0 &&
                bytes[0] != 0xF7);
        for (uint32_t i = 1; i < length; ++i)
            Require(bytes[i] < 0x80);
    }
    void OnParsedSysEx(uint32_t consumed, const uint8_t* runStart, CHfcMidiMessage& message) override
    {
        InBuffer(consumed, runStart);
        uint32_t n = message.GetLength();
        Require(n >= 2 && *message.GetData(0) == 0xF0 && *message.GetData(n - 1) == 0xF7);
        for (uint32_t i = 1; i + 1 < n; ++i)
            Require(*message.GetData(i) < 0x80);
        Require(runStart[consumed - 1] == 0xF7);
        Record(n, message.GetData(0));
    }
    void OnParsedProgress(uint32_t count, const uint8_t* runStart) override
    {
        InBuffer(count, runStart);
        Require(runStart + count == end);
    }
    void OnReceivingChanged(bool now) override
    {
        Require(now != receiving);
        receiving = now;
    }

private:
    void Record(uint32_t length, const uint8_t* bytes)
    {
        messages += std::to_string(length) + ':';
        messages.append(reinterpret_cast<const char*>(bytes), length);
    }
    void InBuffer(uint32_t count, const uint8_t* start)
    {
        Require(count > 0 && start >= begin && start + count <= end);
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    size_t bufferSize = 1 + data[0] % 64;
    CheckingSink sink;
    CHfcMidiInputParser parser(sink);
    CheckingSink withoutSink;
    CHfcMidiInputParser withoutParser(withoutSink);
    std::string realTimeIn;
    for (size_t pos = 1; pos < size; pos += bufferSize)
    {
        size_t n = size - pos < bufferSize ? size - pos : bufferSize;
        // A copy of exactly n bytes, so that a read past the buffer is caught.
        std::vector<uint8_t> buffer(data + pos, data + pos + n);
        sink.begin = buffer.data();
        sink.end = buffer.data() + n;
        parser.ParseLongBuffer(static_cast<uint32_t>(n), buffer.data());

        // The same buffer without its real-time bytes.
        std::vector<uint8_t> without;
        for (uint8_t b : buffer)
            if (b >= 0xF8)
                realTimeIn += static_cast<char>(b);
            else
                without.push_back(b);
        withoutSink.begin = without.data();
        withoutSink.end = without.data() + without.size();
        withoutParser.ParseLongBuffer(static_cast<uint32_t>(without.size()), without.data());
    }
    Require(sink.realTime == realTimeIn);
    Require(withoutSink.realTime.empty());
    Require(sink.messages == withoutSink.messages);

    uint32_t n = static_cast<uint32_t>(size - 1);
    std::vector<uint8_t> packed(GetEncoded7BitSize(n));
    Encode7Bit(packed.data(), data + 1, n);
    for (uint8_t b : packed)
        Require(b < 0x80);
    std::vector<uint8_t> unpacked(n);
    Decode7Bit(unpacked.data(), packed.data(), n);
    for (uint32_t i = 0; i < n; ++i)
        Require(unpacked[i] == data[1 + i]);
    return 0;
}
