#pragma once

#include <cstdint>

// Message boxes, counted as open dialogs while they are shown and owned by the main frame.

// Box types: the low nibble selects the buttons, the high nibble the icon.
enum : uint32_t
{
    kBoxButtonsOkCancel = 3,
    kBoxButtonsYesNo = 12,
    kBoxButtonsYesNoCancel = 13, // any other low nibble: OK alone
    kBoxIconError = 0x20,
    kBoxIconInformation = 0x40,
    kBoxIconWarning = 0x80,

    kBoxTypeOk = 18,
    kBoxTypeWarning = 130,     // OK, warning
    kBoxTypeConfirm = 131,     // OK and Cancel, warning
    kBoxTypeSaveChanges = 141, // Yes, No and Cancel, warning
};

// Box results.
enum : int32_t
{
    kBoxResultCancel = 0, // Cancel, a closed box, or a box that could not be shown
    kBoxResultOk = 1,
    kBoxResultYes = 2,
    kBoxResultNo = 3,
};

// The Win32 flags of a box type; the box always comes to the foreground.
uint32_t GetMessageBoxFlags(uint32_t type);

int32_t ShowMessageBox(uint32_t type, const wchar_t* title, const wchar_t* text);
// OK alone; title and text in the ANSI code page.
int32_t ShowMessageBoxA(const char* title, const char* text);

// Asks whether to save the changes of the named document: Yes (save, then close), No (close
// without saving) or Cancel (stay).
int32_t ConfirmSaveChanges(const wchar_t* name);
