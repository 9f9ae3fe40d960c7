#pragma once

#include "foundation/CEfException.h"

// Data and MIDI failures of the synthesizer layer.
class CZmException : public CEfException
{
public:
    explicit CZmException(int32_t code);
    ~CZmException() override;

    // Writes "Error (code) key" to the debug trace.
    void Report() const override;
};

enum CZmMidiError : int32_t
{
    kZmMidiErrorDeviceNotFound = 0,
    kZmMidiErrorNotTargetDevice = 1,
    kZmMidiErrorDeviceNotSpecified = 2,
    kZmMidiErrorOpenDeviceFailed = 3,
    kZmMidiErrorOpenMidiInFailed = 4,
    kZmMidiErrorOpenMidiOutFailed = 5,
    kZmMidiErrorDeviceInquiry = 6,
    kZmMidiErrorTimeout = 7,
    kZmMidiErrorMessageBroken = 8,
    kZmMidiErrorSendMessageFailed = 9,
    kZmMidiErrorReceiveError = 10,
    kZmMidiErrorInternalError = 11,
};

class CZmMidiException : public CZmException
{
public:
    explicit CZmMidiException(int32_t code);
    ~CZmMidiException() override;

    // A code outside the table answers "MidiErrorInternalError".
    const char* GetMessageKey() const override;
};

enum CZmFileError : int32_t
{
    kZmFileErrorFileOpen = 0,
    kZmFileErrorUnsupportedFile = 1,
    kZmFileErrorReadData = 2,
    kZmFileErrorWriteData = 3,
    kZmFileErrorUnknownId = 4,
    kZmFileErrorInvalidId = 5,
    kZmFileErrorMalloc = 6,
    kZmFileErrorIllegalData = 7,
    kZmFileErrorDataSize = 8,
};

class CZmFileException : public CZmException
{
public:
    explicit CZmFileException(int32_t code);
    ~CZmFileException() override;

    // A code outside the table answers "FileErrorIllegalData".
    const char* GetMessageKey() const override;
};
