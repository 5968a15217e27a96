#pragma once
#include "Window.h"

namespace win {

// A modeless dialog made from a template resource of the resource module, as a child (or owned
// popup) of a given window. The dialog's controls are taken over in DoDataExchange with
// BindControl during initialisation.
class CDialog : public CWindow
{
public:
    // Creates the window; false when the template is missing or creation fails.
    bool Create(int templateId, HWND parent);

protected:
    // WM_INITDIALOG: binds the controls (DoDataExchange). Returns whether the system should set
    // the focus.
    virtual bool OnInitDialog();
    virtual void DoDataExchange() {}
    // Takes over the template's control `id` with `control`, unless it already has a window.
    bool BindControl(int id, CWindow& control);

private:
    static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

} // namespace win
