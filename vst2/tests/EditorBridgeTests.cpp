#include <cmath>
#include "AdapterFixture.h"
#include "VstEditor.h"

namespace {
struct EditorLog
{
    std::vector<std::string> calls;
    bool open = false;
    bool failOpen = false; // Open answers 0, as an editor with no display does
    bool destroyed = false;
    const CEditorContext* context = nullptr;
    CParameterSet* inputs = nullptr;
};

class FakeEditor : public CPluginEditor
{
public:
    explicit FakeEditor(EditorLog& log) : m_log(log) {}
    ~FakeEditor() override { m_log.destroyed = true; }
    int Open(void* parent) override
    {
        m_log.calls.push_back(parent ? "Open" : "Open(null)");
        m_log.open = !m_log.failOpen;
        return m_log.open ? 1 : 0;
    }
    void Close() override
    {
        m_log.calls.push_back("Close");
        m_log.open = false;
    }
    void SetVisible(bool visible) override { m_log.calls.push_back(visible ? "Show" : "Hide"); }
    void Move(int, int, int, int) override {}
    void GetPreferredSize(int& width, int& height) override
    {
        width = m_log.open ? 408 : 0;
        height = m_log.open ? 173 : 0;
    }
    const char* GetName() override { return ""; }
    int GetChanged() override { return 0; }
    void SetChanged(int) override {}
    void SetContext(const CEditorContext* context) override
    {
        m_log.inputs = context ? context->GetInputParameters() : nullptr;
    }

private:
    EditorLog& m_log;
};

// The editor's log outlives the adapter, which frees the editor when it is closed.
class EditorBridgeTest : public AdapterTest
{
protected:
    EditorLog editor;
};
} // namespace

TEST_F(EditorBridgeTest, EditorRectIsZeroUntilOpenThenTheWindowsSize)
{
    Create({}, new FakeEditor(editor));
    EXPECT_EQ(record->flags, 17);
    ERect* rect = nullptr;
    EXPECT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top | rect->left | rect->bottom | rect->right, 0);
    int parent = 0;
    EXPECT_EQ(Dispatch(effEditOpen, 0, 0, &parent), 1);
    EXPECT_EQ(editor.calls, (std::vector<std::string>{"Open", "Show"}));
    EXPECT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right, 408);
    EXPECT_EQ(rect->bottom, 173);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(Dispatch(effEditGetRect, 0, 0, nullptr), 1); // no place given: nothing written
    Dispatch(effEditClose);
    EXPECT_FALSE(editor.open);
}

TEST_F(EditorBridgeTest, AnEditorThatCannotOpenIsNotReportedAsOpen)
{
    editor.failOpen = true;
    Create({}, new FakeEditor(editor));
    int parent = 0;
    EXPECT_EQ(Dispatch(effEditOpen, 0, 0, &parent), 0);
    EXPECT_EQ(editor.calls, (std::vector<std::string>{"Open"})); // nothing shown
    EXPECT_FALSE(Plugin().GetEditor()->IsOpen());
    ERect* rect = nullptr;
    EXPECT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right | rect->bottom, 0);
}

TEST_F(EditorBridgeTest, EditorGetsTheInputParameterSetAndIdleClearsTheUpdateFlag)
{
    Create({}, new FakeEditor(editor));
    ASSERT_EQ(editor.inputs, &Plugin().GetInputParameterSet());
    record->setParameter(record, 1, 0.5f);
    EXPECT_TRUE(Plugin().GetEditor()->NeedsUpdate());
    Dispatch(effEditIdle);
    EXPECT_FALSE(Plugin().GetEditor()->NeedsUpdate());
    // A key the editor does not act on stays the host's.
    EXPECT_EQ(Dispatch(effEditKeyDown, 'a', 65, nullptr, 0.0f), 0);
    EXPECT_EQ(Dispatch(effEditKeyUp, 'a', 65, nullptr, 0.0f), 0);
    // Modifiers arrive as a float that hosts do not always fill: converting NaN or a value beyond
    // an int as it stands is undefined (the sanitizer builds trap it).
    for (float modifiers : {std::nanf(""), 1e30f, -1e30f, INFINITY, 4294967296.0f}) {
        EXPECT_EQ(Dispatch(effEditKeyDown, 'a', 65, nullptr, modifiers), 0);
        EXPECT_EQ(Dispatch(effEditKeyUp, 'a', 65, nullptr, modifiers), 0);
    }
}

TEST_F(EditorBridgeTest, ClosingThePluginWithItsEditorOpenClosesAndFreesTheEditor)
{
    Create({}, new FakeEditor(editor));
    int parent = 0;
    Dispatch(effEditOpen, 0, 0, &parent);
    EXPECT_EQ(Dispatch(effClose), 1);
    record = nullptr;
    EXPECT_FALSE(editor.open);
    EXPECT_TRUE(editor.destroyed);
    EXPECT_TRUE(log.destroyed);
}

TEST_F(EditorBridgeTest, EditorValuesFromAnotherThreadReachAnIdlingHostOnlyFromItsIdleAndCloseCallsInOrder)
{
    Create({}, new FakeEditor(editor));
    ASSERT_EQ(Dispatch(effEditOpen, 0, 0, this), 1);
    CParameterSet* inputs = editor.inputs;
    auto fromEditorThread = [&](std::initializer_list<float> values) {
        std::thread([&] {
            for (float value : values)
                inputs->SetValue(2, value);
        }).join();
    };
    const std::thread::id host = std::this_thread::get_id();

    fromEditorThread({12.5f}); // a host that has not idled gets it at once, from that thread
    ASSERT_EQ(TheHost().automations.size(), 1u);
    EXPECT_NE(TheHost().automations[0].thread, host);

    Dispatch(effEditIdle);
    fromEditorThread({25.0f, 37.5f});
    EXPECT_EQ(TheHost().automations.size(), 1u) << "nothing reaches an idling host from the editor's thread";
    inputs->SetValue(2, 50.0f); // on the host's own thread: at once, after what waits
    fromEditorThread({62.5f});
    Dispatch(effEditIdle);
    fromEditorThread({75.0f});
    Dispatch(effEditClose);

    std::vector<float> values;
    for (const HostLog::Automation& automation : TheHost().automations) {
        values.push_back(automation.value);
        if (&automation != &TheHost().automations[0]) {
            EXPECT_EQ(automation.thread, host) << automation.value;
        }
    }
    EXPECT_EQ(values, (std::vector<float>{0.125f, 0.25f, 0.375f, 0.5f, 0.625f, 0.75f}));
}
