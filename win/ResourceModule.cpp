#include "ResourceModule.h"

namespace win {

HMODULE ResourceModule()
{
    static const HMODULE module = [] {
        HMODULE found = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&ResourceModule), &found);
        return found;
    }();
    return module;
}

CBitmap LoadBitmapResource(int id)
{
    return CBitmap(static_cast<HBITMAP>(
        LoadImageA(ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

} // namespace win
