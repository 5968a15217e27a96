#pragma once
// What a VST 3 host hands a plug-in, for our own test host: a memory stream, the parameter
// changes of one block, a component handler that records the editor's gestures, and the loaded
// module with its factory.
#include "Vst3Interface.h"
#include <cstdint>
#include <string>
#include <vector>

// Objects the host owns on the stack: reference counts are not followed.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

class CHostUnknown
{
protected:
    static Vst3::tresult Query(const Vst3::TUID iid, const Vst3::Uid& own, void* self, void** object);
};

// A byte stream in memory. `readLimit` caps what one read call hands out, as hosts that read
// from files in pieces do.
class CMemoryStream final : public Vst3::IBStream, CHostUnknown
{
public:
    CMemoryStream() = default;
    explicit CMemoryStream(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    Vst3::tresult VST3_CALL queryInterface(const Vst3::TUID iid, void** object) override
    {
        return Query(iid, Vst3::kBStreamIid, static_cast<Vst3::IBStream*>(this), object);
    }
    uint32_t VST3_CALL addRef() override { return 1; }
    uint32_t VST3_CALL release() override { return 1; }
    Vst3::tresult VST3_CALL read(void* buffer, int32_t bytes, int32_t* bytesRead) override;
    Vst3::tresult VST3_CALL write(void* buffer, int32_t bytes, int32_t* bytesWritten) override;
    Vst3::tresult VST3_CALL seek(int64_t position, int32_t mode, int64_t* result) override;
    Vst3::tresult VST3_CALL tell(int64_t* position) override;

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    size_t Position() const { return m_position; }
    int32_t readLimit = 1 << 30;

private:
    std::vector<uint8_t> m_bytes;
    size_t m_position = 0;
};

// One parameter's points within a block; fixed capacity, so processing allocates nothing.
class CValueQueue final : public Vst3::IParamValueQueue, CHostUnknown
{
public:
    static constexpr int kCapacity = 64;
    Vst3::tresult VST3_CALL queryInterface(const Vst3::TUID, void** object) override
    {
        *object = nullptr;
        return Vst3::kNoInterface;
    }
    uint32_t VST3_CALL addRef() override { return 1; }
    uint32_t VST3_CALL release() override { return 1; }
    Vst3::ParamID VST3_CALL getParameterId() override { return id; }
    int32_t VST3_CALL getPointCount() override { return count; }
    Vst3::tresult VST3_CALL getPoint(int32_t index, int32_t& offset, Vst3::ParamValue& value) override;
    Vst3::tresult VST3_CALL addPoint(int32_t offset, Vst3::ParamValue value, int32_t& index) override;

    Vst3::ParamID id = 0;
    int32_t count = 0;
    int32_t offsets[kCapacity] = {};
    Vst3::ParamValue values[kCapacity] = {};
};

class CParameterChanges final : public Vst3::IParameterChanges, CHostUnknown
{
public:
    static constexpr int kCapacity = 16;
    Vst3::tresult VST3_CALL queryInterface(const Vst3::TUID, void** object) override
    {
        *object = nullptr;
        return Vst3::kNoInterface;
    }
    uint32_t VST3_CALL addRef() override { return 1; }
    uint32_t VST3_CALL release() override { return 1; }
    int32_t VST3_CALL getParameterCount() override { return m_count; }
    Vst3::IParamValueQueue* VST3_CALL getParameterData(int32_t index) override;
    Vst3::IParamValueQueue* VST3_CALL addParameterData(const Vst3::ParamID& id, int32_t& index) override;

    // Adds a point at `offset` to the parameter's queue.
    void Add(Vst3::ParamID id, int32_t offset, double value);
    void Clear() { m_count = 0; }

private:
    CValueQueue m_queues[kCapacity];
    int32_t m_count = 0;
};

// Records what the plug-in tells the host, as "begin 5", "perform 5 0.5", "end 5".
class CRecordingHandler final : public Vst3::IComponentHandler, CHostUnknown
{
public:
    Vst3::tresult VST3_CALL queryInterface(const Vst3::TUID iid, void** object) override
    {
        return Query(iid, Vst3::kComponentHandlerIid, static_cast<Vst3::IComponentHandler*>(this), object);
    }
    uint32_t VST3_CALL addRef() override { return ++references; }
    uint32_t VST3_CALL release() override { return --references; }
    Vst3::tresult VST3_CALL beginEdit(Vst3::ParamID id) override;
    Vst3::tresult VST3_CALL performEdit(Vst3::ParamID id, Vst3::ParamValue value) override;
    Vst3::tresult VST3_CALL endEdit(Vst3::ParamID id) override;
    Vst3::tresult VST3_CALL restartComponent(int32_t flags) override;

    std::vector<std::string> calls;
    uint32_t references = 0;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// A VST 3 module loaded as a host loads it: the library, its entry call, its factory.
class CVst3Module
{
public:
    explicit CVst3Module(const std::string& path);
    ~CVst3Module();
    CVst3Module(const CVst3Module&) = delete;
    CVst3Module& operator=(const CVst3Module&) = delete;

    // Why loading failed; empty when the factory is there.
    const std::string& Error() const { return m_error; }
    Vst3::IPluginFactory* Factory() const { return m_factory; }
    // Whether the library exports a symbol by this name.
    bool Exports(const char* name) const;
    // The first class's instance, asked for as `iid`; nullptr when the factory refuses.
    void* Create(const Vst3::Uid& iid) const;

private:
    void* Symbol(const char* name) const;

    void* m_handle = nullptr;
    Vst3::IPluginFactory* m_factory = nullptr;
    std::string m_error;
};

// UTF-16 to ASCII for comparisons ('?' for anything else).
std::string Narrow(const Vst3::Char16* text);
