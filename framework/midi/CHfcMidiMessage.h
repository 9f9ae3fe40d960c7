#pragma once

#include <cstdint>
#include <vector>

// One MIDI message: its bytes and two words the sender may attach. A meta message (first byte
// FF, then type, data length and data) answers no status queries.
class CHfcMidiMessage
{
public:
    CHfcMidiMessage() = default;
    CHfcMidiMessage(uint8_t status, uint8_t data1, uint8_t data2, uint32_t user1 = 0, uint32_t user2 = 0);
    CHfcMidiMessage(uint8_t status, uint8_t data1);
    explicit CHfcMidiMessage(uint8_t status);
    CHfcMidiMessage(const uint8_t* bytes, uint32_t length, uint32_t user1 = 0, uint32_t user2 = 0);
    // FF, type & 7F, length, data; the data is cut to 255 bytes, the most its length byte holds.
    CHfcMidiMessage(uint8_t metaType, const uint8_t* data, uint32_t length, uint32_t user1, uint32_t user2);
    virtual ~CHfcMidiMessage() = default;

    CHfcMidiMessage(const CHfcMidiMessage&) = default;
    CHfcMidiMessage& operator=(const CHfcMidiMessage&) = default;

    uint32_t GetLength() const { return static_cast<uint32_t>(m_bytes.size()); }
    uint32_t GetUserWord1() const { return m_user1; }
    uint32_t GetUserWord2() const { return m_user2; }
    // Byte i, null past the end.
    const uint8_t* GetData(uint32_t i) const { return i < m_bytes.size() ? &m_bytes[i] : nullptr; }

    bool IsMeta() const { return m_bytes.size() >= 3 && m_bytes[0] == 0xFF; }
    int32_t GetMetaType() const { return IsMeta() ? m_bytes[1] : -1; }
    uint32_t GetMetaLength() const { return IsMeta() ? m_bytes[2] : 0; }
    const uint8_t* GetMetaData() const;
    // The meta data as text in a buffer of n bytes, cut to fit and always terminated; false when
    // this is no meta message.
    bool GetMetaText(char* buffer, uint32_t n) const;

    // Status queries; false or 0 for an empty or meta message.
    uint8_t GetStatus() const { return IsStatusMessage() ? m_bytes[0] : 0; }
    uint8_t GetData1() const { return IsStatusMessage() && m_bytes.size() > 1 ? m_bytes[1] : 0; }
    uint8_t GetData2() const { return IsStatusMessage() && m_bytes.size() > 2 ? m_bytes[2] : 0; }
    // Channel of a channel message (status 80-EF), else 0.
    uint8_t GetChannel() const { return IsChannelMessage() ? m_bytes[0] & 0x0F : 0; }
    // Sets the channel of a channel message; other messages stay unchanged.
    void SetChannel(uint8_t channel);
    bool IsNote() const { return IsNoteOn() || IsNoteOff(); }
    bool IsNoteOn() const { return HighNibble() == 0x90; }
    bool IsNoteOff() const { return HighNibble() == 0x80; }
    bool IsControlChange() const { return HighNibble() == 0xB0; }
    bool IsProgramChange() const { return HighNibble() == 0xC0; }
    bool IsPitchBend() const { return HighNibble() == 0xE0; }
    bool IsSysEx() const { return GetStatus() == 0xF0; }
    bool IsClock() const { return GetStatus() == 0xF8; }

private:
    bool IsStatusMessage() const { return !m_bytes.empty() && !IsMeta(); }
    bool IsChannelMessage() const { return IsStatusMessage() && m_bytes[0] >= 0x80 && m_bytes[0] <= 0xEF; }
    uint8_t HighNibble() const { return IsChannelMessage() ? m_bytes[0] & 0xF0 : 0; }

    std::vector<uint8_t> m_bytes;
    uint32_t m_user1 = 0;
    uint32_t m_user2 = 0;
};
