#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace
{
const uint32_t kTimbre1Base = 16; // first image byte of timbre 1's section

bool IsTimbreGroup(uint32_t g)
{
    return g == kPrgGroupTimbreCommon || g == kPrgGroupTimbreSynth || g == kPrgGroupTimbreEq;
}
} // namespace

TEST(ProgramAccessorRules, EachRuleNamesRowsOfItsGroupAndDependsOnAPresentRow)
{
    CQ3580ProgramAccessor accessor;
    std::set<std::pair<uint32_t, uint32_t>> named;
    for (size_t r = 0; r < kQ3580EnableRuleCount; ++r)
    {
        const CQ3580EnableRule& rule = kQ3580EnableRules[r];
        const std::string what = "rule " + std::to_string(r);
        ASSERT_LT(rule.group, static_cast<uint32_t>(kPrgGroupCount)) << what;
        // The effect group has rules of its own; a rule here would never be asked.
        EXPECT_NE(kQ3580UnruledRows[rule.group], CQ3580UnruledRow::kEffectRules) << what;
        EXPECT_LE(rule.firstRow, rule.lastRow) << what;
        EXPECT_LT(rule.lastRow, accessor.GetTable()->GetParameterCount(rule.group)) << what;
        EXPECT_TRUE(accessor.IsPresent({rule.dependsOnGroup, rule.dependsOnRow, 0})) << what;
        // A rule outside the timbres cannot tell which timbre's row to read.
        if (IsTimbreGroup(rule.dependsOnGroup))
        {
            EXPECT_EQ(rule.dependsOnGroup, rule.group) << what;
        }
        for (uint32_t row = rule.firstRow; row <= rule.lastRow; ++row)
            EXPECT_TRUE(named.insert({rule.group, row}).second)
                << "group " << rule.group << " row " << row << " has two rules";
    }
}

TEST(ProgramAccessorRules, EffectRulesNamePresentParametersOfTheirType)
{
    CQ3580FxParameterTable table;
    for (size_t r = 0; r < kQ3580FxEnableRuleCount; ++r)
    {
        const CQ3580FxEnableRule& rule = kQ3580FxEnableRules[r];
        const std::string what = "effect rule " + std::to_string(r);
        ASSERT_LT(rule.type, static_cast<uint32_t>(kQ3580FxTypeCount)) << what;
        EXPECT_NE(rule.type, static_cast<uint32_t>(kFxOff)) << what;
        EXPECT_NE(rule.parameter, rule.dependsOn) << what;
        for (int32_t p : {rule.parameter, rule.dependsOn})
        {
            ASSERT_TRUE(p >= 0 && p < static_cast<int32_t>(kQ3580FxParameterCount)) << what;
            const CZmFxParameterInfo* row = table.GetParameterInfo(rule.type, static_cast<uint32_t>(p));
            ASSERT_NE(row, nullptr) << what;
            EXPECT_NE(row->present, 0) << what;
        }
    }
}

TEST(ProgramAccessorRules, TypeCouplingsNamePresentParametersOfTheirType)
{
    CQ3580FxParameterTable table;
    for (size_t r = 0; r < kQ3580FxTypeCouplingCount; ++r)
    {
        const CQ3580FxTypeCoupling& c = kQ3580FxTypeCouplings[r];
        const std::string what = "type coupling " + std::to_string(r);
        ASSERT_LT(c.type, static_cast<uint32_t>(kQ3580FxTypeCount)) << what;
        EXPECT_NE(c.coupling.flag, 0) << what;
        EXPECT_TRUE(c.coupling.a != c.coupling.b && c.coupling.a != c.coupling.sw &&
                    c.coupling.b != c.coupling.sw)
            << what;
        for (int32_t p : {c.coupling.a, c.coupling.b, c.coupling.sw})
        {
            ASSERT_TRUE(p >= 0 && p < static_cast<int32_t>(kQ3580FxParameterCount)) << what;
            EXPECT_NE(table.GetParameterInfo(c.type, static_cast<uint32_t>(p))->present, 0) << what;
        }
    }
}

// A wave byte above the last wave counts as that wave (Audio In): Ctrl 2 has nothing to set,
// Ctrl 1 is its gain, and there is no PCM wave to choose.
TEST(ProgramAccessorRules, Osc1WaveByteAboveTheLastWaveGreysOutWhatTheLastWaveDoes)
{
    CQ3580ProgramAccessor accessor;
    CProgram program;
    program.Init();
    const CZmParameterInfo* wave = accessor.GetParameterInfo({kPrgGroupTimbreSynth, kSynthOsc1Wave, 0});
    program.GetBlock().image[kTimbre1Base + wave->offset] = 9;
    EXPECT_TRUE(accessor.IsParameterEnabled(&program, {kPrgGroupTimbreSynth, kSynthOsc1Ctrl1, 0}));
    EXPECT_FALSE(accessor.IsParameterEnabled(&program, {kPrgGroupTimbreSynth, kSynthOsc1Ctrl2, 0}));
    EXPECT_FALSE(accessor.IsParameterEnabled(&program, {kPrgGroupTimbreSynth, kSynthOsc1PcmWave, 0}));
    EXPECT_EQ(accessor.GetMax(&program, {kPrgGroupTimbreSynth, kSynthOsc1Ctrl2, 0}), 0);
}
