#pragma once

// The colours of the skin (ARGB).
namespace SkinPalette
{
constexpr unsigned kPanelTop = 0xFF31353C, kPanelBottom = 0xFF212429;
constexpr unsigned kSectionTop = 0xFF3B4048, kSectionBottom = 0xFF32363D;
constexpr unsigned kRimLight = 0xFF575D67, kRimDark = 0xFF131519;
constexpr unsigned kLcdTop = 0xFF0C1719, kLcdBottom = 0xFF132326, kLcdRim = 0xFF040708;
// The flat panel that lists draw over; the CC map list's own background colour.
constexpr unsigned kFlat = 0xFF4A4A55;
constexpr unsigned kLabel = 0xFFE6E9EE, kSectionLabel = 0xFFF2C46A, kTitle = 0xFFFFFFFF;
constexpr unsigned kAccent = 0xFFFF9A3C, kAccentDim = 0xFF6B6F76;
constexpr unsigned kAmber = 0xFFFFC45A, kAmberDim = 0xFF7A6A48;
constexpr unsigned kWhite = 0xFFF2F4F6, kWhiteDim = 0xFF6E7278;
constexpr unsigned kStrong = 0xFF8CE0FF, kStrongDim = 0xFF4A6A78;
constexpr unsigned kLedRed = 0xFFFF3B2E, kLedRedOff = 0xFF4A1512;
constexpr unsigned kLedGreen = 0xFF5CFF7A, kLedGreenOff = 0xFF163A1E;
constexpr unsigned kKeyTop = 0xFF5E646E, kKeyBottom = 0xFF41464E, kKeyText = 0xFFECEFF3;
constexpr unsigned kDimKeyTop = 0xFF34373C, kDimKeyBottom = 0xFF2B2E32, kDimText = 0xFF6C7076;
} // namespace SkinPalette
