#include "app/AppResources.h"
#include "app/CDialogFlag.h"
#include "app/CPreferencesDialog.h"
#include "app/CSettings.h"
#include "app/CTDWResource.h"
#include "resources/AppDialogIds.h"

#include "support/ScriptedDialogPresenter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const std::vector<std::string> kInputs = {"Nuvorn 1 MIDI IN", "Other MIDI IN"};
const std::vector<std::string> kOutputs = {"Nuvorn 1 MIDI OUT"};

struct PreferencesDialogTest : ::testing::Test
{
    PreferencesDialogTest()
    {
        CTDWSingleton::Acquire();
        settings.midiInDevice = "Other MIDI IN";
        settings.midiOutDevice = "Gone MIDI OUT";
        settings.knobMode = 1;
        settings.midiDeviceAutoScan = true;
        settings.receiveOnStartup = false;
    }
    ~PreferencesDialogTest() override { CTDWSingleton::Release(); }
    INT_PTR Run()
    {
        CPreferencesDialog dialog(settings, kInputs, kOutputs);
        return dialog.DoModal(nullptr);
    }

    CSettings settings;
    ScriptedDialogPresenter presenter;
};

void Select(HWND dialog, int id, int index)
{
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ClickCheck(HWND dialog, int id)
{
    SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
}
} // namespace

TEST_F(PreferencesDialogTest, ShowsTheSettingsAndOkWithoutChangesKeepsThem)
{
    presenter.onReady = [](HWND dialog)
    {
        EXPECT_EQ(WindowText(dialog), L"Preferences");
        EXPECT_EQ(
            ComboEntries(dialog, IDC_PREF_MIDI_IN),
            (std::vector<std::wstring>{L"Not use MIDI IN device", L"Nuvorn 1 MIDI IN", L"Other MIDI IN"}));
        EXPECT_EQ(ComboSelection(dialog, IDC_PREF_MIDI_IN), 2);
        EXPECT_EQ(ComboEntries(dialog, IDC_PREF_MIDI_OUT),
                  (std::vector<std::wstring>{L"Not use MIDI OUT device", L"Nuvorn 1 MIDI OUT",
                                             L"Gone MIDI OUT (Not Connected)"}));
        EXPECT_EQ(ComboSelection(dialog, IDC_PREF_MIDI_OUT), 2);
        EXPECT_EQ(ComboEntries(dialog, IDC_PREF_KNOB_MODE),
                  (std::vector<std::wstring>{L"Circular", L"Relative Circular", L"Linear"}));
        EXPECT_EQ(ComboSelection(dialog, IDC_PREF_KNOB_MODE), 1);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_AUTO_SCAN), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_RECEIVE_ON_STARTUP), BST_UNCHECKED);
        // Scanning: the ports are not chosen by hand.
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PREF_MIDI_IN)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PREF_MIDI_OUT)));
        EXPECT_EQ(GetDialogRefCount(), 1);
        PressButton(dialog, IDC_DIALOG_OK);
    };
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(presenter.readyDialogs, std::vector<std::wstring>{L"DialogPreferences"});
    EXPECT_EQ(settings.midiInDevice, "Other MIDI IN");
    EXPECT_EQ(settings.midiOutDevice, "Gone MIDI OUT"); // the saved name stays
    EXPECT_EQ(settings.knobMode, 1);
    EXPECT_TRUE(settings.midiDeviceAutoScan);
    EXPECT_FALSE(settings.receiveOnStartup);
    EXPECT_EQ(GetDialogRefCount(), 0);
}

TEST_F(PreferencesDialogTest, OkStoresWhatWasChosen)
{
    const struct
    {
        int input, output, knob;
        const char* inputName;
        const char* outputName;
    } cases[] = {
        {0, 1, 0, "", "Nuvorn 1 MIDI OUT"},
        {1, 0, 2, "Nuvorn 1 MIDI IN", ""},
        {2, 2, 1, "Other MIDI IN", "Gone MIDI OUT"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.inputName);
        settings.midiInDevice = "Other MIDI IN";
        settings.midiOutDevice = "Gone MIDI OUT";
        settings.midiDeviceAutoScan = true;
        settings.receiveOnStartup = false;
        presenter.onReady = [&](HWND dialog)
        {
            // Unchecking the scan enables the port choice at once.
            ClickCheck(dialog, IDC_PREF_AUTO_SCAN);
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_PREF_MIDI_IN)));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_PREF_MIDI_OUT)));
            ClickCheck(dialog, IDC_PREF_RECEIVE_ON_STARTUP);
            Select(dialog, IDC_PREF_MIDI_IN, c.input);
            Select(dialog, IDC_PREF_MIDI_OUT, c.output);
            Select(dialog, IDC_PREF_KNOB_MODE, c.knob);
            PressButton(dialog, IDC_DIALOG_OK);
        };
        EXPECT_EQ(Run(), 1);
        EXPECT_EQ(settings.midiInDevice, c.inputName);
        EXPECT_EQ(settings.midiOutDevice, c.outputName);
        EXPECT_EQ(settings.knobMode, c.knob);
        EXPECT_FALSE(settings.midiDeviceAutoScan);
        EXPECT_TRUE(settings.receiveOnStartup);
    }
}

TEST_F(PreferencesDialogTest, CancelAndTheCloseBoxChangeNothing)
{
    for (const bool closeBox : {false, true})
    {
        presenter.onReady = [&](HWND dialog)
        {
            ClickCheck(dialog, IDC_PREF_AUTO_SCAN);
            Select(dialog, IDC_PREF_MIDI_IN, 0);
            Select(dialog, IDC_PREF_KNOB_MODE, 2);
            if (closeBox)
                PostMessageW(dialog, WM_CLOSE, 0, 0);
            else
                PressButton(dialog, IDC_DIALOG_CANCEL);
        };
        EXPECT_EQ(Run(), -1);
        EXPECT_EQ(settings.midiInDevice, "Other MIDI IN");
        EXPECT_EQ(settings.knobMode, 1);
        EXPECT_TRUE(settings.midiDeviceAutoScan);
        EXPECT_EQ(GetDialogRefCount(), 0);
    }
}

TEST_F(PreferencesDialogTest, NoSavedPortSelectsNotUseAndTheJapaneseTemplateIsUsedInJapanese)
{
    settings.midiInDevice.clear();
    settings.midiOutDevice.clear();
    settings.midiDeviceAutoScan = false;
    SetResourceLanguage(kLanguageJapanese);
    presenter.onReady = [](HWND dialog)
    {
        EXPECT_EQ(WindowText(dialog), L"環境設定");
        EXPECT_EQ(ItemText(dialog, IDC_DIALOG_CANCEL), L"キャンセル");
        EXPECT_EQ(ComboSelection(dialog, IDC_PREF_MIDI_IN), 0);
        EXPECT_EQ(ComboSelection(dialog, IDC_PREF_MIDI_OUT), 0);
        EXPECT_EQ(ComboEntries(dialog, IDC_PREF_MIDI_OUT).size(), 2u);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_PREF_MIDI_IN)));
        PressButton(dialog, IDC_DIALOG_OK);
    };
    EXPECT_EQ(Run(), 1);
    SetResourceLanguage(0);
    EXPECT_EQ(settings.midiInDevice, "");
    EXPECT_EQ(settings.midiOutDevice, "");
}
