#pragma once
#include "ParameterControl.h"
#include <string>
#include <vector>

using Journal = std::vector<std::string>;

// Writes down every notification a control sends, and the control's value at each change.
class CRecorder : public CParameterControlListener
{
public:
    Journal journal;
    std::vector<float> values;

    void OnBeginEdit(CParameterControl*) override { journal.push_back("begin"); }
    void OnValueChanged(CParameterControl* control) override
    {
        journal.push_back("changed");
        values.push_back(control->GetValue());
    }
    void OnEndEdit(CParameterControl*) override { journal.push_back("end"); }
};
