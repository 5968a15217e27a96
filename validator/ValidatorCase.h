#pragma once
// One named check of the validator. A case opens its own plug-in instances through the context,
// drives them as a (possibly misbehaving) host would, and reports what it finds. Cases register
// themselves with VALIDATOR_CASE in the files under cases/.
#include "PluginInstance.h"
#include <string>
#include <utility>
#include <vector>

class CCaseContext
{
public:
    CCaseContext(VstPluginMainProc entry, double threadSeconds, std::string pluginPath = "")
        : m_entry(entry), m_threadSeconds(threadSeconds), m_pluginPath(std::move(pluginPath))
    {
    }

    // A new instance, created through the entry point; it is closed when the case ends unless the
    // case closed it itself.
    CPluginInstance& Create();
    VstPluginMainProc Entry() const { return m_entry; }
    // The binary under test, for cases that load it themselves.
    const std::string& PluginPath() const { return m_pluginPath; }
    // How long the multi-threaded cases run.
    double ThreadSeconds() const { return m_threadSeconds; }

    // Records a failure; the case goes on so that one run reports every fault it meets.
    void Fail(const std::string& why);
    // Fails with `why` unless `ok`; returns `ok`.
    bool Expect(bool ok, const std::string& why);
    // A short note printed after the case's verdict (a measurement, a count).
    void Note(const std::string& detail) { m_notes.push_back(detail); }

    // Marks the case as not applicable in this build or on this plug-in; it then neither passes
    // nor fails.
    void Skip(const std::string& why) { m_skipReason = why; }
    bool Skipped() const { return !m_skipReason.empty(); }
    const std::string& SkipReason() const { return m_skipReason; }

    bool Failed() const { return !m_failures.empty(); }
    const std::vector<std::string>& Failures() const { return m_failures; }
    const std::vector<std::string>& Notes() const { return m_notes; }
    void CloseAll();

private:
    VstPluginMainProc m_entry;
    double m_threadSeconds;
    std::string m_pluginPath;
    std::vector<std::unique_ptr<CPluginInstance>> m_instances;
    std::vector<std::string> m_failures;
    std::vector<std::string> m_notes;
    std::string m_skipReason;
};

using CaseBody = void (*)(CCaseContext&);

enum CasePlatform { kAllPlatforms, kWindowsOnly };

struct SValidatorCase
{
    const char* group;
    const char* name;
    CaseBody body;
    CasePlatform platform;
};

// Every registered case, grouped and in registration order within each file.
const std::vector<SValidatorCase>& RegisteredCases();

struct CCaseRegistrar
{
    CCaseRegistrar(const char* group, const char* name, CaseBody body, CasePlatform platform = kAllPlatforms);
};

#define VALIDATOR_CASE_ON(platform, group, name, function)                                                   \
    static void function(CCaseContext& context);                                                             \
    static const CCaseRegistrar function##Registrar(group, name, function, platform);                        \
    static void function([[maybe_unused]] CCaseContext& context)

#define VALIDATOR_CASE(group, name, function) VALIDATOR_CASE_ON(kAllPlatforms, group, name, function)
