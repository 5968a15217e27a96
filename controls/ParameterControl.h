#pragma once
#include <string>
#include <vector>

class CParameterControl;

// Told when the user starts, performs and finishes a change on a control.
class CParameterControlListener
{
public:
    virtual void OnBeginEdit(CParameterControl* control) = 0;
    virtual void OnValueChanged(CParameterControl* control) = 0;
    virtual void OnEndEdit(CParameterControl* control) = 0;
    virtual ~CParameterControlListener() = default;
};

// The side of a control that stands for one parameter: it converts the control's state to a value
// in the parameter's own units and back, formats it as text, and notifies listeners of the user's
// gestures. Concrete controls are window objects as well.
class CParameterControl
{
public:
    // The listener, when given, becomes the first of the list.
    CParameterControl(CParameterControlListener* listener, int parameterIndex, int controlId);
    CParameterControl(const CParameterControl&) = delete;
    CParameterControl& operator=(const CParameterControl&) = delete;

    // Listeners are called in the order they were added; one added twice is called twice.
    virtual void AddListener(CParameterControlListener* listener);
    // Removes every entry of the listener.
    virtual void RemoveListener(CParameterControlListener* listener);
    virtual ~CParameterControl() = default;

    virtual void SetValue(float value) = 0;
    virtual float GetValue() = 0;
    // The value printed with the format, then a blank and the unit when there is one.
    virtual std::string GetText();
    virtual float GetMin() { return 0.0f; }
    virtual float GetMax() { return static_cast<float>(GetMaxPosition()); }
    virtual int GetMaxPosition() = 0;
    virtual void SetPosition(int position) { SetValue(static_cast<float>(position)); }

    // Deliver one notification to every listener. A notification caused by a listener's reaction
    // to another one of this control is not delivered.
    void NotifyBeginEdit();
    void NotifyValueChanged();
    void NotifyEndEdit();
    // A change made in one go (a key, a wheel notch, a reset): begin, the change, end, so that it
    // reaches the host as one gesture.
    void NotifyGesture();

    int GetParameterIndex() const { return m_parameterIndex; }
    int GetControlId() const { return m_controlId; }
    const std::string& GetFormat() const { return m_format; }
    const std::string& GetUnit() const { return m_unit; }
    // A printf format for one floating-point number, "%.0f" at first. A format that would not
    // print exactly one floating-point number is refused and the current one kept.
    bool SetFormat(const std::string& format);
    void SetUnit(const std::string& unit) { m_unit = unit; }

private:
    void Deliver(void (CParameterControlListener::*operation)(CParameterControl*));

    std::vector<CParameterControlListener*> m_listeners;
    int m_parameterIndex;
    int m_controlId;
    std::string m_format = "%.0f";
    std::string m_unit;
    bool m_notifying = false;
};

// Whether `format` prints exactly one double (%f, %e, %g or %a with flags, width and precision)
// and otherwise only text and "%%".
bool IsSingleNumberFormat(const std::string& format);
