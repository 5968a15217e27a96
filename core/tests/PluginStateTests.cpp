#include "FakeEffect.h"
#include "PluginCore.h"
#include "PluginState.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <functional>

namespace {

std::unique_ptr<CPluginCore> MakeCore(EffectLog& log)
{
    return std::make_unique<CPluginCore>(std::make_unique<FakeEffect>(log, FakeEffect::Config{}), nullptr, 20.0);
}

std::string ProgramName(const CPluginCore& core, int program)
{
    char name[64];
    core.GetProgramNameAt(program, name);
    return name;
}

void PutFloatAt(std::vector<uint8_t>& stream, size_t offset, float value) { std::memcpy(&stream[offset], &value, 4); }

} // namespace

TEST(PluginState, RoundTripCarriesTheCurrentProgramEveryProgramsValuesAndNamesAndBypass)
{
    EffectLog sourceLog, targetLog;
    auto source = MakeCore(sourceLog);
    source->SetProgram(2);
    source->SetParameter(1, 0.125f);
    source->SetProgramName("Edited");
    source->SetProgram(5);
    source->SetParameter(0, 1.0f);
    source->SetParameter(2, 0.75f);
    const std::vector<uint8_t> stream = PluginState::Write(*source);

    auto target = MakeCore(targetLog);
    ASSERT_TRUE(PluginState::Read(*target, stream.data(), stream.size()));
    EXPECT_EQ(target->GetProgram(), 5);
    EXPECT_TRUE(target->IsBypassed());
    EXPECT_EQ(target->GetParameter(2), 0.75f);
    EXPECT_EQ(target->GetRealValue(2), 75.0f);
    EXPECT_EQ(ProgramName(*target, 2), "Edited");
    EXPECT_EQ(ProgramName(*target, 1), "Preset 1");
    target->SetProgram(2); // the program left keeps what the stream gave it
    EXPECT_EQ(target->GetParameter(1), 0.125f);
    EXPECT_FALSE(target->IsBypassed());
    EXPECT_EQ(PluginState::Write(*source), stream); // writing changes nothing
}

TEST(PluginState, AStreamThatIsNotExactlyOursIsRefusedAndChangesNothing)
{
    EffectLog log;
    auto core = MakeCore(log);
    const std::vector<uint8_t> good = PluginState::Write(*core);
    const size_t firstValue = PluginState::kHeaderBytes + PluginState::kNameBytes + 4;
    using Damage = std::function<void(std::vector<uint8_t>&)>;
    const struct
    {
        const char* name;
        Damage damage;
    } cases[] = {
        {"empty", [](auto& s) { s.clear(); }},
        {"truncated header", [](auto& s) { s.resize(10); }},
        {"truncated by one byte", [](auto& s) { s.pop_back(); }},
        {"one byte too many", [](auto& s) { s.push_back(0); }},
        {"twice as long", [](auto& s) { s.insert(s.end(), s.begin(), s.end()); }},
        {"another magic", [](auto& s) { s[0] ^= 0xFF; }},
        {"a later version", [](auto& s) { s[4] = 2; }},
        {"another value count", [](auto& s) { s[8] += 1; }},
        {"another program count", [](auto& s) { s[12] += 1; }},
        {"current program out of range", [](auto& s) { s[16] = 200; }},
        {"a NaN value", [&](auto& s) { PutFloatAt(s, firstValue, std::nanf("")); }},
        {"an infinite value", [&](auto& s) { PutFloatAt(s, firstValue, INFINITY); }},
        {"an unterminated name",
         [](auto& s) { std::memset(&s[PluginState::kHeaderBytes], 'A', PluginState::kNameBytes); }},
        {"garbage", [](auto& s) { for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<uint8_t>(i * 37 + 11); }},
    };
    core->SetProgram(3);
    core->SetParameter(1, 0.3f);
    const std::vector<uint8_t> before = PluginState::Write(*core);
    for (const auto& c : cases) {
        std::vector<uint8_t> stream = good;
        c.damage(stream);
        // An exact-size copy, so a read past the end is a fault the sanitizers see.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[stream.empty() ? 1 : stream.size()]);
        std::memcpy(exact.get(), stream.data(), stream.size());
        EXPECT_FALSE(PluginState::Read(*core, stream.empty() ? nullptr : exact.get(), stream.size())) << c.name;
        EXPECT_EQ(PluginState::Write(*core), before) << c.name;
    }
}
