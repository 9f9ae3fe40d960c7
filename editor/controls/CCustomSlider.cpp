#include "editor/controls/CCustomSlider.h"

#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"
#include "framework/ctrlmath/HfcControlMath.h"

#include <algorithm>

bool CCustomSlider::Create(const CCustomSliderRecord* record, uint32_t id, uint32_t /*eventKind*/)
{
    if (!record || !record->thumb)
        return false;
    m_custom = *record;
    CHfcCtrlVerticalFaderRecord fader;
    fader.head = {record->x,     record->y,          record->width, record->height,
                  record->thumb, record->background, record->x,     record->y};
    fader.minimum = record->minimum * 10;
    fader.maximum = record->maximum * 10;
    fader.trackLength = record->trackLength;
    fader.step =
        record->trackLength >= 2 ? std::max(1, (fader.maximum - fader.minimum) / record->trackLength) : 1;
    fader.fineStep = std::max(1, fader.step * 2 / 10);
    return CHfcCtrlVerticalFader::Create(&fader, id, kEventValue);
}

void CCustomSlider::SetSpecialThumbs(CHfcBmp* thumb, CHfcBmp* dim, int32_t specialValue)
{
    m_special = thumb;
    m_specialDim = dim;
    m_specialValue = specialValue;
    SetDirty(true);
}

CHfcBmp* CCustomSlider::ShownThumb()
{
    const bool special = m_specialValue != -1 && GetValue() == m_specialValue;
    if (m_customEnabled)
        return special && m_special ? m_special : m_custom.thumb;
    if (special && m_specialDim)
        return m_specialDim;
    return m_custom.dim ? m_custom.dim : m_custom.thumb;
}

void CCustomSlider::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    const CHfcCtrlVerticalFaderRecord& r = GetRecord();
    r.head.EraseArea(context, m_rect);
    context->DrawBitmap(m_rect.left + r.thumbX, m_rect.top + r.trackTop + GetThumbOffset(), r.thumbWidth,
                        r.thumbHeight, ShownThumb(), 0, 0);
}

void CCustomSlider::EraseBackground(CHfcDrawContext* context)
{
    EraseControlBackground(context, m_rect, m_custom.background, m_custom.x, m_custom.y);
}

bool CCustomSlider::OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    return !m_customEnabled || CHfcCtrlVerticalFader::OnHfcMouseLeftDown(mouse, x, y, modifiers);
}

bool CCustomSlider::OnHfcMouseWheel(CHfcMouse*, int32_t, int32_t, int32_t, int32_t delta, uint32_t modifiers)
{
    if (!m_customEnabled || delta == 0)
        return true;
    const int32_t fine = std::max(1, GetRecord().fineStep);
    int32_t position = m_value - ((m_value % fine) + fine) % fine;
    position += (delta > 0 ? 1 : -1) * ((modifiers & kModifierShift) ? 10 : 50);
    position = ClampToRange(position, m_minimum, m_maximum);
    if (position != m_value && m_listener)
        m_listener->OnValueChanged(this, position);
    return true;
}

void CCustomSlider::SetValue(int32_t value)
{
    if (GetValue() != value)
        CHfcCtrlVerticalFader::SetValue(value * 10, true);
}

void CCustomSlider::SetEnabled(bool enabled)
{
    if (enabled == m_customEnabled)
        return;
    m_customEnabled = enabled;
    if (!m_custom.dim)
    {
        if (enabled)
            Show(true);
        else
            Hide(true);
    }
    SetDirty(true);
}
