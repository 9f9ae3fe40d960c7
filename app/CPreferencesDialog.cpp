#include "app/CPreferencesDialog.h"

#include "app/AppText.h"
#include "app/CSettings.h"
#include "app/CTDWResource.h"
#include "resources/AppDialogIds.h"

CPreferencesDialog::CPreferencesDialog(CSettings& settings, std::vector<std::string> inputDevices,
                                       std::vector<std::string> outputDevices)
    : m_settings(settings), m_inputDevices(std::move(inputDevices)),
      m_outputDevices(std::move(outputDevices)), m_combos{{IDC_PREF_MIDI_IN, "PreferencesNotUseMidiIn",
                                                           &m_inputDevices, &settings.midiInDevice, false},
                                                          {IDC_PREF_MIDI_OUT, "PreferencesNotUseMidiOut",
                                                           &m_outputDevices, &settings.midiOutDevice, false}}
{
}

CPreferencesDialog::~CPreferencesDialog() = default;

void CPreferencesDialog::FillDevices(DeviceCombo& combo)
{
    HWND box = GetDlgItem(GetHandle(), combo.id);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLocalizedString(combo.noneKey).c_str()));
    int selected = combo.setting->empty() ? 0 : -1;
    for (size_t i = 0; i < combo.devices->size(); ++i)
    {
        const std::string& name = (*combo.devices)[i];
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AnsiToWide(name.c_str()).c_str()));
        if (selected < 0 && name == *combo.setting)
            selected = static_cast<int>(i) + 1;
    }
    combo.notConnected = selected < 0;
    if (combo.notConnected)
    {
        // "%s (Not Connected)" in the interface's language.
        std::wstring entry = GetLocalizedString("PreferencesNotConnected");
        const size_t at = entry.find(L"%s");
        const std::wstring name = AnsiToWide(combo.setting->c_str());
        entry = at == std::wstring::npos ? name + L" " + entry : entry.replace(at, 2, name);
        selected =
            static_cast<int>(SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str())));
    }
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void CPreferencesDialog::StoreDevice(const DeviceCombo& combo)
{
    const LRESULT selected = SendDlgItemMessageW(GetHandle(), combo.id, CB_GETCURSEL, 0, 0);
    if (selected == 0)
        combo.setting->clear();
    else if (selected > 0 && static_cast<size_t>(selected) <= combo.devices->size())
        *combo.setting = (*combo.devices)[static_cast<size_t>(selected) - 1];
    // The "(Not Connected)" entry, or none: the saved name stays.
}

void CPreferencesDialog::EnableDeviceCombos()
{
    const BOOL manual = IsDlgButtonChecked(GetHandle(), IDC_PREF_AUTO_SCAN) != BST_CHECKED;
    EnableWindow(GetDlgItem(GetHandle(), IDC_PREF_MIDI_IN), manual);
    EnableWindow(GetDlgItem(GetHandle(), IDC_PREF_MIDI_OUT), manual);
}

bool CPreferencesDialog::OnInitDialog()
{
    for (DeviceCombo& combo : m_combos)
        FillDevices(combo);
    HWND knob = GetDlgItem(GetHandle(), IDC_PREF_KNOB_MODE);
    for (const char* mode :
         {"PreferencesKnobModeCircular", "PreferencesKnobModeRelativeCircular", "PreferencesKnobModeLinear"})
        SendMessageW(knob, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLocalizedString(mode).c_str()));
    SendMessageW(knob, CB_SETCURSEL, static_cast<WPARAM>(m_settings.knobMode), 0);
    CheckDlgButton(GetHandle(), IDC_PREF_AUTO_SCAN,
                   m_settings.midiDeviceAutoScan ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(GetHandle(), IDC_PREF_RECEIVE_ON_STARTUP,
                   m_settings.receiveOnStartup ? BST_CHECKED : BST_UNCHECKED);
    EnableDeviceCombos();
    return true;
}

bool CPreferencesDialog::OnCommand(int id, int code, LPARAM /*param*/)
{
    if (id == IDC_PREF_AUTO_SCAN && code == BN_CLICKED)
    {
        EnableDeviceCombos();
        return true;
    }
    if (id != IDC_DIALOG_OK)
        return false;
    for (const DeviceCombo& combo : m_combos)
        StoreDevice(combo);
    const LRESULT knobMode = SendDlgItemMessageW(GetHandle(), IDC_PREF_KNOB_MODE, CB_GETCURSEL, 0, 0);
    if (knobMode >= 0 && knobMode <= 2)
        m_settings.knobMode = static_cast<int32_t>(knobMode);
    m_settings.midiDeviceAutoScan = IsDlgButtonChecked(GetHandle(), IDC_PREF_AUTO_SCAN) == BST_CHECKED;
    m_settings.receiveOnStartup = IsDlgButtonChecked(GetHandle(), IDC_PREF_RECEIVE_ON_STARTUP) == BST_CHECKED;
    End(1);
    return true;
}
