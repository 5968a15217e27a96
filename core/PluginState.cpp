#include "PluginState.h"
#include "PluginCore.h"
#include <cmath>
#include <cstring>

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t GetU32(const uint8_t* in)
{
    return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 | static_cast<uint32_t>(in[2]) << 16 |
           static_cast<uint32_t>(in[3]) << 24;
}

void PutFloat(std::vector<uint8_t>& out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutU32(out, bits);
}

float GetFloat(const uint8_t* in)
{
    const uint32_t bits = GetU32(in);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

size_t ProgramBytes(size_t valueCount) { return PluginState::kNameBytes + 4 * valueCount; }

} // namespace

namespace PluginState {

std::vector<uint8_t> Write(const CPluginCore& core)
{
    const int valueCount = 1 + core.GetInputParameterCount();
    const int programCount = core.GetProgramCount();
    std::vector<uint8_t> out;
    out.reserve(kHeaderBytes + static_cast<size_t>(programCount) * ProgramBytes(static_cast<size_t>(valueCount)));
    PutU32(out, kMagic);
    PutU32(out, kVersion);
    PutU32(out, static_cast<uint32_t>(valueCount));
    PutU32(out, static_cast<uint32_t>(programCount));
    PutU32(out, static_cast<uint32_t>(core.GetProgram()));
    for (int p = 0; p < programCount; ++p) {
        char name[kNameBytes] = {};
        core.GetProgramNameAt(p, name);
        out.insert(out.end(), name, name + kNameBytes);
        for (int k = 0; k < valueCount; ++k)
            PutFloat(out, core.GetProgramValue(p, k));
    }
    return out;
}

bool Read(CPluginCore& core, const uint8_t* data, size_t size)
{
    if (!data || size < kHeaderBytes)
        return false;
    const size_t valueCount = static_cast<size_t>(1 + core.GetInputParameterCount());
    const size_t programCount = static_cast<size_t>(core.GetProgramCount());
    if (GetU32(data) != kMagic || GetU32(data + 4) != kVersion || GetU32(data + 8) != valueCount ||
        GetU32(data + 12) != programCount)
        return false;
    const uint32_t current = GetU32(data + 16);
    if (current >= programCount || size != kHeaderBytes + programCount * ProgramBytes(valueCount))
        return false;

    // Everything is checked before anything is applied.
    const uint8_t* programs = data + kHeaderBytes;
    for (size_t p = 0; p < programCount; ++p) {
        const uint8_t* program = programs + p * ProgramBytes(valueCount);
        if (!std::memchr(program, 0, kNameBytes))
            return false;
        for (size_t k = 0; k < valueCount; ++k)
            if (!std::isfinite(GetFloat(program + kNameBytes + 4 * k)))
                return false;
    }

    std::vector<float> values(programCount * valueCount);
    std::vector<const char*> names(programCount);
    for (size_t p = 0; p < programCount; ++p) {
        const uint8_t* program = programs + p * ProgramBytes(valueCount);
        names[p] = reinterpret_cast<const char*>(program);
        for (size_t k = 0; k < valueCount; ++k)
            values[p * valueCount + k] = GetFloat(program + kNameBytes + 4 * k);
    }
    core.RestorePrograms(static_cast<int>(current), values.data(), names.data());
    return true;
}

} // namespace PluginState
