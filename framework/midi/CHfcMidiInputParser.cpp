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
        uint32_t length = GetMessageLength(b);
        if (count - pos < length)
            return;
        uint32_t cut = 1;
        while (cut < length && bytes[pos + cut] < 0x80)
            ++cut;
        if (cut < length)
        {
            pos += cut; // interrupted by the status byte at pos + cut
            continue;
        }
        m_sink.OnParsedShort(length, bytes + pos);
        pos += length;
    }
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
