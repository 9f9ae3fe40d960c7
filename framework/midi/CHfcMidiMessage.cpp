#include "framework/midi/CHfcMidiMessage.h"

#include <algorithm>
#include <cstring>

CHfcMidiMessage::CHfcMidiMessage(uint8_t status, uint8_t data1, uint8_t data2, uint32_t user1, uint32_t user2)
    : m_bytes{status, data1, data2}, m_user1(user1), m_user2(user2)
{
}

CHfcMidiMessage::CHfcMidiMessage(uint8_t status, uint8_t data1) : m_bytes{status, data1} {}

CHfcMidiMessage::CHfcMidiMessage(uint8_t status) : m_bytes{status} {}

CHfcMidiMessage::CHfcMidiMessage(const uint8_t* bytes, uint32_t length, uint32_t user1, uint32_t user2)
    : m_user1(user1), m_user2(user2)
{
    if (bytes != nullptr)
        m_bytes.assign(bytes, bytes + length);
}

CHfcMidiMessage::CHfcMidiMessage(uint8_t metaType, const uint8_t* data, uint32_t length, uint32_t user1,
                                 uint32_t user2)
    : m_user1(user1), m_user2(user2)
{
    uint32_t n = data != nullptr ? std::min<uint32_t>(length, 255) : 0;
    m_bytes.reserve(n + 3);
    m_bytes.push_back(0xFF);
    m_bytes.push_back(metaType & 0x7F);
    m_bytes.push_back(static_cast<uint8_t>(n));
    m_bytes.insert(m_bytes.end(), data, data + n);
}

const uint8_t* CHfcMidiMessage::GetMetaData() const
{
    return GetMetaLength() > 0 && m_bytes.size() > 3 ? &m_bytes[3] : nullptr;
}

bool CHfcMidiMessage::GetMetaText(char* buffer, uint32_t n) const
{
    if (buffer == nullptr || n == 0)
        return false;
    memset(buffer, 0, n);
    if (!IsMeta())
        return false;
    // The length byte may claim more than the message holds.
    uint32_t available = std::min<uint32_t>(GetMetaLength(), GetLength() - 3);
    uint32_t copied = std::min(available, n - 1);
    if (copied > 0)
        memcpy(buffer, &m_bytes[3], copied);
    return true;
}

void CHfcMidiMessage::SetChannel(uint8_t channel)
{
    if (IsChannelMessage())
        m_bytes[0] = static_cast<uint8_t>((m_bytes[0] & 0xF0) | (channel & 0x0F));
}
