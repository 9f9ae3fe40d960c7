#pragma once

#include "editor/base/CBaseLayer.h"
#include "synthdata/CBlockData.h"

#include <cstdint>
#include <vector>

class CHfcDragData;
struct CEqBandCommand;
struct NvPageLayout;

// How a block drag leaves and enters an edit page: the drag-and-drop layer runs the modal drag
// of an encoded block and reads the blocks a drop carries. The editor fills it in when that layer
// is present; without it no block drag starts and a drop is refused.
class CBlockDragTransport
{
public:
    virtual ~CBlockDragTransport() = default;
    // Runs the modal drag of the block from the control, with the press point relative to the
    // control as the image offset; true when a drag ran.
    virtual bool RunBlockDrag(CHfcControl& control, const CBlockData& block, int32_t offsetX,
                              int32_t offsetY) = 0;
    // The blocks the drag carries, in item order.
    virtual std::vector<CBlockData> GetBlocks(CHfcDragData* data) = 0;
};
// The process-wide transport; null while there is none.
CBlockDragTransport* GetBlockDragTransport();
void SetBlockDragTransport(CBlockDragTransport* transport);

// What every edit page shares: the value path from a control through the program accessor into
// the program and on to the instrument, the value popup of list parameters, the knob-assign
// popup, the drag of a block from a block-source control and the drop of a block on the page,
// the refresh of controls from the program and the EQ graph's shelves. Window thread only.
class CEditLayerBase : public CBaseLayer
{
public:
    enum : uint32_t
    {
        kEventBlockSource = 10, // the user value of a control that drags a block
        kDragDistance = 6,      // |dx| + |dy| that starts a block drag
    };
    // How a block reached the page.
    enum DropMode : int32_t
    {
        kDropCopy = 1,    // dragged from this page with Control held: copied over the target
        kDropMove = 2,    // dragged from this page: the source and the target change places
        kDropForeign = 3, // dragged from elsewhere: copied over the target
    };

    // Every editor control's value read back from the program, then the controls redrawn.
    virtual void RefreshAllControls();
    virtual void RefreshOne(uint32_t id);
    // The control's value read back from the program and redrawn; the message overlay shows the
    // parameter's name and value when they changed.
    virtual void RefreshControl(CHfcControl* control);
    // Runs the modal drag of the control's block; false for a control that is no block source.
    virtual bool MakeDragData(CHfcControl* control, int32_t x, int32_t y);
    // The framework drop effect (kHfcDropEffectNone, Move or Copy) a drop of the block on the
    // control would have; drag-over answers it and a drop acts only where it is not none. The
    // page decides; the base takes nothing.
    virtual uint32_t GetBlockDropEffect(CHfcControl* /*control*/, const CBlockData& /*block*/,
                                        int32_t /*mode*/) const
    {
        return 0;
    }
    // A block dropped on the page; the page decides (the base takes none).
    virtual bool OnDropBlock(CHfcControl* /*control*/, CHfcDragData* /*data*/, const CBlockData& /*block*/,
                             int32_t /*mode*/)
    {
        return false;
    }
    void ShowKnobAssignMenu(CHfcControl* control) override;
    // The page's layout table (the labels printed on its background); null when it has none.
    virtual const NvPageLayout* GetPageLayout() const { return nullptr; }
    // Each tick: controls whose parameter changed elsewhere (the instrument, another window)
    // take the program's value.
    void RefreshValues() override;

    // The value path, for every value an edit page writes: the value goes into the edited program
    // through the accessor (which clamps it and applies the dependent rules), the control is
    // refreshed, the window is marked modified, notification 7 is posted and the value the
    // program now holds goes to the instrument.
    void WriteValue(CHfcControl* control, const CZmParameterId& id, int32_t value);
    // The parameter change of the id's device address; nothing for an id the instrument does not
    // address.
    void SendParameterChange(const CZmParameterId& id, int32_t value);
    // The block replaces what it carries in the edited program, for a page's OnDropBlock: when that
    // changes the program, the controls are refreshed, the window marked modified, notification 7
    // posted and the program sent to the instrument's current program; a block that changes
    // nothing leaves all that undone. False for a block the program does not take.
    bool PasteBlock(const CBlockData& block, bool& changed);
    // The block of a kind (kBlockProgram .. kBlockArp) from the edited program; index: the
    // timbre or effect.
    bool EncodeBlock(uint32_t kind, uint32_t index, CBlockData& block) const;
    // The EQ graph's two shelves from the frequency indexes and gain values (half decibels).
    void SetEqShelves(uint32_t graphId, int32_t lowFrequency, int32_t lowGain, int32_t highFrequency,
                      int32_t highGain);
    // The commands SetEqShelves gives the graph, band 0 then band 1.
    static std::vector<CEqBandCommand> MakeEqShelfCommands(int32_t lowFrequency, int32_t lowGain,
                                                           int32_t highFrequency, int32_t highGain);

    CHfcControl* GetCurrentControl() const { return m_currentControl; }
    CHfcControl* FindControl(uint32_t id) const;

    // CHfcControlListener.
    void OnValueChanged(CHfcControl* control, int32_t value) override;
    bool OnControlLButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnControlLButtonUp(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnControlRButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnControlMouseMove(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnControlDragEnter(CHfcControl* control, CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                            uint32_t modifiers, uint32_t* effect) override;
    bool OnControlDragOver(CHfcControl* control, CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                           uint32_t modifiers, uint32_t* effect) override;
    bool OnControlDrop(CHfcControl* control, CHfcDragData* data, uint32_t keyState, int32_t x, int32_t y,
                       uint32_t modifiers, uint32_t* effect) override;
    // The pointer over the page's background lets the message overlay fade.
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;

protected:
    // What the control shows for the parameter's value: an LED is lit (1) while the parameter
    // holds the value it stands for, every other control shows the value itself.
    static int32_t ShownValue(CCustomControl* custom, int32_t parameterValue);

private:
    // Foreign unless a drag of this page runs; then a copy with Control held, else a move.
    int32_t GetDropMode(uint32_t modifiers) const;
    // The effect of the first block of the drag that the control takes.
    uint32_t AnswerDrag(CHfcControl* control, CHfcDragData* data, uint32_t modifiers) const;
    // A point of a control in the window's client coordinates.
    POINT ControlToClient(CHfcControl* control, int32_t x, int32_t y) const;

    CHfcControl* m_currentControl = nullptr; // the last control refreshed; one of this layer's
    bool m_dragRunning = false;              // a drag started on this page is running
};
