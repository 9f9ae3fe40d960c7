#include "editor/pages/CEditPageLayer.h"

#include "editor/base/CLayerLock.h"
#include "editor/controls/CCustomEditText.h"
#include "editor/layout/NvPageLayout.h"
#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcControl.h"
#include "framework/CHfcKeyFocus.h"
#include "framework/CHfcOffscreenContext.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <algorithm>
#include <cstring>

CEditPageLayer::CEditPageLayer(const NvPageLayout& page) : m_page(page)
{
    m_background = GetBitmap(page.background);
    m_logo = GetBitmap("LogoNv2Editor");
}

void CEditPageLayer::DrawBackground()
{
    CHfcOffscreenContext* surface = GetOffscreen();
    if (!surface)
        return;
    const int32_t width = GetRect().GetWidth(), height = GetRect().GetHeight();
    if (m_background)
        surface->DrawBitmap(0, 0, width, height, m_background, 0, 0);
    if (m_logo)
        surface->DrawBitmap(width - m_logo->GetWidth() - 5, 3, m_logo->GetWidth(), m_logo->GetHeight(),
                            m_logo, 0, 0);
    for (size_t i = 0; i < GetControlCount(); ++i)
        if (CHfcControl* control = GetControl(i))
            control->Redraw(true);
    InvalidateAll(true);
}

void CEditPageLayer::AddPageControl(CHfcControl& control, CCustomControl& custom, uint32_t code,
                                    const CZmParameterId* id, bool parameterControl)
{
    if (id)
    {
        const int32_t type = custom.GetControlType();
        const uint32_t shows = type == CCustomControl::kTypeKnob || type == CCustomControl::kTypeSlider
                                   ? CCustomControl::kAddressShowsValue
                                   : 0;
        const uint32_t words[CCustomControl::kAddressWords] = {id->group, id->index, id->timbre, shows, 0};
        custom.SetParameterAddress(words);
    }
    const uint32_t controlId = static_cast<uint32_t>(m_controls.size());
    m_controls.push_back({&control, &custom, code});
    if (parameterControl)
        SetEditorControl(controlId, &custom);
    control.SetListener(this);
    AddControl(&control, false);
    control.Show(false);
}

CCustomControl* CEditPageLayer::GetPageControl(uint32_t id) const
{
    return id < m_controls.size() ? m_controls[id].custom : nullptr;
}

CHfcControl* CEditPageLayer::GetFrameworkControl(uint32_t id) const
{
    return id < m_controls.size() ? m_controls[id].control : nullptr;
}

uint32_t CEditPageLayer::GetCode(uint32_t id) const
{
    return id < m_controls.size() ? m_controls[id].code : 0;
}

int32_t CEditPageLayer::StepForRange(int32_t minimum, int32_t maximum)
{
    return GetValueStep(maximum, minimum);
}

bool CEditPageLayer::SetShownText(CHfcControl& control, const char* text)
{
    auto* edit = dynamic_cast<CCustomEditText*>(&control);
    if (edit && edit->GetShownText() == text)
        return false;
    if (!edit)
    {
        char shown[256] = {};
        if (CCustomControl* custom = dynamic_cast<CCustomControl*>(&control))
            custom->GetText(shown, sizeof shown);
        if (std::strcmp(shown, text) == 0)
            return false;
    }
    control.SetText(text, false);
    control.SetDirty(true);
    return true;
}

void CEditPageLayer::RefreshValueText(uint32_t id)
{
    CCustomControl* custom = GetPageControl(id);
    CHfcControl* control = GetFrameworkControl(id);
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    if (!custom || !control || !accessor || !m_data.program)
        return;
    const CZmParameterId parameter = GetControlParameter(custom);
    const int32_t minimum = accessor->GetMin(m_data.program, parameter);
    const int32_t maximum = accessor->GetMax(m_data.program, parameter);
    if (custom->GetMinimum() != minimum || custom->GetMaximum() != maximum)
    {
        // As the creation record gives it, so that a new range keeps the drag's pace.
        custom->SetSensitivity(CEditTextValueMap::FromRecordSensitivity(StepForRange(minimum, maximum)));
        custom->SetMinimum(minimum);
        custom->SetMaximum(maximum);
    }
    const bool available = accessor->IsParameterEnabled(m_data.program, parameter);
    if (custom->IsEnabled() != available)
        custom->SetEnabled(available);
    custom->SetValue(accessor->GetValue(m_data.program, parameter));
    char text[256] = {};
    accessor->GetCurrentValueText(m_data.program, parameter, text, sizeof text);
    SetShownText(*control, text);
}

void CEditPageLayer::RefreshOne(uint32_t id)
{
    if (dynamic_cast<CCustomEditText*>(GetFrameworkControl(id)) && GetEditorControl(id))
        RefreshValueText(id);
    else
        CEditLayerBase::RefreshOne(id);
}

void CEditPageLayer::RefreshValues()
{
    CLayerLock lock(kSemaphoreLayer);
    if (!lock.IsHeld() || !m_data.program)
        return;
    for (uint32_t id = 0; id < m_controls.size(); ++id)
        if (!m_controls[id].control->HasKeyFocus())
            RefreshOne(id);
    RedrawControls(false);
}

void CEditPageLayer::RefreshAllControls()
{
    for (uint32_t id = 0; id < m_controls.size(); ++id)
        RefreshOne(id);
    RedrawControls(false);
}

void CEditPageLayer::RefreshControl(CHfcControl* control)
{
    if (control)
        RefreshOne(control->GetId());
    CEditLayerBase::RefreshControl(control);
}
