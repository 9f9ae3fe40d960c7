#pragma once

#include "editor/base/CEditLayerBase.h"

#include <array>
#include <cstdint>
#include <memory>

class CCustomDragReceiver;
class CCustomEditText;
class CCustomStaticText;
class CHfcBmp;

// The two master effects of a program (parameter group 6). Each effect shows its type, then
// only the parameters the type has, under the type's names and ranges, hiding those a switch of
// the type turns off; its two Control fields choose among the parameters the type lets them
// take. The grid is laid out again only when the effect type changes. A whole effect is dragged
// by its frame onto the other effect (the two change places) or onto another window's effect
// (it is pasted there). Window thread only.
class CMasterFxEditLayer : public CEditLayerBase
{
public:
    enum : uint32_t
    {
        kGroup = 6,
        kRowsPerEffect = 23, // FX Type, Control 1 and 2, Param 1 to 20
        kFieldCount = 2 * kRowsPerEffect,
        kLabelIdBase = kFieldCount, // a row's label: kLabelIdBase + row
        kReceiverIdBase = 2 * kFieldCount,
        kParameterCount = 20,
    };

    CMasterFxEditLayer();
    ~CMasterFxEditLayer() override;

    // The page over the window's client area at (0, 0), bound to the window's program, its
    // controls made and read from the program.
    bool Create(CBaseWindow* window);
    using CEditLayerBase::Create;

    // The parameter a row's field edits: row 23 m + r is {6, 24 m + 1 + r}.
    static CZmParameterId GetRowParameter(uint32_t row);

    // Every field and label from the program; an effect's grid is laid out again only when its
    // type differs from the one laid out.
    void Refresh();
    void RefreshAllControls() override { Refresh(); }
    void RefreshControl(CHfcControl* control) override;
    void RefreshValues() override { Refresh(); }

    void OnValueChanged(CHfcControl* control, int32_t value) override;
    bool OnControlLButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers) override;
    // The page has no knob assignment.
    bool OnControlRButtonDown(CHfcControl*, int32_t, int32_t, uint32_t) override { return false; }
    // An effect block on either effect's frame: from elsewhere or with Control a copy, from this
    // page a move (the two effects change places).
    uint32_t GetBlockDropEffect(CHfcControl* control, const CBlockData& block, int32_t mode) const override;
    bool OnDropBlock(CHfcControl* control, CHfcDragData* data, const CBlockData& block,
                     int32_t mode) override;
    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override;

    CCustomEditText* GetField(uint32_t row) const;
    CCustomStaticText* GetLabel(uint32_t row) const;
    CCustomDragReceiver* GetReceiver(uint32_t effect) const;
    // How often an effect's grid was laid out.
    uint32_t GetLayoutCount(uint32_t effect) const { return effect < 2 ? m_layoutCount[effect] : 0; }

private:
    bool MakeControls();
    void DrawBackground();
    void RefreshEffect(uint32_t effect);
    void LayOutGrid(uint32_t effect, int32_t type);
    void RefreshControlRows(uint32_t effect, int32_t type);
    // Writes the parameter number as the effect's Control k (row 1 or 2) and sends it.
    void WriteControl(CHfcControl* control, uint32_t row, int32_t parameter);
    bool IsControlRow(uint32_t row) const { return row % kRowsPerEffect == 1 || row % kRowsPerEffect == 2; }

    CHfcBmp* m_background = nullptr;
    CHfcBmp* m_logo = nullptr;
    std::array<std::unique_ptr<CCustomEditText>, kFieldCount> m_fields;
    std::array<std::unique_ptr<CCustomStaticText>, kFieldCount> m_labels; // none for the type rows
    std::array<std::unique_ptr<CCustomDragReceiver>, 2> m_receivers;
    std::array<int32_t, 2> m_laidOutType = {-1, -1}; // the type each grid was laid out for
    std::array<uint32_t, 2> m_layoutCount = {0, 0};
};
