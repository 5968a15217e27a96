#include "Dialog.h"
#include "ResourceModule.h"
#include "TestWindows.h"
#include "WindowTestIds.h"
#include <gtest/gtest.h>

namespace {

template <class Function>
Function Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

TEST(ResourceModule, IsTheExecutableWhenTheLayerIsLinkedIntoIt)
{
    EXPECT_EQ(win::ResourceModule(), GetModuleHandleA(nullptr));
    EXPECT_FALSE(win::LoadBitmapResource(IDB_PROBE)); // only the DLL has it
}

TEST(ResourceModule, ADllFindsItsOwnDialogAndBitmapWhenAnotherModuleHostsIt)
{
    HMODULE dll = LoadLibraryA("win32ui_probe.dll");
    ASSERT_NE(dll, nullptr);
    auto resourceModule = Export<HMODULE (*)()>(dll, "ProbeResourceModule");
    auto bitmapWidth = Export<int (*)()>(dll, "ProbeBitmapWidth");
    auto openDialog = Export<HWND (*)(HWND)>(dll, "ProbeOpenDialog");
    auto closeDialog = Export<void (*)()>(dll, "ProbeCloseDialog");
    ASSERT_TRUE(resourceModule && bitmapWidth && openDialog && closeDialog);

    EXPECT_EQ(resourceModule(), dll);
    EXPECT_EQ(bitmapWidth(), 8);
    {
        testing_support::CHostWindow host(200, 100);
        HWND dialog = openDialog(host.Get());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(GetParent(dialog), host.Get());
        // The DLL's window objects are its own: this module's lookup does not see them.
        EXPECT_EQ(win::CWindow::FromHandle(dialog), nullptr);
        closeDialog();
        EXPECT_FALSE(IsWindow(dialog));
    }
    FreeLibrary(dll);
}
