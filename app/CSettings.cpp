#include "app/CSettings.h"

#include "app/AppText.h"
#include "foundation/EfUtility.h"
#include "foundation/win32/CHfcPreferences.h"

#include <climits>

const wchar_t* const kSettingsKey = L"Software\\TARV\\Nuvorn Sound Editor";

namespace
{
enum class FieldKind
{
    Number,   // 32-bit, clamped when read
    Switch,   // read as any number, non-zero on; written as 1 or 0
    Text,     // a device name of at most kMaximumDeviceNameLength characters
    Constant, // written, never read
};

// One registry value and the setting it holds. Defaults are the initialisers of CSettings.
struct SettingField
{
    const wchar_t* name;
    FieldKind kind;
    int32_t CSettings::*number;
    bool CSettings::*flag;
    std::string CSettings::*text;
    // A number read is masked, then clamped to [low, high]: each indexes or sizes something.
    int32_t mask;
    int32_t low;
    int32_t high;
    int32_t constant;
    bool written;
};

SettingField Number(const wchar_t* name, int32_t CSettings::*number, int32_t low = INT32_MIN,
                    int32_t high = INT32_MAX)
{
    return {name, FieldKind::Number, number, nullptr, nullptr, -1, low, high, 0, true};
}

SettingField Mask(const wchar_t* name, int32_t CSettings::*number, int32_t mask)
{
    SettingField field = Number(name, number);
    field.mask = mask;
    return field;
}

SettingField Switch(const wchar_t* name, bool CSettings::*flag, bool written = true)
{
    return {name, FieldKind::Switch, nullptr, flag, nullptr, -1, 0, 0, 0, written};
}

SettingField Text(const wchar_t* name, std::string CSettings::*text)
{
    return {name, FieldKind::Text, nullptr, nullptr, text, -1, 0, 0, 0, true};
}

SettingField Constant(const wchar_t* name, int32_t value)
{
    return {name, FieldKind::Constant, nullptr, nullptr, nullptr, -1, 0, 0, value, true};
}

// In the order the values are written; reading walks the same table.
const SettingField kFields[] = {
    Number(L"MainWindowX", &CSettings::mainWindowX),
    Number(L"MainWindowY", &CSettings::mainWindowY),
    Number(L"MainWindowWidth", &CSettings::mainWindowWidth, CSettings::kMinimumMainWindowWidth),
    Number(L"MainWindowHeight", &CSettings::mainWindowHeight, CSettings::kMinimumMainWindowHeight),
    Number(L"ProgramListMode", &CSettings::programListMode, 0, 2),
    Mask(L"ProgramListShowInfo", &CSettings::programListShowInfo, 0x1F),
    Mask(L"ProgramListShowInfo4Lines", &CSettings::programListShowInfo4Lines, 0x1F),
    Mask(L"ProgramListShowInfo2Lines", &CSettings::programListShowInfo2Lines, 0x1F),
    Number(L"ProgramListCategoryHold", &CSettings::programListCategoryHold, 0, 3),
    Number(L"KnobMode", &CSettings::knobMode, 0, 2),
    Number(L"IncDecDelay", &CSettings::incDecDelay, 0),
    Text(L"MidiInDevice", &CSettings::midiInDevice),
    Text(L"MidiOutDevice", &CSettings::midiOutDevice),
    Switch(L"ShowValueLayer", &CSettings::showValueLayer),
    Switch(L"AutoDumpEnabled", &CSettings::autoDumpEnabled),
    // Set by hand only: the editor keeps whatever is stored.
    Switch(L"ReceiveParameterChange", &CSettings::receiveParameterChange, false),
    Switch(L"ShowTipsLayer", &CSettings::showTipsLayer),
    Number(L"MidiMonitorWindowShow", &CSettings::midiMonitorWindowShow),
    Number(L"MidiMonitorWindowX", &CSettings::midiMonitorWindowX),
    Number(L"MidiMonitorWindowY", &CSettings::midiMonitorWindowY),
    Number(L"StatusLogWindowShow", &CSettings::statusLogWindowShow),
    Number(L"StatusLogWindowX", &CSettings::statusLogWindowX),
    Number(L"StatusLogWindowY", &CSettings::statusLogWindowY),
    Constant(L"PreferencesVersion", 1),
    Switch(L"ReceiveOnStartup", &CSettings::receiveOnStartup),
    Switch(L"MidiDeviceAutoScan", &CSettings::midiDeviceAutoScan),
};

void ReadField(const CHfcPreferences& preferences, const SettingField& field, const CSettings& defaults,
               CSettings& settings)
{
    switch (field.kind)
    {
    case FieldKind::Number:
        settings.*field.number = ClampValue(
            preferences.GetInt(field.name, defaults.*field.number) & field.mask, field.low, field.high);
        break;
    case FieldKind::Switch:
        settings.*field.flag = preferences.GetInt(field.name, defaults.*field.flag ? 1 : 0) != 0;
        break;
    case FieldKind::Text:
    {
        wchar_t wide[CSettings::kMaximumDeviceNameLength + 1];
        preferences.GetString(field.name, wide, CSettings::kMaximumDeviceNameLength + 1,
                              AnsiToWide((defaults.*field.text).c_str()).c_str());
        settings.*field.text = WideToAnsi(wide);
        break;
    }
    case FieldKind::Constant:
        break;
    }
}

bool WriteField(CHfcPreferences& preferences, const SettingField& field, const CSettings& settings)
{
    switch (field.kind)
    {
    case FieldKind::Number:
        return preferences.SetInt(field.name, settings.*field.number);
    case FieldKind::Switch:
        return preferences.SetInt(field.name, settings.*field.flag ? 1 : 0);
    case FieldKind::Text:
        return preferences.SetString(field.name, AnsiToWide((settings.*field.text).c_str()).c_str());
    case FieldKind::Constant:
        return preferences.SetInt(field.name, field.constant);
    }
    return false;
}
} // namespace

bool ReadSettings(CSettings& settings, const CHfcPreferences& preferences)
{
    if (!preferences.IsOpen())
        return false;
    const CSettings defaults;
    for (const SettingField& field : kFields)
        ReadField(preferences, field, defaults, settings);
    return true;
}

bool WriteSettings(const CSettings& settings, CHfcPreferences& preferences)
{
    if (!preferences.IsOpen())
        return false;
    for (const SettingField& field : kFields)
    {
        if (field.written && !WriteField(preferences, field, settings))
        {
            DebugTrace("WriteSettings() - %s", "Failed to write a value.");
            return false;
        }
    }
    return true;
}

bool ReadSettings(CSettings& settings, const wchar_t* subkey)
{
    CHfcPreferences preferences;
    if (!preferences.Open(subkey))
    {
        DebugTrace("ReadSettings() - %s", "Failed to open the settings key.");
        return false;
    }
    ReadSettings(settings, preferences);
    preferences.Close();
    return true;
}

bool WriteSettings(const CSettings& settings, const wchar_t* subkey)
{
    CHfcPreferences preferences;
    if (!preferences.Open(subkey))
    {
        DebugTrace("WriteSettings() - %s", "Failed to open the settings key.");
        return false;
    }
    return WriteSettings(settings, preferences);
}

CSettings& GetSettings()
{
    static CSettings settings;
    return settings;
}
