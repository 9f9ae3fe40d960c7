// Feeds arbitrary bytes to every recogniser of the instrument's protocol, as a received message
// would reach them, and checks that what they accept re-encodes to the same bytes.
#include "app/protocol/MidiProtocol.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace
{
void Require(bool condition)
{
    if (!condition)
        abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy of exactly the input's size, so that any read past the message is caught.
    std::vector<uint8_t> message(data, data + size);
    const uint8_t* bytes = message.empty() ? nullptr : message.data();
    const uint32_t length = static_cast<uint32_t>(message.size());

    for (uint32_t row = 0; row <= kSysExTemplateCount; ++row)
        if (MatchSysExTemplate(row, bytes, length))
            Require(row < kSysExTemplateCount && length >= SysExTemplateTable[row].length);

    CSysExIdentity identity;
    if (DecodeIdentityReply(bytes, length, identity))
        Require(length == kIdentityReplyLength && identity.channel < 16 && identity.family >= -8192 &&
                identity.family < 8192);

    int32_t section = 0, index = 0, value = 0;
    if (DecodeParameterChange(bytes, length, section, index, value))
    {
        std::vector<uint8_t> again = BuildParameterChange(message[2] & 0x0F, section, index, value);
        for (uint32_t i = 0; i + 1 < kParameterChangeLength; ++i)
            Require(again[i] == (i < 5 ? message[i] : (message[i] & 0x7F)));
    }

    CSearchReply reply;
    if (DecodeSearchReply(bytes, length, reply))
        Require(length == kSearchReplyLength && reply.channel < 16 && reply.flag <= 1 &&
                reply.family <= 0xFFFF && reply.number == message[5]);
    return 0;
}
