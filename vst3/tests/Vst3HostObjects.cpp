#include "Vst3HostObjects.h"
#include <algorithm>
#include <cstring>
#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

using namespace Vst3;

tresult CHostUnknown::Query(const TUID iid, const Uid& own, void* self, void** object)
{
    *object = nullptr;
    if (!SameUid(iid, kFUnknownIid) && !SameUid(iid, own))
        return kNoInterface;
    *object = self;
    return kResultOk;
}

tresult CMemoryStream::read(void* buffer, int32_t bytes, int32_t* bytesRead)
{
    if (bytes < 0 || !buffer)
        return kInvalidArgument;
    size_t count = std::min<size_t>(static_cast<size_t>(std::min(bytes, readLimit)), m_bytes.size() - m_position);
    if (count > 0)
        std::memcpy(buffer, m_bytes.data() + m_position, count);
    m_position += count;
    if (bytesRead)
        *bytesRead = static_cast<int32_t>(count);
    return kResultOk;
}

tresult CMemoryStream::write(void* buffer, int32_t bytes, int32_t* bytesWritten)
{
    if (bytes < 0 || !buffer)
        return kInvalidArgument;
    const auto* data = static_cast<const uint8_t*>(buffer);
    if (m_position + static_cast<size_t>(bytes) > m_bytes.size())
        m_bytes.resize(m_position + static_cast<size_t>(bytes));
    std::memcpy(m_bytes.data() + m_position, data, static_cast<size_t>(bytes));
    m_position += static_cast<size_t>(bytes);
    if (bytesWritten)
        *bytesWritten = bytes;
    return kResultOk;
}

tresult CMemoryStream::seek(int64_t position, int32_t mode, int64_t* result)
{
    const int64_t base = mode == 0 ? 0 : mode == 1 ? static_cast<int64_t>(m_position) : static_cast<int64_t>(m_bytes.size());
    const int64_t target = base + position;
    if (target < 0 || target > static_cast<int64_t>(m_bytes.size()))
        return kInvalidArgument;
    m_position = static_cast<size_t>(target);
    if (result)
        *result = target;
    return kResultOk;
}

tresult CMemoryStream::tell(int64_t* position)
{
    if (!position)
        return kInvalidArgument;
    *position = static_cast<int64_t>(m_position);
    return kResultOk;
}

tresult CValueQueue::getPoint(int32_t index, int32_t& offset, ParamValue& value)
{
    if (index < 0 || index >= count)
        return kInvalidArgument;
    offset = offsets[index];
    value = values[index];
    return kResultOk;
}

tresult CValueQueue::addPoint(int32_t offset, ParamValue value, int32_t& index)
{
    if (count >= kCapacity)
        return kResultFalse;
    offsets[count] = offset;
    values[count] = value;
    index = count++;
    return kResultOk;
}

IParamValueQueue* CParameterChanges::getParameterData(int32_t index)
{
    return index >= 0 && index < m_count ? &m_queues[index] : nullptr;
}

IParamValueQueue* CParameterChanges::addParameterData(const ParamID& id, int32_t& index)
{
    for (int32_t i = 0; i < m_count; ++i)
        if (m_queues[i].id == id) {
            index = i;
            return &m_queues[i];
        }
    if (m_count >= kCapacity)
        return nullptr;
    m_queues[m_count].id = id;
    m_queues[m_count].count = 0;
    index = m_count;
    return &m_queues[m_count++];
}

void CParameterChanges::Add(ParamID id, int32_t offset, double value)
{
    int32_t index = 0;
    if (IParamValueQueue* queue = addParameterData(id, index))
        queue->addPoint(offset, value, index);
}

tresult CRecordingHandler::beginEdit(ParamID id)
{
    calls.push_back("begin " + std::to_string(id));
    return kResultOk;
}

tresult CRecordingHandler::performEdit(ParamID id, ParamValue value)
{
    calls.push_back("perform " + std::to_string(id) + " " + std::to_string(value));
    return kResultOk;
}

tresult CRecordingHandler::endEdit(ParamID id)
{
    calls.push_back("end " + std::to_string(id));
    return kResultOk;
}

tresult CRecordingHandler::restartComponent(int32_t flags)
{
    calls.push_back("restart " + std::to_string(flags));
    return kResultOk;
}

CVst3Module::CVst3Module(const std::string& path)
{
#if defined(_WIN32)
    m_handle = LoadLibraryA(path.c_str());
#else
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    if (!m_handle) {
        m_error = "cannot load " + path;
        return;
    }
#if defined(_WIN32)
    using Entry = bool (*)();
    auto entry = reinterpret_cast<Entry>(Symbol("InitDll"));
    if (!entry || !entry()) {
        m_error = "InitDll is missing or failed";
        return;
    }
#else
    using Entry = bool (*)(void*);
    auto entry = reinterpret_cast<Entry>(Symbol("ModuleEntry"));
    if (!entry || !entry(m_handle)) {
        m_error = "ModuleEntry is missing or failed";
        return;
    }
#endif
    using GetFactory = IPluginFactory* (VST3_CALL*)();
    auto getFactory = reinterpret_cast<GetFactory>(Symbol("GetPluginFactory"));
    m_factory = getFactory ? getFactory() : nullptr;
    if (!m_factory)
        m_error = "GetPluginFactory is missing or gave no factory";
}

CVst3Module::~CVst3Module()
{
    if (m_factory)
        m_factory->release();
    if (!m_handle)
        return;
    using Exit = bool (*)();
#if defined(_WIN32)
    if (auto exit = reinterpret_cast<Exit>(Symbol("ExitDll")))
        exit();
    FreeLibrary(static_cast<HMODULE>(m_handle));
#else
    if (auto exit = reinterpret_cast<Exit>(Symbol("ModuleExit")))
        exit();
    dlclose(m_handle);
#endif
}

void* CVst3Module::Symbol(const char* name) const
{
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(m_handle), name));
#else
    return dlsym(m_handle, name);
#endif
}

bool CVst3Module::Exports(const char* name) const { return m_handle && Symbol(name) != nullptr; }

void* CVst3Module::Create(const Uid& iid) const
{
    PClassInfo info{};
    if (!m_factory || m_factory->getClassInfo(0, &info) != kResultOk)
        return nullptr;
    void* object = nullptr;
    if (m_factory->createInstance(info.cid, iid.bytes, &object) != kResultOk)
        return nullptr;
    return object;
}

std::string Narrow(const Char16* text)
{
    std::string out;
    for (int i = 0; text && i < 128 && text[i]; ++i)
        out += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
    return out;
}
