#include "app/protocol/MidiProtocol.h"

#include <cstring>

namespace
{
constexpr uint8_t mk = kSysExMakerId;
constexpr uint8_t md = kSysExModelId;
} // namespace

// Byte 2 of the instrument's rows is stored for channel 0; the channel goes in when sending.
const CSysExTemplate SysExTemplateTable[kSysExTemplateCount] = {
    {{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}, 6, 6, 0, 0},
    {{0xF0, mk, 0x30, md, 0x10, 0xF7}, 6, 6, 0, 0},
    {{0xF0, mk, 0x30, md, 0x1C, 0x00, 0x00, 0xF7}, 8, 5, 5, 0},
    {{0xF0, mk, 0x30, md, 0x0E, 0xF7}, 6, 6, 0, 0},
    {{0xF0, mk, 0x30, md, 0x12, 0xF7}, 6, 6, 0, 0},
    {{0xF0, 0x7E, 0x00, 0x06, 0x02}, 15, 5, 0, 0},
    {{0xF0, mk, 0x30, md, 0x40}, 5, 5, 0, 5},
    {{0xF0, mk, 0x30, md, 0x4C, 0x00, 0x00}, 7, 5, 5, 7},
    {{0xF0, mk, 0x30, md, 0x51}, 5, 5, 0, 5},
    {{0xF0, mk, 0x30, md, 0x4E, 0x00, 0x00, 0xF7}, 8, 5, 5, 0},
    {{0xF0, mk, 0x30, md, 0x42, 0x00, 0x00, 0x00, 0x04, 0xF7}, 10, 5, 5, 0},
    {{0xF0, mk, 0x30, md, 0x26, 0xF7}, 6, 6, 0, 0},
    {{0xF0, mk, 0x30, md, 0x23, 0xF7}, 6, 6, 0, 0},
    {{0xF0, mk, 0x30, md, 0x24, 0xF7}, 6, 6, 0, 0},
    {{0xF0, mk, 0x30, md, 0x21, 0xF7}, 6, 6, 0, 0},
    {{0xF0, mk, 0x30, md, 0x22, 0xF7}, 6, 6, 0, 0},
};

std::vector<uint8_t> BuildSysEx(uint32_t row, uint32_t channel, const uint8_t* data, uint32_t dataLength,
                                uint32_t number)
{
    if (row >= kSysExTemplateCount)
        return {};
    const CSysExTemplate& t = SysExTemplateTable[row];
    const bool payload = data != nullptr && dataLength > 0 && t.dataPosition != 0;
    std::vector<uint8_t> message(t.bytes, t.bytes + t.length);
    if (payload)
        message.resize(t.length + dataLength + 1);
    if (row != kRowDeviceInquiry)
        message[2] = static_cast<uint8_t>((message[2] & 0xF0) | (channel & 0x0F));
    if (t.numberPosition != 0)
    {
        message[t.numberPosition] = static_cast<uint8_t>(number & 0x7F);
        message[t.numberPosition + 1] = static_cast<uint8_t>(number >> 7 & 0x7F);
    }
    if (payload)
        std::memcpy(&message[t.dataPosition], data, dataLength);
    message.back() = 0xF7;
    return message;
}

bool MatchSysExTemplate(uint32_t row, const uint8_t* message, uint32_t length)
{
    if (row >= kSysExTemplateCount || message == nullptr)
        return false;
    const CSysExTemplate& t = SysExTemplateTable[row];
    if (length < t.length || length < t.matchLength)
        return false;
    for (uint32_t i = 0; i < t.matchLength; ++i)
    {
        uint8_t b = message[i];
        if (i == 2)
            b &= 0xF0;
        else if (i == 3 && b == kSysExSecondModelId)
            b = kSysExModelId;
        if (b != t.bytes[i])
            return false;
    }
    return true;
}

bool IsChannelHeader(const uint8_t* message, uint32_t length)
{
    return message != nullptr && length >= 4 && message[0] == 0xF0 && message[1] == kSysExMakerId &&
           (message[2] & 0xF0) == 0x30 && message[3] == kSysExModelId;
}

int32_t DecodeSigned14(uint8_t low, uint8_t high)
{
    int32_t v = (low & 0x7F) | (high & 0x7F) << 7;
    if (v & 0x2000)
        v -= 0x4000;
    return v;
}

void EncodeSigned14(int32_t value, uint8_t* lowHigh)
{
    lowHigh[0] = static_cast<uint8_t>(value & 0x7F);
    lowHigh[1] = static_cast<uint8_t>(value >> 7 & 0x7F);
}

bool DecodeIdentityReply(const uint8_t* message, uint32_t length, CSysExIdentity& identity)
{
    if (message == nullptr || length != kIdentityReplyLength)
        return false;
    const uint8_t* row = SysExTemplateTable[kRowIdentityReply].bytes;
    for (uint32_t i = 0; i < 5; ++i)
        if (i != 2 && message[i] != row[i])
            return false;
    identity.channel = message[2] & 0x0F;
    identity.family = DecodeSigned14(message[6], message[7]);
    identity.member = DecodeSigned14(message[8], message[9]);
    identity.versionA = DecodeSigned14(message[10], message[11]);
    identity.versionB = DecodeSigned14(message[12], message[13]);
    return true;
}

std::vector<uint8_t> BuildParameterChange(uint32_t channel, int32_t section, int32_t index, int32_t value)
{
    std::vector<uint8_t> message = {0xF0,
                                    kSysExMakerId,
                                    static_cast<uint8_t>(0x30 | (channel & 0x0F)),
                                    kSysExModelId,
                                    kSysExParameterChange,
                                    0,
                                    0,
                                    0,
                                    0,
                                    0,
                                    0,
                                    0xF7};
    EncodeSigned14(section, &message[5]);
    EncodeSigned14(index, &message[7]);
    EncodeSigned14(value, &message[9]);
    return message;
}

bool DecodeParameterChange(const uint8_t* message, uint32_t length, int32_t& section, int32_t& index,
                           int32_t& value)
{
    if (length != kParameterChangeLength || !IsChannelHeader(message, length) ||
        message[4] != kSysExParameterChange)
        return false;
    section = DecodeSigned14(message[5], message[6]);
    index = DecodeSigned14(message[7], message[8]);
    value = DecodeSigned14(message[9], message[10]);
    return true;
}

std::vector<uint8_t> BuildSearchRequest(uint32_t outputIndex)
{
    return {0xF0,
            kSysExMakerId,
            kSearchChannelByte,
            kSearchRequestByte,
            static_cast<uint8_t>((outputIndex + 1) & 0x7F),
            0xF7};
}

bool DecodeSearchReply(const uint8_t* message, uint32_t length, CSearchReply& reply)
{
    if (message == nullptr || length != kSearchReplyLength || message[0] != 0xF0 ||
        message[1] != kSysExMakerId || message[2] != kSearchChannelByte || message[3] != kSearchReplyByte)
        return false;
    auto pair = [&](uint32_t at) { return static_cast<uint32_t>(message[at + 1]) * 256 + message[at]; };
    reply.channel = message[4] & 0x0F;
    reply.flag = message[4] >> 4 & 1;
    reply.number = message[5];
    reply.family = pair(6);
    reply.member = pair(8);
    reply.versionA = pair(10);
    reply.versionB = pair(12);
    return true;
}
