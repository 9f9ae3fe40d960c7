#pragma once

#include "synthdata/CQ3580GlobalData.h"
#include "synthdata/CQ3580ProgramData.h"

#include <cstdint>
#include <vector>

// The instrument's system-exclusive protocol: the values this program and the instrument agree
// on, the message templates and the functions that build and recognise messages. Portable: the
// simulated instrument of the tests speaks through the same definitions.

enum : uint8_t
{
    // Byte 1 of every message of the instrument: the manufacturer id MIDI reserves for
    // non-commercial use.
    kSysExMakerId = 0x7D,
    // Byte 3: the instrument's model; the identity reply carries it as its family.
    kSysExModelId = 0x7E,
    // A second model id that replies may carry in byte 3; accepted as kSysExModelId.
    kSysExSecondModelId = 0x7C,
    // Byte 4 of a parameter change.
    kSysExParameterChange = 0x41,
    // Byte 2 of the device search messages, and byte 3 of the request and of the reply.
    kSearchChannelByte = 0x50,
    kSearchRequestByte = 0x00,
    kSearchReplyByte = 0x01,
};

enum : uint16_t
{
    // The multimedia manufacturer id and product ids that the instrument's USB-MIDI driver
    // reports in its device capabilities.
    kDriverManufacturerId = 0x7D7D,
    kDriverInputProductId = 5,
    kDriverOutputProductId = 6,
};

enum : uint32_t
{
    kSysExTemplateSize = 32,
    kSysExTemplateCount = 16,
    kIdentityReplyLength = 15,
    kParameterChangeLength = 12,
    kSearchRequestLength = 6,
    kSearchReplyLength = 15,
    kProgramImageBytes = kQ3580ProgramImageSize,
    kPackedProgramBytes = 396, // 7-bit packed program image
    kProgramDumpLength = 404,  // numbered program dump: 7-byte header, packed image, F7
    kCurrentProgramDumpLength = 402,
    kGlobalImageBytes = kQ3580GlobalImageSize,
    kPackedGlobalBytes = 115,
    kGlobalDumpLength = 121,
};

// Rows of SysExTemplateTable.
enum CSysExRow : uint32_t
{
    kRowDeviceInquiry = 0,
    kRowCurrentProgramRequest = 1,
    kRowProgramRequest = 2,
    kRowGlobalRequest = 3,
    kRowIdentityReply = 5,
    kRowCurrentProgramDump = 6,
    kRowProgramDump = 7,
    kRowGlobalDump = 8,
    kRowDataLoadError = 11,
    kRowWriteComplete = 12,
    kRowWriteError = 13,
};

// One message template. For a row without payload `length` counts the whole message with its
// F7; for a row with payload, the header before the payload. `numberPosition` is where a 14-bit
// number goes (low 7 bits first), `dataPosition` where a payload starts; 0 for none.
struct CSysExTemplate
{
    uint8_t bytes[kSysExTemplateSize];
    uint32_t length;
    uint32_t matchLength;
    uint32_t numberPosition;
    uint32_t dataPosition;
};

extern const CSysExTemplate SysExTemplateTable[kSysExTemplateCount];

// The message of a row for the channel (0..15, put into byte 2's low nibble; the device inquiry
// goes as stored) and the number; for a row with a data position a payload adds its bytes and a
// closing F7. Empty for a row outside the table.
std::vector<uint8_t> BuildSysEx(uint32_t row, uint32_t channel, const uint8_t* data, uint32_t dataLength,
                                uint32_t number);

// Whether a received message is of the row: at least the row's length, and its first match
// bytes equal the template with byte 2's channel ignored and kSysExSecondModelId in byte 3 read
// as kSysExModelId.
bool MatchSysExTemplate(uint32_t row, const uint8_t* message, uint32_t length);

// F0 mk 3n md: a message of the instrument, whose byte 2 teaches its channel.
bool IsChannelHeader(const uint8_t* message, uint32_t length);

// A 14-bit two's-complement number sent low 7 bits first; bit 13 is the sign.
int32_t DecodeSigned14(uint8_t low, uint8_t high);
void EncodeSigned14(int32_t value, uint8_t* lowHigh);

// What an identity reply (F0 7E cc 06 02 mm fl fh ml mh al ah bl bh F7) tells.
struct CSysExIdentity
{
    uint32_t channel = 0; // low nibble of cc
    int32_t family = 0;
    int32_t member = 0;
    int32_t versionA = 0;
    int32_t versionB = 0;
};

// Exactly 15 bytes whose first five are those of the identity reply, the channel byte ignored.
bool DecodeIdentityReply(const uint8_t* message, uint32_t length, CSysExIdentity& identity);

// F0 mk 3g md 41 sl sh il ih vl vh F7.
std::vector<uint8_t> BuildParameterChange(uint32_t channel, int32_t section, int32_t index, int32_t value);
// A 12-byte parameter change on any channel; the three numbers as signed 14-bit values.
bool DecodeParameterChange(const uint8_t* message, uint32_t length, int32_t& section, int32_t& index,
                           int32_t& value);

// F0 mk 50 00 nn F7 with nn the output port's index plus 1, in 7 bits.
std::vector<uint8_t> BuildSearchRequest(uint32_t outputIndex);

// What a device search reply (F0 mk 50 01 cc nn fl fh ml mh al ah bl bh F7) tells; each pair of
// bytes is combined as high * 256 + low.
struct CSearchReply
{
    uint32_t family = 0;
    uint32_t member = 0;
    uint32_t versionA = 0; // bytes 10-11
    uint32_t versionB = 0; // bytes 12-13
    uint8_t channel = 0;   // low nibble of cc
    uint8_t flag = 0;      // bit 4 of cc
    uint32_t number = 0;   // nn, the request's number
};

// Exactly 15 bytes beginning F0 mk 50 01.
bool DecodeSearchReply(const uint8_t* message, uint32_t length, CSearchReply& reply);
