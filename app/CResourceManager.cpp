#include "app/CResourceManager.h"

#include "app/CLogManager.h"
#include "foundation/EfUtility.h"
#include "resources/SkinGeometry.h"

namespace
{
// In the order the bitmap registry loads them.
const char kBitmapNames[CResourceManager::kBitmapCount][CResourceManager::kNameStride] = {
    "LcdChar",
    "LcdCharDim",
    "LcdCharSelected",
    "LcdCharBack",
    "LcdCharWhite",
    "LcdCharWhiteDim",
    "LcdCharWhiteSelected",
    "LcdCharWhiteBack",
    "LcdCharLarge",
    "LcdCharLargeDim",
    "LcdCharLargeSelected",
    "LcdCharLargeWhite",
    "LcdCharLargeWhiteDim",
    "LcdCharLargeWhiteSelected",
    "LcdCharStrong",
    "LcdCharStrongDim",
    "LedButtonLarge",
    "LedButtonLargeDim",
    "LedStepRed",
    "Knob",
    "KnobDim",
    "SwitchOnOff",
    "SwitchOnOffDim",
    "ButtonCategoryHold",
    "ButtonEdit",
    "ButtonEditDim",
    "ButtonFunction",
    "ButtonFunctionDim",
    "ButtonRandomize",
    "ButtonRandomizeDim",
    "TriggerButtonSmall",
    "TriggerButtonSmallDim",
    "VerticalSliderTop",
    "VerticalSliderTopDim",
    "ButtonArrowLeft",
    "ButtonArrowLeftDim",
    "ButtonArrowRight",
    "ButtonArrowRightDim",
    "BitmapListFilterRouting",
    "BitmapListPageSelectTab",
    "BitmapListVelocityCurve",
    "BitmapListVoiceMode",
    "BitmapListOsc1Ctrl1",
    "BitmapListOsc1Ctrl2",
    "LogoNv2Editor",
    "BG_MasterFxEdit",
    "BG_ArpEdit",
    "BG_VocoderEdit",
    "BG_SynthEdit",
    "BG_ProgramList",
    "BG_MidiMonitor",
    "BG_StatusLog",
    "BG_PageSelect",
    "BG_GlobalEdit",
    "BG_VersionInfo",
    "BG_TimbreEqEdit",
    "BG_ProgramEdit",
    "BitmapListOscWaveform",
    "BitmapListOsc1Mod",
    "BitmapListOsc2Mod",
    "ValueBarMixer",
    "ScaleKeyboard",
    "FormantHoldBar",
    "KnobLarge",
    "KnobLargeDim",
    "KnobSmall",
    "KnobSmallDim",
    "ButtonEditEq",
    "ButtonEditEqDim",
    "ButtonEditLarge",
    "ButtonEditLargeDim",
    "ButtonEditSynth",
    "ButtonEditSynthDim",
    "ButtonPopup",
    "ButtonPopupDim",
};
} // namespace

const char* CResourceManager::GetBitmapNameList(int32_t* count, int32_t* stride)
{
    if (count != nullptr)
        *count = kBitmapCount;
    if (stride != nullptr)
        *stride = kNameStride;
    return kBitmapNames[0];
}

const char* CResourceManager::GetBitmapName(int32_t i)
{
    return i >= 0 && i < kBitmapCount ? kBitmapNames[i] : nullptr;
}

const void* CResourceManager::GetBitmapList(size_t& count, size_t& stride)
{
    count = kBitmapCount;
    stride = kNameStride;
    return kBitmapNames[0];
}

bool CResourceManager::GetBmpFontCell(size_t index, int32_t& cellWidth, int32_t& cellHeight)
{
    const NvSkinBitmap* bitmap = FindSkinBitmap(GetBitmapName(static_cast<int32_t>(index)));
    if (!bitmap || bitmap->kind != NvSkinKind::Font)
        return false;
    cellWidth = bitmap->width;
    cellHeight = bitmap->frameHeight;
    return true;
}

void CResourceManager::OnBitmapFailed(const char* name)
{
    CEfResourceManager::OnBitmapFailed(name);
    WriteLog("The skin bitmap \"%s\" could not be decoded.", name);
}
