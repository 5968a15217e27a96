#include "ValidatorCase.h"
#include <algorithm>
#include <cstring>

namespace {

std::vector<SValidatorCase>& Registry()
{
    static std::vector<SValidatorCase> cases;
    return cases;
}

} // namespace

CCaseRegistrar::CCaseRegistrar(const char* group, const char* name, CaseBody body, CasePlatform platform)
{
#if !defined(_WIN32)
    if (platform == kWindowsOnly)
        return;
#endif
    Registry().push_back({group, name, body, platform});
}

const std::vector<SValidatorCase>& RegisteredCases()
{
    // Files register in link order; group them so the report reads group by group.
    static const std::vector<SValidatorCase> sorted = [] {
        std::vector<SValidatorCase> cases = Registry();
        std::stable_sort(cases.begin(), cases.end(), [](const SValidatorCase& a, const SValidatorCase& b) {
            return std::strcmp(a.group, b.group) < 0;
        });
        return cases;
    }();
    return sorted;
}

CPluginInstance& CCaseContext::Create()
{
    m_instances.push_back(std::make_unique<CPluginInstance>(m_entry));
    return *m_instances.back();
}

void CCaseContext::Fail(const std::string& why) { m_failures.push_back(why); }

bool CCaseContext::Expect(bool ok, const std::string& why)
{
    if (!ok)
        Fail(why);
    return ok;
}

void CCaseContext::CloseAll() { m_instances.clear(); }
