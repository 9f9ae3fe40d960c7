#include "foundation/CZmException.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct KeyCase
{
    int32_t code;
    const char* key;
};

} // namespace

TEST(CZmException, MidiCodesSelectTheirKeys)
{
    const KeyCase cases[] = {
        {0, "MidiErrorDeviceNotFound"},      {1, "MidiErrorNotTargetDevice"},
        {2, "MidiErrorDeviceNotSpecified"},  {3, "MidiErrorOpenDeviceFailed"},
        {4, "MidiErrorOpenMidiInFailed"},    {5, "MidiErrorOpenMidiOutFailed"},
        {6, "MidiErrorDeviceInquiry"},       {7, "MidiErrorTimeout"},
        {8, "MidiErrorMessageBroken"},       {9, "MidiErrorSendMessageFailed"},
        {10, "MidiErrorReceiveError"},       {11, "MidiErrorInternalError"},
        {12, "MidiErrorInternalError"},      {-1, "MidiErrorInternalError"},
        {1 << 30, "MidiErrorInternalError"},
    };
    for (const KeyCase& c : cases)
    {
        const CZmMidiException e(c.code);
        EXPECT_EQ(e.GetCode(), c.code);
        EXPECT_STREQ(e.GetMessageKey(), c.key) << "code " << c.code;
    }
}

TEST(CZmException, FileCodesSelectTheirKeys)
{
    const KeyCase cases[] = {
        {0, "FileErrorFileOpen"},    {1, "FileErrorUnsupportedFile"}, {2, "FileErrorReadData"},
        {3, "FileErrorWriteData"},   {4, "FileErrorUnknownId"},       {5, "FileErrorInvalidId"},
        {6, "FileErrorMalloc"},      {7, "FileErrorIllegalData"},     {8, "FileErrorDataSize"},
        {9, "FileErrorIllegalData"}, {-5, "FileErrorIllegalData"},
    };
    for (const KeyCase& c : cases)
    {
        const CZmFileException e(c.code);
        EXPECT_EQ(e.GetCode(), c.code);
        EXPECT_STREQ(e.GetMessageKey(), c.key) << "code " << c.code;
    }
}

TEST(CZmException, AHandlerOfTheBaseKeepsTheDerivedKey)
{
    std::string key;
    int32_t code = -1;
    try
    {
        throw CZmFileException(kZmFileErrorDataSize);
    }
    catch (const CEfException& e)
    {
        key = e.GetMessageKey();
        code = e.GetCode();
        e.Report();
    }
    EXPECT_EQ(key, "FileErrorDataSize");
    EXPECT_EQ(code, 8);

    try
    {
        throw CZmMidiException(kZmMidiErrorTimeout);
    }
    catch (const CZmFileException&)
    {
        FAIL() << "a MIDI failure is not a file failure";
    }
    catch (const CZmException& e)
    {
        EXPECT_STREQ(e.GetMessageKey(), "MidiErrorTimeout");
    }
}
