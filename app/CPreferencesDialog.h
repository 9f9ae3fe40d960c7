#pragma once

#include "app/CModalDialog.h"

#include <string>
#include <vector>

struct CSettings;

// The preferences: the MIDI ports (or the automatic scan), the knob mode and the offer to receive
// all data at start-up. OK (1) stores them in the settings; Cancel (-1) changes nothing.
class CPreferencesDialog : public CModalDialog
{
public:
    // The device names as the MIDI ports give them, in device order.
    CPreferencesDialog(CSettings& settings, std::vector<std::string> inputDevices,
                       std::vector<std::string> outputDevices);
    ~CPreferencesDialog() override;

protected:
    const wchar_t* GetTemplateName() const override { return L"DialogPreferences"; }
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, LPARAM param) override;

private:
    struct DeviceCombo
    {
        int id;
        const char* noneKey; // the localised text of the first entry, "no device"
        const std::vector<std::string>* devices;
        std::string* setting;
        bool notConnected; // the saved name was added as the last entry
    };
    void FillDevices(DeviceCombo& combo);
    void StoreDevice(const DeviceCombo& combo);
    void EnableDeviceCombos();

    CSettings& m_settings;
    std::vector<std::string> m_inputDevices;
    std::vector<std::string> m_outputDevices;
    DeviceCombo m_combos[2];
};
