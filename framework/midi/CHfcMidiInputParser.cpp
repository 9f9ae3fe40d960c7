#include "framework/midi/CHfcMidiInputParser.h"

#include "framework/midi/HfcMidiBytes.h"

void CHfcMidiInputParser::Clear()
{
    m_buffer.Clear();
    SetReceiving(false);
}

void CHfcMidiInputParser::SetReceiving(bool receiving)
{
    if (receiving == m_receiving)
        return;
    m_receiving = receiving;
    m_sink.OnReceivingChanged(receiving);
}

void CHfcMidiInputParser::ParseLongBuffer(uint32_t count, const uint8_t* bytes)
{
    if (bytes == nullptr)
        return;
    uint32_t pos = 0;
    while (pos < count)
    {
        uint8_t b = bytes[pos];
        if (m_buffer.m_inMessage && b != 0xF0)
        {
            pos += AccumulateSysEx(count - pos, bytes + pos);
            continue;
        }
        if (b == 0xF0)
        {
            m_buffer.Clear();
            pos += AccumulateSysEx(count - pos, bytes + pos);
            continue;
        }
        if (b < 0x80 || b == 0xF7)
        {
            ++pos;
            continue;
        }
        pos = ParseShort(count, bytes, pos);
    }
}

uint32_t CHfcMidiInputParser::ParseShort(uint32_t count, const uint8_t* bytes, uint32_t pos)
{
    // Also gathered into a copy: real-time bytes may sit between the message's bytes.
    const uint32_t start = pos;
    uint8_t message[3] = {bytes[pos], 0, 0};
    uint32_t length = GetMessageLength(message[0]);
    uint32_t have = 1;
    ++pos;
    while (have < length && pos < count)
    {
        uint8_t b = bytes[pos];
        if (b < 0x80)
            message[have++] = b;
        else if (b >= 0xF8)
            m_sink.OnParsedShort(1, bytes + pos);
        else
            return pos; // interrupted by another status byte, parsed as itself
        ++pos;
    }
    if (have == length)
        m_sink.OnParsedShort(length, pos - start == length ? bytes + start : message);
    return pos;
}

uint32_t CHfcMidiInputParser::AccumulateSysEx(uint32_t count, const uint8_t* bytes)
{
    for (uint32_t i = 0; i < count; ++i)
    {
        uint8_t b = bytes[i];
        if (b < 0x80 || (b == 0xF0 && i == 0))
        {
            m_buffer.m_bytes.push_back(b);
            m_buffer.m_inMessage = true;
            SetReceiving(true);
        }
        else if (b >= 0xF8)
        {
            m_sink.OnParsedShort(1, bytes + i);
        }
        else if (b == 0xF7)
        {
            m_buffer.m_bytes.push_back(b);
            CHfcMidiMessage message(m_buffer.m_bytes.data(), static_cast<uint32_t>(m_buffer.m_bytes.size()));
            m_buffer.Clear();
            m_sink.OnParsedSysEx(i + 1, bytes, message);
            SetReceiving(false);
            return i + 1;
        }
        else
        {
            // Another status byte: the message is dropped, the byte parsed as itself.
            m_buffer.Clear();
            SetReceiving(false);
            return i;
        }
    }
    if (m_buffer.m_inMessage)
        m_sink.OnParsedProgress(count, bytes);
    return count;
}
