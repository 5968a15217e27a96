#include "ParameterControl.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

// A control whose state is just a number.
class CFakeControl : public CParameterControl
{
public:
    using CParameterControl::CParameterControl;
    float value = 0.0f;
    void SetValue(float v) override { value = v; }
    float GetValue() override { return value; }
    int GetMaxPosition() override { return 7; }
};

// Writes "<name>:<event>" into a shared journal; may react to a notification.
class CJournalListener : public CParameterControlListener
{
public:
    CJournalListener(std::vector<std::string>& journal, std::string name) : m_journal(journal), m_name(std::move(name)) {}
    std::function<void(CParameterControl*)> onChange;

    void OnBeginEdit(CParameterControl*) override { m_journal.push_back(m_name + ":begin"); }
    void OnValueChanged(CParameterControl* control) override
    {
        m_journal.push_back(m_name + ":changed");
        if (onChange)
            onChange(control);
    }
    void OnEndEdit(CParameterControl*) override { m_journal.push_back(m_name + ":end"); }

private:
    std::vector<std::string>& m_journal;
    std::string m_name;
};

using Journal = std::vector<std::string>;

} // namespace

TEST(ParameterControl, ListenersHearEveryNotificationInInsertionOrderDuplicatesIncluded)
{
    Journal journal;
    CJournalListener a(journal, "a"), b(journal, "b");
    CFakeControl control(&a, 5, 1006); // the constructor's listener comes first
    EXPECT_EQ(control.GetParameterIndex(), 5);
    EXPECT_EQ(control.GetControlId(), 1006);
    control.AddListener(&b);
    control.AddListener(&a);
    control.AddListener(nullptr);
    control.NotifyBeginEdit();
    control.NotifyValueChanged();
    control.NotifyEndEdit();
    EXPECT_EQ(journal, Journal({"a:begin", "b:begin", "a:begin", "a:changed", "b:changed", "a:changed",
                                "a:end", "b:end", "a:end"}));

    journal.clear();
    control.RemoveListener(&a);
    control.NotifyValueChanged();
    EXPECT_EQ(journal, Journal({"b:changed"}));
}

TEST(ParameterControl, ANotificationRaisedFromInsideAListenerIsNotDelivered)
{
    Journal journal;
    CJournalListener a(journal, "a"), b(journal, "b");
    CFakeControl control(&a, 0, 0);
    control.AddListener(&b);
    a.onChange = [](CParameterControl* c) {
        c->SetValue(3.0f);
        c->NotifyValueChanged();
        c->NotifyEndEdit();
    };
    control.NotifyValueChanged();
    EXPECT_EQ(journal, Journal({"a:changed", "b:changed"}));
    EXPECT_EQ(control.GetValue(), 3.0f);

    journal.clear();
    control.NotifyValueChanged(); // the guard is released afterwards
    EXPECT_EQ(journal.size(), 2u);
}

TEST(ParameterControl, AListenerThatRemovesItselfWhileNotifiedIsNotCalledAgain)
{
    Journal journal;
    CJournalListener a(journal, "a");
    CFakeControl control(&a, 0, 0);
    a.onChange = [&](CParameterControl* c) { c->RemoveListener(&a); };
    control.NotifyValueChanged();
    control.NotifyValueChanged();
    EXPECT_EQ(journal, Journal({"a:changed"}));
}

TEST(ParameterControl, TextIsTheFormattedValueAndTheUnitAfterOneBlank)
{
    CFakeControl control(nullptr, 0, 0);
    control.value = 3.0f;
    EXPECT_EQ(control.GetText(), "3");
    control.SetUnit("ms");
    EXPECT_EQ(control.GetText(), "3 ms");
    control.value = -6.0f;
    ASSERT_TRUE(control.SetFormat("%+.0f"));
    control.SetUnit("dB");
    EXPECT_EQ(control.GetText(), "-6 dB");
    control.value = 0.4f;
    ASSERT_TRUE(control.SetFormat("%.2f"));
    control.SetUnit("Hz");
    EXPECT_EQ(control.GetText(), "0.40 Hz");
    ASSERT_TRUE(control.SetFormat("%5.1f%%"));
    control.SetUnit("");
    EXPECT_EQ(control.GetText(), "  0.4%");
}

TEST(ParameterControl, FormatsThatWouldNotPrintOneNumberAreRefused)
{
    CFakeControl control(nullptr, 0, 0);
    for (const char* bad : {"%s", "%d", "%f %f", "abc", "%", "%.2", "%n", "%*f", "%lf%%%"})
    {
        EXPECT_FALSE(control.SetFormat(bad)) << bad;
        EXPECT_EQ(control.GetFormat(), "%.0f");
    }
    for (const char* good : {"%.0f", "%+.0f", "%.2f", "%g", "% 8.3e", "gain %#-4.1f%%"})
        EXPECT_TRUE(IsSingleNumberFormat(good)) << good;
}

