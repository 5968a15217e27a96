#include "Dialog.h"
#include "ResourceModule.h"
#include <commctrl.h>

namespace win {

namespace {

void RegisterCommonControls()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)registered;
}

} // namespace

bool CDialog::Create(int templateId, HWND parent)
{
    if (GetHwnd())
        return false;
    RegisterCommonControls();
    const HWND hwnd = CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId), parent,
                                         &DialogProcedure, reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr && GetHwnd() == hwnd;
}

// The dialog's window procedure stays the system's dialog procedure underneath ours; this
// callback only binds the object when WM_INITDIALOG arrives and otherwise asks for the default.
INT_PTR CALLBACK CDialog::DialogProcedure(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG || FromHandle(hwnd))
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->Attach(hwnd, true);
    return dialog->OnInitDialog() ? TRUE : FALSE;
}

bool CDialog::OnInitDialog()
{
    DoDataExchange();
    return true;
}

bool CDialog::BindControl(int id, CWindow& control)
{
    return control.GetHwnd() || control.SubclassWindow(GetDlgItem(GetHwnd(), id));
}

} // namespace win
