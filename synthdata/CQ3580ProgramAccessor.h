#pragma once

#include "synthdata/CQ3580FxParameterTable.h"
#include "synthdata/CQ3580ParameterTable.h"
#include "synthdata/CZmProgramAccessor.h"

#include "foundation/CEfSingleton.h"

#include <cstddef>

struct CQ3580OscCtrlMemory;
struct CZmFxTypeInfo;

// How an enable rule tests the parameter its rows depend on.
enum class CQ3580EnableTest : uint8_t
{
    kIs,    // enabled only while the parameter is the value
    kIsNot, // enabled unless the parameter is the value
    kBelow, // enabled only while the parameter is below the value
    kSteps, // the rows are steps 0, 1, ...: each enabled while its step does not exceed the parameter
};

// Rows first..last of a program group are enabled only while the row they depend on passes the
// test. The dependency is read raw; in a timbre group, in the same timbre as the row.
struct CQ3580EnableRule
{
    uint32_t group;
    uint32_t firstRow;
    uint32_t lastRow;
    uint32_t dependsOnGroup;
    uint32_t dependsOnRow;
    CQ3580EnableTest test;
    int32_t value;
};

// An effect type's own rule: its parameter is enabled only while another of its parameters
// (read as a value) passes the test. The table's couplings and rules 3 and 4 come on top.
struct CQ3580FxEnableRule
{
    uint32_t type;
    int32_t parameter;
    int32_t dependsOn;
    CQ3580EnableTest test;
    int32_t value;
};

// A coupling an effect type has beyond the two of its table row: the Controls follow the
// member in use and only that member is assignable.
struct CQ3580FxTypeCoupling
{
    uint32_t type;
    CZmFxCoupling coupling;
};

// What a row answers when no rule names it.
enum class CQ3580UnruledRow : uint8_t
{
    kEnabled,
    kWhilePresent, // the row's present flag
    kEffectRules,  // the master-effect rules
};

// Rules, in CQ3580ProgramAccessor_rules.cpp.
extern const CQ3580EnableRule kQ3580EnableRules[];
extern const size_t kQ3580EnableRuleCount;
extern const CQ3580FxEnableRule kQ3580FxEnableRules[];
extern const size_t kQ3580FxEnableRuleCount;
extern const CQ3580FxTypeCoupling kQ3580FxTypeCouplings[];
extern const size_t kQ3580FxTypeCouplingCount;
extern const CQ3580UnruledRow kQ3580UnruledRows[kPrgGroupCount];

// The program accessor of this model: section bases of the program image, the 16-bit
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
    bool IsTimbreGroup(uint32_t group) const override;

protected:
    bool LocateField(const CZmData* program, const CZmParameterId& id,
                     CZmFieldLocation& field) const override;
    const CZmFxParameterInfo* GetEffectRow(const CZmData* program, const CZmParameterId& id) const override;

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
