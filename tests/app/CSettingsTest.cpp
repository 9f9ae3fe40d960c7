#include "app/CSettings.h"

#include "foundation/win32/CHfcPreferences.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include <windows.h>

namespace
{
// Every setting as name and text, so that a mismatch names the setting.
std::map<std::string, std::string> Fields(const CSettings& s)
{
    return {
        {"mainWindowX", std::to_string(s.mainWindowX)},
        {"mainWindowY", std::to_string(s.mainWindowY)},
        {"mainWindowWidth", std::to_string(s.mainWindowWidth)},
        {"mainWindowHeight", std::to_string(s.mainWindowHeight)},
        {"programListMode", std::to_string(s.programListMode)},
        {"programListShowInfo", std::to_string(s.programListShowInfo)},
        {"programListShowInfo4Lines", std::to_string(s.programListShowInfo4Lines)},
        {"programListShowInfo2Lines", std::to_string(s.programListShowInfo2Lines)},
        {"programListCategoryHold", std::to_string(s.programListCategoryHold)},
        {"knobMode", std::to_string(s.knobMode)},
        {"incDecDelay", std::to_string(s.incDecDelay)},
        {"midiMonitorWindowShow", std::to_string(s.midiMonitorWindowShow)},
        {"midiMonitorWindowX", std::to_string(s.midiMonitorWindowX)},
        {"midiMonitorWindowY", std::to_string(s.midiMonitorWindowY)},
        {"statusLogWindowShow", std::to_string(s.statusLogWindowShow)},
        {"statusLogWindowX", std::to_string(s.statusLogWindowX)},
        {"statusLogWindowY", std::to_string(s.statusLogWindowY)},
        {"showValueLayer", std::to_string(s.showValueLayer)},
        {"autoDumpEnabled", std::to_string(s.autoDumpEnabled)},
        {"receiveParameterChange", std::to_string(s.receiveParameterChange)},
        {"showTipsLayer", std::to_string(s.showTipsLayer)},
        {"midiInDevice", s.midiInDevice},
        {"midiOutDevice", s.midiOutDevice},
        {"receiveOnStartup", std::to_string(s.receiveOnStartup)},
        {"midiDeviceAutoScan", std::to_string(s.midiDeviceAutoScan)},
    };
}

// Writes through to the registry and records the name of each value written; refuses the
// value named `refused`.
class RecordingPreferences : public CHfcPreferences
{
public:
    bool SetInt(const wchar_t* name, int32_t value) override
    {
        written.push_back(name);
        return name != refused && CHfcPreferences::SetInt(name, value);
    }
    bool SetString(const wchar_t* name, const wchar_t* text) override
    {
        written.push_back(name);
        return name != refused && CHfcPreferences::SetString(name, text);
    }

    std::vector<std::wstring> written;
    std::wstring refused;
};

// A throw-away key under HKEY_CURRENT_USER\Software, deleted with everything in it.
struct SettingsTest : ::testing::Test
{
    void SetUp() override
    {
        static int n = 0;
        subkey = L"Software\\NvSettingsTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++n);
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, subkey.c_str()); }

    // Every value of the key: numbers as their decimal text, strings as they are.
    std::map<std::wstring, std::wstring> StoredValues()
    {
        std::map<std::wstring, std::wstring> values;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return values;
        for (DWORD i = 0;; ++i)
        {
            wchar_t name[256];
            DWORD nameLength = 256, type = 0;
            BYTE data[1024] = {};
            DWORD size = sizeof data;
            if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS)
                break;
            if (type == REG_DWORD)
                values[name] = std::to_wstring(static_cast<int32_t>(*reinterpret_cast<DWORD*>(data)));
            else if (type == REG_SZ)
                values[name] = L"\"" + std::wstring(reinterpret_cast<wchar_t*>(data)) + L"\"";
            else
                values[name] = L"type " + std::to_wstring(type);
        }
        RegCloseKey(key);
        return values;
    }

    std::wstring subkey;
};
} // namespace

TEST_F(SettingsTest, FirstRunUsesTheDefaultsAndTheFirstExitWritesThemAll)
{
    CSettings settings;
    settings.knobMode = 0;
    settings.midiInDevice = "stale";
    ASSERT_TRUE(ReadSettings(settings, subkey.c_str()));
    EXPECT_EQ(Fields(settings), Fields(CSettings()));

    ASSERT_TRUE(WriteSettings(settings, subkey.c_str()));
    const std::map<std::wstring, std::wstring> expected = {
        {L"MainWindowX", L"100"},
        {L"MainWindowY", L"100"},
        {L"MainWindowWidth", L"800"},
        {L"MainWindowHeight", L"600"},
        {L"ProgramListMode", L"0"},
        {L"ProgramListShowInfo", L"0"},
        {L"ProgramListShowInfo4Lines", L"1"},
        {L"ProgramListShowInfo2Lines", L"21"},
        {L"ProgramListCategoryHold", L"0"},
        {L"KnobMode", L"2"},
        {L"IncDecDelay", L"250"},
        {L"MidiInDevice", L"\"\""},
        {L"MidiOutDevice", L"\"\""},
        {L"ShowValueLayer", L"0"},
        {L"AutoDumpEnabled", L"1"},
        {L"ShowTipsLayer", L"1"},
        {L"MidiMonitorWindowShow", L"0"},
        {L"MidiMonitorWindowX", L"-1"},
        {L"MidiMonitorWindowY", L"-1"},
        {L"StatusLogWindowShow", L"0"},
        {L"StatusLogWindowX", L"-1"},
        {L"StatusLogWindowY", L"-1"},
        {L"PreferencesVersion", L"1"},
        {L"ReceiveOnStartup", L"1"},
        {L"MidiDeviceAutoScan", L"1"},
    };
    EXPECT_EQ(StoredValues(), expected); // no "ReceiveParameterChange"
}

TEST_F(SettingsTest, ValuesRoundTrip)
{
    CSettings written;
    written.mainWindowX = -40;
    written.mainWindowY = 2000;
    written.mainWindowWidth = 1280;
    written.mainWindowHeight = 1024;
    written.programListMode = 1;
    written.programListShowInfo = 16;
    written.programListShowInfo4Lines = 8;
    written.programListShowInfo2Lines = 7;
    written.programListCategoryHold = 3;
    written.knobMode = 1;
    written.incDecDelay = 0;
    written.midiMonitorWindowShow = 1;
    written.midiMonitorWindowX = 12;
    written.midiMonitorWindowY = 34;
    written.statusLogWindowShow = 1;
    written.statusLogWindowX = 56;
    written.statusLogWindowY = 78;
    written.showValueLayer = true;
    written.autoDumpEnabled = false;
    written.showTipsLayer = false;
    written.midiInDevice = "Nuvorn 1 MIDI IN";
    written.midiOutDevice = std::string(CSettings::kMaximumDeviceNameLength, 'o');
    written.receiveOnStartup = false;
    written.midiDeviceAutoScan = false;
    ASSERT_TRUE(WriteSettings(written, subkey.c_str()));

    CSettings read;
    ASSERT_TRUE(ReadSettings(read, subkey.c_str()));
    EXPECT_EQ(Fields(read), Fields(written));
    ASSERT_TRUE(WriteSettings(read, subkey.c_str()));
    CSettings again;
    ASSERT_TRUE(ReadSettings(again, subkey.c_str()));
    EXPECT_EQ(Fields(again), Fields(written));
}

TEST_F(SettingsTest, StoredValuesAreReadBackClampedAndSwitchesNormalised)
{
    const struct
    {
        const wchar_t* name;
        int32_t stored;
        const char* field;
        const char* read;
        const wchar_t* rewritten; // after a write; null: not written at all
    } cases[] = {
        {L"KnobMode", 7, "knobMode", "2", L"2"},
        {L"KnobMode", -1, "knobMode", "0", L"0"},
        {L"IncDecDelay", -250, "incDecDelay", "0", L"0"},
        {L"IncDecDelay", 100000, "incDecDelay", "100000", L"100000"},
        {L"MainWindowWidth", 0, "mainWindowWidth", "320", L"320"},
        {L"MainWindowHeight", -600, "mainWindowHeight", "240", L"240"},
        {L"ProgramListMode", 3, "programListMode", "2", L"2"},
        {L"ProgramListMode", INT32_MIN, "programListMode", "0", L"0"},
        {L"ProgramListCategoryHold", 9, "programListCategoryHold", "3", L"3"},
        {L"ProgramListShowInfo2Lines", 0x7FFFFFF5, "programListShowInfo2Lines", "21", L"21"},
        {L"ShowValueLayer", 7, "showValueLayer", "1", L"1"},
        {L"AutoDumpEnabled", 0, "autoDumpEnabled", "0", L"0"},
        {L"ReceiveOnStartup", -1, "receiveOnStartup", "1", L"1"},
        {L"ReceiveParameterChange", 1, "receiveParameterChange", "1", nullptr},
        {L"MidiMonitorWindowX", -32000, "midiMonitorWindowX", "-32000", L"-32000"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.field);
        RegDeleteTreeW(HKEY_CURRENT_USER, subkey.c_str());
        {
            CHfcPreferences preferences;
            ASSERT_TRUE(preferences.Open(subkey.c_str()));
            ASSERT_TRUE(preferences.SetInt(c.name, c.stored));
        }
        CSettings settings;
        ASSERT_TRUE(ReadSettings(settings, subkey.c_str()));
        EXPECT_EQ(Fields(settings)[c.field], c.read);
        ASSERT_TRUE(WriteSettings(settings, subkey.c_str()));
        // A value never written keeps what was stored by hand.
        EXPECT_EQ(StoredValues()[c.name], c.rewritten != nullptr ? c.rewritten : std::to_wstring(c.stored));
    }
}

TEST_F(SettingsTest, ValuesOfAnotherTypeOrTooLongTakeTheirDefaults)
{
    {
        CHfcPreferences preferences;
        ASSERT_TRUE(preferences.Open(subkey.c_str()));
        ASSERT_TRUE(preferences.SetString(L"KnobMode", L"1"));
        ASSERT_TRUE(preferences.SetInt(L"MidiInDevice", 5));
        const std::wstring tooLong(CSettings::kMaximumDeviceNameLength + 1, L'x');
        ASSERT_TRUE(preferences.SetString(L"MidiOutDevice", tooLong.c_str()));
    }
    CSettings settings;
    ASSERT_TRUE(ReadSettings(settings, subkey.c_str()));
    EXPECT_EQ(settings.knobMode, 2);
    EXPECT_EQ(settings.midiInDevice, "");
    EXPECT_EQ(settings.midiOutDevice, "");
}

TEST_F(SettingsTest, AKeyThatCannotBeOpenedFailsAndChangesNothing)
{
    CSettings settings;
    settings.knobMode = 1;
    EXPECT_FALSE(ReadSettings(settings, nullptr));
    EXPECT_EQ(settings.knobMode, 1);
    EXPECT_FALSE(WriteSettings(settings, nullptr));
    EXPECT_EQ(kSettingsKey, std::wstring(L"Software\\TARV\\Nuvorn Sound Editor"));
    EXPECT_EQ(&GetSettings(), &GetSettings());
}

TEST_F(SettingsTest, ValuesAreWrittenInTheirOrderAndAFailedOneEndsTheWrite)
{
    const std::vector<std::wstring> order = {
        L"MainWindowX",
        L"MainWindowY",
        L"MainWindowWidth",
        L"MainWindowHeight",
        L"ProgramListMode",
        L"ProgramListShowInfo",
        L"ProgramListShowInfo4Lines",
        L"ProgramListShowInfo2Lines",
        L"ProgramListCategoryHold",
        L"KnobMode",
        L"IncDecDelay",
        L"MidiInDevice",
        L"MidiOutDevice",
        L"ShowValueLayer",
        L"AutoDumpEnabled",
        L"ShowTipsLayer",
        L"MidiMonitorWindowShow",
        L"MidiMonitorWindowX",
        L"MidiMonitorWindowY",
        L"StatusLogWindowShow",
        L"StatusLogWindowX",
        L"StatusLogWindowY",
        L"PreferencesVersion",
        L"ReceiveOnStartup",
        L"MidiDeviceAutoScan",
    };
    {
        RecordingPreferences preferences;
        ASSERT_TRUE(preferences.Open(subkey.c_str()));
        ASSERT_TRUE(WriteSettings(CSettings(), preferences));
        EXPECT_EQ(preferences.written, order);
    }
    EXPECT_EQ(StoredValues().size(), order.size());

    // A refused value: those before it are stored, none after it is tried.
    for (const wchar_t* refused : {L"MainWindowX", L"MidiOutDevice", L"PreferencesVersion"})
    {
        SCOPED_TRACE(std::string(refused, refused + wcslen(refused)));
        RegDeleteTreeW(HKEY_CURRENT_USER, subkey.c_str());
        RecordingPreferences preferences;
        preferences.refused = refused;
        ASSERT_TRUE(preferences.Open(subkey.c_str()));
        EXPECT_FALSE(WriteSettings(CSettings(), preferences));
        const size_t tried = std::find(order.begin(), order.end(), refused) - order.begin() + 1;
        EXPECT_EQ(preferences.written, std::vector<std::wstring>(order.begin(), order.begin() + tried));
        EXPECT_EQ(StoredValues().size(), tried - 1);
    }

    RecordingPreferences closed;
    EXPECT_FALSE(WriteSettings(CSettings(), closed));
    CSettings settings;
    EXPECT_FALSE(ReadSettings(settings, closed));
    EXPECT_TRUE(closed.written.empty());
}
