#include "platform/win32/form.h"

#include <commctrl.h>
#include <objbase.h>

namespace platform {
namespace win32 {
std::wstring Wide(std::string_view text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), size);
    return wide;
}

std::string Utf8(std::wstring_view text)
{
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), size, nullptr,
                        nullptr);
    return utf8;
}

} // namespace win32

int Run(const ProgramDescription& program, int, char*[])
{
    // COM serves the screen-reader names of the boxes; one thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    const HWND form = win32::CreateForm(*program.startupForm);
    if (!form)
        return 1;
    win32::Show(form);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        win32::Dispatch(message);
    if (SUCCEEDED(com))
        CoUninitialize();
    return int(message.wParam);
}

} // namespace platform
