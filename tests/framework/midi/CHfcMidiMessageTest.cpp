#include "framework/midi/CHfcMidiMessage.h"

#include "support/MidiText.h"

#include <gtest/gtest.h>

namespace
{
std::string Bytes(const CHfcMidiMessage& m)
{
    return HexBytes(m.GetData(0), m.GetLength());
}

TEST(MidiMessage, Constructors)
{
    const uint8_t raw[] = {0xF0, 0x42, 0xF7};
    const uint8_t text[] = {'N', 'v'};
    EXPECT_EQ(Bytes(CHfcMidiMessage()), "");
    EXPECT_EQ(Bytes(CHfcMidiMessage(0x90, 0x3C, 0x40)), "90 3C 40");
    EXPECT_EQ(Bytes(CHfcMidiMessage(0xC1, 0x05)), "C1 05");
    EXPECT_EQ(Bytes(CHfcMidiMessage(0xF8)), "F8");
    EXPECT_EQ(Bytes(CHfcMidiMessage(raw, 3, 7, 9)), "F0 42 F7");
    EXPECT_EQ(Bytes(CHfcMidiMessage(0x83, text, 2, 0, 0)), "FF 03 02 4E 76");

    CHfcMidiMessage withWords(raw, 3, 7, 9);
    CHfcMidiMessage copy(withWords);
    CHfcMidiMessage assigned;
    assigned = withWords;
    for (const CHfcMidiMessage* m : {&copy, &assigned})
    {
        EXPECT_EQ(Bytes(*m), "F0 42 F7");
        EXPECT_EQ(m->GetUserWord1(), 7u);
        EXPECT_EQ(m->GetUserWord2(), 9u);
    }
    EXPECT_EQ(withWords.GetData(3), nullptr);
}

TEST(MidiMessage, StatusQueries)
{
    struct Case
    {
        CHfcMidiMessage message;
        const char* kinds; // N note, O on, F off, C control, P program, B bend, S sysex, K clock
        uint8_t status, data1, data2, channel;
    };
    const uint8_t sysex[] = {0xF0, 0x41, 0xF7};
    const Case cases[] = {
        {CHfcMidiMessage(0x93, 0x3C, 0x40), "NO", 0x93, 0x3C, 0x40, 3},
        {CHfcMidiMessage(0x8F, 0x3C, 0x00), "NF", 0x8F, 0x3C, 0x00, 15},
        {CHfcMidiMessage(0xB0, 0x7B, 0x00), "C", 0xB0, 0x7B, 0x00, 0},
        {CHfcMidiMessage(0xC2, 0x05), "P", 0xC2, 0x05, 0, 2},
        {CHfcMidiMessage(0xE1, 0x00, 0x40), "B", 0xE1, 0x00, 0x40, 1},
        {CHfcMidiMessage(sysex, 3), "S", 0xF0, 0x41, 0xF7, 0},
        {CHfcMidiMessage(0xF8), "K", 0xF8, 0, 0, 0},
        {CHfcMidiMessage(), "", 0, 0, 0, 0},
        {CHfcMidiMessage(0x10, sysex, 3, 0, 0), "", 0, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        const CHfcMidiMessage& m = c.message;
        std::string kinds;
        if (m.IsNote())
            kinds += 'N';
        if (m.IsNoteOn())
            kinds += 'O';
        if (m.IsNoteOff())
            kinds += 'F';
        if (m.IsControlChange())
            kinds += 'C';
        if (m.IsProgramChange())
            kinds += 'P';
        if (m.IsPitchBend())
            kinds += 'B';
        if (m.IsSysEx())
            kinds += 'S';
        if (m.IsClock())
            kinds += 'K';
        SCOPED_TRACE(Bytes(m));
        EXPECT_EQ(kinds, c.kinds);
        EXPECT_EQ(m.GetStatus(), c.status);
        EXPECT_EQ(m.GetData1(), c.data1);
        EXPECT_EQ(m.GetData2(), c.data2);
        EXPECT_EQ(m.GetChannel(), c.channel);
    }
}

TEST(MidiMessage, SetChannelChangesOnlyChannelMessages)
{
    CHfcMidiMessage note(0x93, 0x3C, 0x40);
    note.SetChannel(0x1A);
    EXPECT_EQ(Bytes(note), "9A 3C 40");
    CHfcMidiMessage clock(0xF8);
    clock.SetChannel(5);
    EXPECT_EQ(Bytes(clock), "F8");
    const uint8_t name[] = {'A'};
    CHfcMidiMessage meta(0x03, name, 1, 0, 0);
    meta.SetChannel(5);
    EXPECT_EQ(Bytes(meta), "FF 03 01 41");
}

TEST(MidiMessage, Meta)
{
    const uint8_t text[] = {'T', 'r', 'a', 'c', 'k'};
    CHfcMidiMessage meta(0x03, text, 5, 0, 0);
    EXPECT_TRUE(meta.IsMeta());
    EXPECT_EQ(meta.GetMetaType(), 3);
    EXPECT_EQ(meta.GetMetaLength(), 5u);
    ASSERT_NE(meta.GetMetaData(), nullptr);
    EXPECT_EQ(meta.GetMetaData()[0], 'T');

    char buffer[4];
    EXPECT_TRUE(meta.GetMetaText(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "Tra");
    char wide[16];
    EXPECT_TRUE(meta.GetMetaText(wide, sizeof wide));
    EXPECT_STREQ(wide, "Track");

    CHfcMidiMessage empty(0x01, nullptr, 0, 0, 0);
    EXPECT_TRUE(empty.IsMeta());
    EXPECT_EQ(empty.GetMetaData(), nullptr);

    // A length byte claiming more than the message holds reads only what is there.
    const uint8_t claims[] = {0xFF, 0x01, 0x09, 'a', 'b'};
    CHfcMidiMessage shortMeta(claims, 5);
    EXPECT_TRUE(shortMeta.GetMetaText(wide, sizeof wide));
    EXPECT_STREQ(wide, "ab");

    std::vector<uint8_t> longText(300, 'x');
    CHfcMidiMessage cut(0x01, longText.data(), 300, 0, 0);
    EXPECT_EQ(cut.GetMetaLength(), 255u);
    EXPECT_EQ(cut.GetLength(), 258u);

    CHfcMidiMessage note(0x90, 0x3C, 0x40);
    EXPECT_FALSE(note.IsMeta());
    EXPECT_EQ(note.GetMetaType(), -1);
    EXPECT_EQ(note.GetMetaLength(), 0u);
    EXPECT_FALSE(note.GetMetaText(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
}
} // namespace
