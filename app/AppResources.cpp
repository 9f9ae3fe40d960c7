#include "app/AppResources.h"

#include "foundation/win32/EfWin32Utility.h"

#include <atomic>
#include <cstring>

#include <windows.h>

namespace
{
std::atomic<uint16_t> g_resourceLanguage{0}; // 0: follow the user's locale
} // namespace

void* GetAppResourceModule()
{
    void* module = GetInstanceHandle();
    return module != nullptr ? module : GetModuleHandleW(nullptr);
}

uint16_t ChooseResourceLanguage(uint16_t userLanguageId)
{
    return PRIMARYLANGID(userLanguageId) == LANG_JAPANESE ? kLanguageJapanese : kLanguageEnglish;
}

uint16_t GetResourceLanguage()
{
    const uint16_t set = g_resourceLanguage.load();
    return set != 0 ? set : ChooseResourceLanguage(GetUserDefaultLangID());
}

void SetResourceLanguage(uint16_t languageId)
{
    g_resourceLanguage.store(languageId);
}

bool FindAppResource(const wchar_t* type, const wchar_t* name, const void** data, uint32_t* size)
{
    if (data == nullptr || size == nullptr)
        return false;
    *data = nullptr;
    *size = 0;
    HMODULE module = static_cast<HMODULE>(GetAppResourceModule());
    HRSRC info = FindResourceExW(module, type, name, GetResourceLanguage());
    if (info == nullptr)
        info = FindResourceExW(module, type, name, kLanguageEnglish);
    if (info == nullptr)
        info = FindResourceW(module, name, type);
    if (info == nullptr)
        return false;
    HGLOBAL loaded = LoadResource(module, info);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return false;
    *data = bytes;
    *size = SizeofResource(module, info);
    return true;
}

int32_t CopyAppResource(const wchar_t* type, const wchar_t* name, void* buffer, int32_t max)
{
    const void* data = nullptr;
    uint32_t size = 0;
    if (!FindAppResource(type, name, &data, &size) || size == 0 || size > INT32_MAX)
        return -1;
    if (buffer != nullptr && max > 0)
        std::memcpy(buffer, data, size < static_cast<uint32_t>(max) ? size : static_cast<uint32_t>(max));
    return static_cast<int32_t>(size);
}
