#include "foundation/CZmException.h"

#include "foundation/EfUtility.h"

namespace
{

const char* const kMidiErrorKeys[] = {
    "MidiErrorDeviceNotFound",    "MidiErrorNotTargetDevice",  "MidiErrorDeviceNotSpecified",
    "MidiErrorOpenDeviceFailed",  "MidiErrorOpenMidiInFailed", "MidiErrorOpenMidiOutFailed",
    "MidiErrorDeviceInquiry",     "MidiErrorTimeout",          "MidiErrorMessageBroken",
    "MidiErrorSendMessageFailed", "MidiErrorReceiveError",     "MidiErrorInternalError",
};

const char* const kFileErrorKeys[] = {
    "FileErrorFileOpen",  "FileErrorUnsupportedFile", "FileErrorReadData",
    "FileErrorWriteData", "FileErrorUnknownId",       "FileErrorInvalidId",
    "FileErrorMalloc",    "FileErrorIllegalData",     "FileErrorDataSize",
};

// The key of a code, or the fallback when the code has no row: a bad code from a caller must
// still give a key that the localised strings (and their "Log" twins) know.
template <size_t N> const char* KeyOf(const char* const (&keys)[N], int32_t code, int32_t fallback)
{
    if (code < 0 || static_cast<size_t>(code) >= N)
        return keys[fallback];
    return keys[code];
}

} // namespace

CZmException::CZmException(int32_t code) : CEfException(code) {}

CZmException::~CZmException() = default;

void CZmException::Report() const
{
    DebugTrace("Error (%d) %s", GetCode(), GetMessageKey());
}

CZmMidiException::CZmMidiException(int32_t code) : CZmException(code) {}

CZmMidiException::~CZmMidiException() = default;

const char* CZmMidiException::GetMessageKey() const
{
    return KeyOf(kMidiErrorKeys, GetCode(), kZmMidiErrorInternalError);
}

CZmFileException::CZmFileException(int32_t code) : CZmException(code) {}

CZmFileException::~CZmFileException() = default;

const char* CZmFileException::GetMessageKey() const
{
    return KeyOf(kFileErrorKeys, GetCode(), kZmFileErrorIllegalData);
}
