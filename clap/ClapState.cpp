// The plug-in's state through the core's one versioned stream, and the factory programs the
// preset-discovery factory lists, loaded by their program index.
#include "ClapPlugin.h"
#include "PluginState.h"
#include <cerrno>
#include <cstdlib>

namespace {

bool CLAP_CALL StateSave(const clap::Plugin* plugin, const clap::OutputStream* stream)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->SaveState(stream);
}

bool CLAP_CALL StateLoad(const clap::Plugin* plugin, const clap::InputStream* stream)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->LoadState(stream);
}

bool CLAP_CALL PresetLoadFromLocation(const clap::Plugin* plugin, uint32_t kind, const char* location, const char* key)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->LoadPreset(kind, location, key);
}

} // namespace

const clap::PluginState kClapState{StateSave, StateLoad};
const clap::PluginPresetLoad kClapPresetLoad{PresetLoadFromLocation};

bool CClapPlugin::SaveState(const clap::OutputStream* stream) const
{
    if (!stream || !stream->write || IsAudioThread())
        return false;
    const std::vector<uint8_t> bytes = PluginState::Write(m_core);
    // A stream may take fewer bytes than offered; it takes the rest on the next calls.
    for (size_t done = 0; done < bytes.size();) {
        const int64_t written = stream->write(stream, bytes.data() + done, bytes.size() - done);
        if (written <= 0 || static_cast<uint64_t>(written) > bytes.size() - done)
            return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

bool CClapPlugin::LoadState(const clap::InputStream* stream)
{
    if (!stream || !stream->read || IsAudioThread())
        return false;
    // One byte more than this plug-in's stream is enough to refuse an oversized one, without
    // reading a garbage stream of any length into memory.
    const size_t values = 1 + static_cast<size_t>(m_core.GetInputParameterCount());
    const size_t expected = PluginState::kHeaderBytes +
                            static_cast<size_t>(m_core.GetProgramCount()) * (PluginState::kNameBytes + 4 * values);
    std::vector<uint8_t> bytes(expected + 1);
    size_t size = 0;
    while (size < bytes.size()) {
        const int64_t got = stream->read(stream, bytes.data() + size, bytes.size() - size);
        if (got < 0 || static_cast<uint64_t>(got) > bytes.size() - size)
            return false;
        if (got == 0)
            break;
        size += static_cast<size_t>(got);
    }
    if (!PluginState::Read(m_core, bytes.data(), size))
        return false;
    AfterValuesReplaced();
    return true;
}

bool CClapPlugin::LoadPreset(uint32_t locationKind, const char* location, const char* loadKey)
{
    if (IsAudioThread())
        return false;
    // The key is the program's index in decimal, as the discovery factory gave it.
    long program = -1;
    if (locationKind == clap::kPresetLocationPlugin && loadKey && *loadKey) {
        char* end = nullptr;
        errno = 0;
        program = std::strtol(loadKey, &end, 10);
        if (*end || errno || program < 0 || program >= m_core.GetProgramCount())
            program = -1;
    }
    if (program < 0) {
        if (m_hostPresetLoad && m_hostPresetLoad->onError)
            m_hostPresetLoad->onError(m_host, locationKind, location, loadKey, 0, "no such factory program");
        return false;
    }
    m_core.SetProgram(static_cast<int>(program));
    AfterValuesReplaced();
    if (m_hostPresetLoad && m_hostPresetLoad->loaded)
        m_hostPresetLoad->loaded(m_host, locationKind, location, loadKey);
    return true;
}

void CClapPlugin::AfterValuesReplaced()
{
    // Every value may have changed: the host reads them again, once for everything pending.
    m_rescanPending.store(false);
    if (m_hostParams && m_hostParams->rescan)
        m_hostParams->rescan(m_host, clap::kParamRescanValues);
}
