#include "framework/CHfcCtrlBitmapList.h"

#include "framework/CHfcBmp.h"
#include "framework/CHfcDrawContext.h"
#include "framework/ctrlmath/HfcControlMath.h"

CHfcCtrlBitmapList::~CHfcCtrlBitmapList()
{
    if (IsCreated())
        CHfcCtrlBitmapList::Destroy();
}

bool CHfcCtrlBitmapList::Create(const CHfcCtrlBitmapListRecord* record, uint32_t id, uint32_t userValue)
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
    m_dirty = true;
    m_enabled = true;
    m_created = true;
    return true;
}

bool CHfcCtrlBitmapList::Destroy()
{
    m_record = CHfcCtrlBitmapListRecord();
    return CHfcControl::Destroy();
}

void CHfcCtrlBitmapList::Draw(CHfcDrawContext* context)
{
    if (!m_visible || !context)
        return;
    m_record.head.EraseArea(context, m_rect);
    m_record.head.DrawFrame(context, m_rect, ClampToRange(m_value, 0, m_record.frameCount - 1));
}

void CHfcCtrlBitmapList::EraseBackground(CHfcDrawContext* context)
{
    m_record.head.EraseArea(context, m_rect);
}

void CHfcCtrlBitmapList::SetValue(int32_t value, bool redraw)
{
    value = ClampToRange(value, m_minimum, m_maximum);
    const bool changed = value != m_value;
    m_value = value;
    if (redraw && changed)
        SetDirty(true);
}
