#include "framework/CHfcCtrlLed.h"

#include "framework/CHfcBmp.h"
#include "framework/CHfcControlListener.h"
#include "framework/CHfcDrawContext.h"
#include "framework/ctrlmath/HfcControlMath.h"

CHfcCtrlLed::~CHfcCtrlLed()
{
    if (IsCreated())
        CHfcCtrlLed::Destroy();
}

bool CHfcCtrlLed::Create(const CHfcCtrlLedRecord* record, uint32_t id, uint32_t userValue)
{
    if (!record || !record->head.bitmap)
        return false;
    m_record = *record;
    if (m_record.frameCount < 1)
        m_record.frameCount = 1;
    const CHfcCtrlRecordHead& h = m_record.head;
    SetRect(h.x, h.y, h.width ? h.width : h.bitmap->GetWidth(),
            h.height ? h.height : h.bitmap->GetHeight() / m_record.frameCount);
    m_minimum = 0;
    m_maximum = m_record.frameCount - 1;
    SetValue(m_value, false);
    m_id = id;
    m_userValue = userValue;
    m_pressed = false;
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CHfcCtrlLed::Destroy()
{
    m_record = CHfcCtrlLedRecord();
    m_pressed = false;
    return CHfcControl::Destroy();
}

void CHfcCtrlLed::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    m_record.head.EraseArea(context, m_rect);
    if (m_fillColor != 0)
    {
        const uint32_t brush = context->GetBrushColor();
        context->SetBrushColor(m_fillColor);
        context->FillRect(m_rect);
        context->SetBrushColor(brush);
    }
    m_record.head.DrawFrame(context, m_rect, ClampToRange(m_value, 0, m_record.frameCount - 1));
}

void CHfcCtrlLed::EraseBackground(CHfcDrawContext* context)
{
    m_record.head.EraseArea(context, m_rect);
}

void CHfcCtrlLed::SetValue(int32_t value, bool redraw)
{
    value = ClampToRange(value, m_minimum, m_maximum);
    const bool changed = value != m_value;
    m_value = value;
    if (redraw && changed)
        SetDirty(true);
}

intptr_t CHfcCtrlLed::GetParam(int32_t index) const
{
    const CHfcCtrlRecordHead& h = m_record.head;
    switch (index)
    {
    case 0:
        return h.x;
    case 1:
        return h.y;
    case 2:
        return h.width;
    case 3:
        return h.height;
    case 4:
        return reinterpret_cast<intptr_t>(h.bitmap);
    case 5:
        return reinterpret_cast<intptr_t>(h.background);
    case 6:
        return h.backgroundX;
    case 7:
        return h.backgroundY;
    case 8:
        return m_record.reserved;
    case 9:
        return m_record.frameCount;
    default:
        return 0;
    }
}

void CHfcCtrlLed::SetParam(int32_t index, intptr_t value, bool redraw)
{
    CHfcCtrlRecordHead& h = m_record.head;
    const int32_t word = static_cast<int32_t>(value);
    switch (index)
    {
    case 0:
        h.x = word;
        break;
    case 1:
        h.y = word;
        break;
    case 2:
        h.width = word;
        break;
    case 3:
        h.height = word;
        break;
    case 4:
        h.bitmap = reinterpret_cast<CHfcBmp*>(value);
        break;
    case 5:
        h.background = reinterpret_cast<CHfcBmp*>(value);
        break;
    case 6:
        h.backgroundX = word;
        break;
    case 7:
        h.backgroundY = word;
        break;
    case 8:
        m_record.reserved = word;
        break;
    case 9:
        // The range follows, so the value keeps a frame of the strip.
        m_record.frameCount = word > 0 ? word : 1;
        m_maximum = m_record.frameCount - 1;
        SetValue(m_value, false);
        break;
    default:
        return;
    }
    if (redraw)
        SetDirty(true);
}

bool CHfcCtrlLed::OnHfcMouseLeftDown(CHfcMouse*, int32_t, int32_t, uint32_t)
{
    if (m_listener)
    {
        m_listener->OnBeginEdit(this);
        m_listener->OnValueChanged(this, static_cast<int32_t>(static_cast<uint32_t>(m_value) | kPressedBit));
    }
    m_pressed = true;
    CaptureMouse();
    return true;
}

bool CHfcCtrlLed::OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers)
{
    return OnHfcMouseLeftDown(mouse, x, y, modifiers);
}

bool CHfcCtrlLed::OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t, int32_t, uint32_t)
{
    // The report comes from the loss of the capture; a press that never took it reports here.
    if (HasCapture())
        ReleaseMouse();
    else
        OnHfcMouseCaptureLost(mouse);
    return true;
}

bool CHfcCtrlLed::OnHfcMouseMove(CHfcMouse*, int32_t x, int32_t y, uint32_t modifiers)
{
    return m_listener && m_listener->OnControlMouseMove(this, x, y, modifiers);
}

bool CHfcCtrlLed::OnHfcMouseCaptureLost(CHfcMouse*)
{
    if (!m_pressed)
        return true;
    m_pressed = false;
    if (m_listener)
    {
        m_listener->OnValueChanged(this, m_value);
        m_listener->OnEndEdit(this);
    }
    return true;
}
