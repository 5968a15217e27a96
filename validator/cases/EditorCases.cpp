// The editor as hosts drive it: opened and closed over and over while audio runs, idled before it
// ever opened, asked for its size first, and left open (with its preset list out) when the
// plug-in is closed. Windows only; the counts of live windows and GDI objects catch leaks.
#include "LiveObjects.h"
#include "TestWindows.h"
#include "ValidatorCase.h"
#include "resource.h"
#include <atomic>
#include <string>
#include <thread>

namespace {

constexpr int kBlockFrames = 32;

bool HasEditor(CPluginInstance& plugin) { return (plugin.Effect()->flags & effFlagsHasEditor) != 0; }

HWND EditorWindow(HWND parent) { return GetWindow(parent, GW_CHILD); }

// Handles messages, timers included, for a while.
void PumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        testing_support::PumpMessages();
    } while (GetTickCount() - start < milliseconds);
}

// What a host's audio thread does while its user opens and closes the editor.
class CBackgroundAudio
{
public:
    explicit CBackgroundAudio(CPluginInstance& plugin) : m_thread([this, &plugin] { Run(plugin); }) {}
    ~CBackgroundAudio()
    {
        m_stop = true;
        m_thread.join();
    }
    long Blocks() const { return m_blocks; }
    bool AllFinite() const { return m_allFinite; }

private:
    void Run(CPluginInstance& plugin)
    {
        CChannelBuffers in(plugin.Effect()->numInputs, kBlockFrames, 0.25f);
        CChannelBuffers out(plugin.Effect()->numOutputs, kBlockFrames);
        while (!m_stop) {
            plugin.ProcessReplacing(in.Pointers(), out.Pointers(), kBlockFrames);
            if (!out.AllFinite())
                m_allFinite = false;
            ++m_blocks;
        }
    }
    std::atomic<bool> m_stop{false};
    std::atomic<long> m_blocks{0};
    std::atomic<bool> m_allFinite{true};
    std::thread m_thread;
};

struct SLiveObjects
{
    int windows = testing_support::CountWindows();
    int gdiObjects = testing_support::CountGdiObjects();
};

void ExpectNothingLeaked(CCaseContext& context, const SLiveObjects& before, const std::string& after)
{
    testing_support::PumpMessages();
    const SLiveObjects now;
    context.Expect(now.windows == before.windows, std::to_string(now.windows - before.windows) +
                                                      " windows more than before " + after);
    context.Expect(now.gdiObjects == before.gdiObjects, std::to_string(now.gdiObjects - before.gdiObjects) +
                                                            " GDI objects more than before " + after);
}

// Opens the editor once and closes it: the first opening loads what the system keeps for good.
void OpenOnce(CCaseContext& context, HWND parent)
{
    CPluginInstance& plugin = context.Create();
    plugin.Start();
    plugin.Dispatch(effEditOpen, 0, 0, parent);
    PumpFor(60);
    plugin.Dispatch(effEditClose);
    plugin.Close();
    testing_support::PumpMessages();
}

struct SPopupSearch
{
    HWND host;
    HWND found;
};

BOOL CALLBACK CheckPopup(HWND hwnd, LPARAM data)
{
    auto* search = reinterpret_cast<SPopupSearch*>(data);
    if (hwnd == search->host || !IsWindowVisible(hwnd))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

// The popup that the preset switch slides out: a visible top-level window of this thread other
// than the host's.
HWND FindPopup(HWND host)
{
    SPopupSearch search{host, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), CheckPopup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Click(HWND control)
{
    RECT client{};
    GetClientRect(control, &client);
    const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageA(control, WM_LBUTTONUP, 0, middle);
}

} // namespace

VALIDATOR_CASE_ON(kWindowsOnly, "editor", "100 open and close cycles while processing", EditorCyclesWhileProcessing)
{
    testing_support::CHostWindow host(640, 400);
    CPluginInstance& plugin = context.Create();
    if (!context.Expect(plugin.IsValid(), "the entry point returned no effect"))
        return;
    if (!HasEditor(plugin)) {
        context.Skip("the plug-in has no editor");
        return;
    }
    OpenOnce(context, host.Get());
    plugin.Start(44100.0f, kBlockFrames);
    const SLiveObjects before;
    int opened = 0, closed = 0;
    {
        CBackgroundAudio audio(plugin);
        for (int cycle = 0; cycle < 100; ++cycle) {
            ERect* rect = nullptr;
            plugin.Dispatch(effEditGetRect, 0, 0, &rect);
            plugin.Dispatch(effEditOpen, 0, 0, host.Get());
            opened += EditorWindow(host.Get()) != nullptr;
            for (int idle = 0; idle < 3; ++idle) {
                plugin.Dispatch(effEditIdle);
                testing_support::PumpMessages();
            }
            plugin.Dispatch(effEditClose);
            closed += EditorWindow(host.Get()) == nullptr;
        }
        context.Note(std::to_string(audio.Blocks()) + " blocks processed meanwhile");
        context.Expect(audio.AllFinite(), "output is not finite while the editor opens and closes");
    }
    context.Expect(opened == 100, "the editor window was there after " + std::to_string(opened) + " of 100 openings");
    context.Expect(closed == 100, "the editor window was gone after " + std::to_string(closed) + " of 100 closings");
    ExpectNothingLeaked(context, before, "the 100 cycles");
}

// Opens the editor, slides the preset list out and closes the plug-in under both.
void CloseWithPresetListOut(CCaseContext& context, HWND host)
{
    CPluginInstance& plugin = context.Create();
    plugin.Start();
    plugin.Dispatch(effEditOpen, 0, 0, host);
    const HWND editor = EditorWindow(host);
    const HWND presets = editor ? GetDlgItem(editor, IDC_PRESETS_BUTTON) : nullptr;
    if (!context.Expect(presets != nullptr, "the editor has no preset switch"))
        return;
    Click(presets);
    HWND popup = nullptr;
    for (int wait = 0; wait < 100 && !popup; ++wait) {
        PumpFor(25);
        popup = FindPopup(host);
    }
    context.Expect(popup != nullptr, "the preset list did not come out");
    plugin.Close();
    context.Expect(!IsWindow(editor), "the editor window outlived effClose");
    context.Expect(!popup || !IsWindow(popup), "the preset list outlived effClose");
    PumpFor(150); // a few timer periods: nothing may run on over the closed plug-in
}

VALIDATOR_CASE_ON(kWindowsOnly, "editor", "effClose with the editor open and its preset list out", CloseWithPresetsOut)
{
    testing_support::CHostWindow host(640, 400);
    {
        CPluginInstance probe(context.Entry());
        if (!probe.IsValid() || !HasEditor(probe)) {
            context.Skip("the plug-in has no editor");
            return;
        }
    }
    CloseWithPresetListOut(context, host.Get()); // loads what the system keeps for good
    testing_support::PumpMessages();
    // Wine now and then creates a few objects of its own late (font caches); a leak of ours grows
    // with every round, so it shows as at least one object per round.
    constexpr int kRounds = 10;
    const SLiveObjects before;
    for (int round = 0; round < kRounds; ++round)
        CloseWithPresetListOut(context, host.Get());
    testing_support::PumpMessages();
    const SLiveObjects after;
    context.Expect(after.windows == before.windows, std::to_string(after.windows - before.windows) +
                                                        " windows more after " + std::to_string(kRounds) + " rounds");
    context.Expect(after.gdiObjects - before.gdiObjects < kRounds,
                   std::to_string(after.gdiObjects - before.gdiObjects) + " GDI objects more after " +
                       std::to_string(kRounds) + " rounds");
    if (after.gdiObjects != before.gdiObjects)
        context.Note(std::to_string(after.gdiObjects - before.gdiObjects) + " GDI objects more after " +
                     std::to_string(kRounds) + " rounds");
}

VALIDATOR_CASE_ON(kWindowsOnly, "editor", "effEditIdle without an editor ever opened", IdleWithoutEditor)
{
    CPluginInstance& plugin = context.Create();
    if (!context.Expect(plugin.IsValid(), "the entry point returned no effect"))
        return;
    plugin.Start();
    for (int idle = 0; idle < 10; ++idle) {
        plugin.SetParameter(idle % plugin.ParameterCount(), 0.3f); // marks a closed editor for update
        plugin.Dispatch(effEditIdle);
        plugin.Dispatch(effIdle);
    }
    plugin.Dispatch(effEditClose); // closing what was never opened
    plugin.Dispatch(effEditIdle);
}

VALIDATOR_CASE_ON(kWindowsOnly, "editor", "effEditGetRect before the editor opens", RectBeforeOpen)
{
    CPluginInstance& plugin = context.Create();
    if (!context.Expect(plugin.IsValid(), "the entry point returned no effect"))
        return;
    ERect* rect = nullptr;
    const VstIntPtr answer = plugin.Dispatch(effEditGetRect, 0, 0, &rect);
    plugin.Dispatch(effEditGetRect, 0, 0, nullptr); // hosts that only ask whether there is one
    if (answer && rect) {
        context.Expect(rect->right >= rect->left && rect->bottom >= rect->top,
                       "the rectangle before opening is inverted");
        context.Note("rectangle " + std::to_string(rect->right - rect->left) + " x " +
                     std::to_string(rect->bottom - rect->top));
    }
    plugin.Start();
    plugin.Dispatch(effEditGetRect, 0, 0, &rect);
}
