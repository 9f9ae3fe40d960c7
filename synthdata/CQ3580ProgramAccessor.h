#pragma once

#include "synthdata/CQ3580FxParameterTable.h"
#include "synthdata/CQ3580ParameterTable.h"
#include "synthdata/CZmProgramAccessor.h"

#include "foundation/CEfSingleton.h"

struct CQ3580OscCtrlMemory;
struct CZmFxTypeInfo;

// The program accessor of this model: section bases of the 346-byte image, the 16-bit
// rows, the master effects and the rules between the OSC 1 parameters.
class CQ3580ProgramAccessor : public CZmProgramAccessor
{
public:
    CQ3580ProgramAccessor();

    int32_t GetValue(const CZmData* program, const CZmParameterId& id) const override;
    void SetValue(CZmData* program, const CZmParameterId& id, int32_t value) const override;
    void GetValueText(const CZmData* program, const CZmParameterId& id, int32_t value, char* buffer,
                      size_t size) const override;
    int32_t GetMin(const CZmData* program, const CZmParameterId& id) const override;
    int32_t GetMax(const CZmData* program, const CZmParameterId& id) const override;
    const char* GetName(const CZmData* program, const CZmParameterId& id) const override;
    const char* GetFormat(const CZmData* program, const CZmParameterId& id) const override;
    bool IsParameterEnabled(const CZmData* program, const CZmParameterId& id) const override;
    bool IsControlAssignable(const CZmData* program, const CZmParameterId& id) const override;

protected:
    bool LocateField(const CZmData* program, const CZmParameterId& id,
                     CZmFieldLocation& field) const override;
    const CZmFxParameterInfo* GetEffectRow(const CZmData* program, const CZmParameterId& id) const override;
    bool IsTimbreGroup(uint32_t group) const override;

private:
    // A master effect as seen from one of its parameter ids.
    struct Effect
    {
        uint32_t typeRow;   // FX Type row: 1 or 25
        uint32_t paramBase; // row of effect parameter 0: 4 or 28
        uint32_t type;
        const CZmFxTypeInfo* info; // null for a type byte out of range
    };
    bool GetEffect(const CZmData* program, const CZmParameterId& id, Effect& effect) const;
    int32_t GetEffectParam(const CZmData* program, const Effect& effect, int32_t parameter) const;
    void SetFxType(CZmData* program, uint32_t typeRow, int32_t type) const;
    int32_t ApplyFxCouplings(CZmData* program, const CZmParameterId& id, int32_t value) const;
    bool IsFxParameterEnabled(const CZmData* program, const CZmParameterId& id) const;

    int32_t GetOscWave(const CZmData* program, uint32_t timbre) const;
    int32_t GetOscMod(const CZmData* program, uint32_t timbre) const;
    void SetOscWave(CZmData* program, uint32_t timbre, int32_t wave) const;
    void RestoreOscCtrl(CZmData* program, uint32_t timbre) const;
    void RememberOscCtrl(CZmData* program, uint32_t timbre, int32_t ctrl, int32_t stored) const;
    static CQ3580OscCtrlMemory* GetMemory(CZmData* program, uint32_t timbre);

    CQ3580ParameterTable m_programTable;
    CQ3580FxParameterTable m_fxParameterTable;
};

using CZmProgramAccessorSingleton = CEfSingleton<CZmProgramAccessor, CQ3580ProgramAccessor>;
