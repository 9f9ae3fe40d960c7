#include "foundation/win32/CHfcPreferences.h"

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

namespace
{

// A subkey of its own under HKEY_CURRENT_USER\Software, deleted at the end.
struct PreferencesTest : ::testing::Test
{
    void SetUp() override
    {
        subkey = L"Software\\NvPreferencesTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(GetTickCount());
        ASSERT_TRUE(prefs.Open(subkey.c_str()));
    }
    void TearDown() override
    {
        prefs.Close();
        EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, subkey.c_str()), ERROR_SUCCESS);
    }
    std::wstring Get(const wchar_t* name, size_t size = 64, const wchar_t* fallback = L"default")
    {
        std::wstring buffer(size, L'#');
        found = prefs.GetString(name, buffer.data(), size, fallback);
        return buffer.c_str();
    }

    std::wstring subkey;
    CHfcPreferences prefs;
    bool found = false;
};

} // namespace

TEST_F(PreferencesTest, ValuesRoundTripAndPersist)
{
    EXPECT_TRUE(prefs.SetInt(L"KnobMode", 2));
    EXPECT_TRUE(prefs.SetInt(L"Negative", -5));
    EXPECT_TRUE(prefs.SetString(L"MidiInDevice", L"USB MIDI \u97f3\u6e90"));
    EXPECT_TRUE(prefs.SetString(L"Empty", L""));
    EXPECT_EQ(prefs.GetInt(L"KnobMode", 0), 2);
    EXPECT_EQ(prefs.GetInt(L"Negative", 0), -5);
    EXPECT_EQ(Get(L"MidiInDevice"), L"USB MIDI \u97f3\u6e90");
    EXPECT_TRUE(found);
    EXPECT_EQ(Get(L"Empty"), L"");
    EXPECT_TRUE(found);

    // Another object over the same key sees the values; reopening keeps them.
    prefs.Close();
    EXPECT_FALSE(prefs.IsOpen());
    EXPECT_EQ(prefs.GetInt(L"KnobMode", 9), 9);
    EXPECT_FALSE(prefs.SetInt(L"KnobMode", 3));
    ASSERT_TRUE(prefs.Open(subkey.c_str()));
    EXPECT_EQ(prefs.GetInt(L"KnobMode", 0), 2);

    DWORD type = 0;
    wchar_t raw[64] = {};
    DWORD bytes = sizeof raw;
    ASSERT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), L"MidiInDevice", RRF_RT_ANY, &type, raw, &bytes),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, (std::wcslen(L"USB MIDI \u97f3\u6e90") + 1) * sizeof(wchar_t)); // with its terminator
}

TEST_F(PreferencesTest, DefaultsForMissingWrongTypeAndOverLongValues)
{
    ASSERT_TRUE(prefs.SetInt(L"Number", 7));
    ASSERT_TRUE(prefs.SetString(L"Text", L"0123456789"));
    EXPECT_EQ(prefs.GetInt(L"Missing", 42), 42);
    EXPECT_EQ(prefs.GetInt(L"Text", 42), 42);
    EXPECT_EQ(Get(L"Missing"), L"default");
    EXPECT_FALSE(found);
    EXPECT_EQ(Get(L"Number"), L"default");
    EXPECT_FALSE(found);

    // Ten characters need eleven with the terminator.
    EXPECT_EQ(Get(L"Text", 11), L"0123456789");
    EXPECT_TRUE(found);
    EXPECT_EQ(Get(L"Text", 10), L"default");
    EXPECT_FALSE(found);
    EXPECT_EQ(Get(L"Text", 4), L"def"); // the default, cut and terminated
    EXPECT_EQ(Get(L"Missing", 8, nullptr), L"");

    // A string stored without terminator still reads as its characters.
    const wchar_t bare[3] = {L'a', L'b', L'c'};
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, L"Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(bare), sizeof bare),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(Get(L"Bare"), L"abc");
    EXPECT_TRUE(found);
}
