#pragma once
#include "OwnedString.h"
#include <memory>
#include <vector>

// An effect's identity: name, version, copyright line, description.
class CEffectInfo
{
public:
    CEffectInfo(const char* name, const char* version, const char* copyright, const char* description)
        : m_name(name), m_version(version), m_copyright(copyright), m_description(description) {}
    virtual const char* GetName() const { return m_name.Get(); }
    virtual const char* GetVersion() const { return m_version.Get(); }
    virtual const char* GetCopyright() const { return m_copyright.Get(); }
    virtual const char* GetDescription() const { return m_description.Get(); }
    virtual ~CEffectInfo() = default;

private:
    COwnedString m_name, m_version, m_copyright, m_description;
};

class CInputInfo
{
public:
    CInputInfo(const char* name = "In", int attribute = 0) : m_name(name), m_attribute(attribute) {}
    virtual const char* GetName() const { return m_name.Get(); }
    virtual int GetAttribute() const { return m_attribute; }
    virtual ~CInputInfo() = default;

private:
    COwnedString m_name;
    int m_attribute;
};

class COutputInfo
{
public:
    COutputInfo(const char* name = "Out") : m_name(name) {}
    virtual const char* GetName() const { return m_name.Get(); }
    virtual ~COutputInfo() = default;

private:
    COwnedString m_name;
};

// An effect's audio pins. Each pin is a copy of its template, or the default pin.
class CIOInfo
{
public:
    CIOInfo(int outputCount, int inputCount, const CInputInfo* inputs = nullptr,
            const COutputInfo* outputs = nullptr);
    CIOInfo(const CIOInfo& source);
    CIOInfo& operator=(const CIOInfo&) = delete;

    virtual int GetInputCount() const { return static_cast<int>(m_inputs.size()); }
    virtual int GetOutputCount() const { return static_cast<int>(m_outputs.size()); }
    virtual const CInputInfo* GetInput(int index) const;
    virtual const COutputInfo* GetOutput(int index) const;
    virtual ~CIOInfo() = default;

    void SetInput(int index, const CInputInfo& pin);
    void SetOutput(int index, const COutputInfo& pin);

private:
    std::vector<std::unique_ptr<CInputInfo>> m_inputs;
    std::vector<std::unique_ptr<COutputInfo>> m_outputs;
};
