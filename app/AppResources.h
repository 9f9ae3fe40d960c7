#pragma once

#include <cstdint>

// The program's own resources in the user's language. The localised strings and the dialog
// templates exist in English and Japanese; both are taken in one language chosen for the process,
// so that a dialog never comes up in another language than its texts.

enum : uint16_t
{
    kLanguageEnglish = 0x0409,  // English (United States), 1033
    kLanguageJapanese = 0x0411, // Japanese, 1041
};

// The resource language for a user language id: Japanese for any Japanese locale, else English.
uint16_t ChooseResourceLanguage(uint16_t userLanguageId);

// The language the program's resources are taken in; chosen from the user's default locale
// unless set.
uint16_t GetResourceLanguage();
// 0 returns to the user's locale.
void SetResourceLanguage(uint16_t languageId);

// The module that holds the resources: the instance module, or the program when none was set.
void* GetAppResourceModule(); // HMODULE

// The bytes of a resource of the instance module (the program when none was set): the one in the
// resource language, else the English one, else one in any language. False when there is none.
bool FindAppResource(const wchar_t* type, const wchar_t* name, const void** data, uint32_t* size);

// Copies at most max bytes of the resource into buffer (null copies nothing) and returns the
// resource's whole size; -1 when it is missing or empty.
int32_t CopyAppResource(const wchar_t* type, const wchar_t* name, void* buffer, int32_t max);
