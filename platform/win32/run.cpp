#include "platform/win32/form.h"
#include "platform/win32/handles.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

namespace {

// Says why the start-up form could not be made, in Chinese and in English: in
// a message box where one can still be shown, and on the standard error
// stream for whoever started the program from a console.
int FailedStart(const ProgramDescription& program, DWORD error)
{
    std::string reason;
    wchar_t* system = nullptr;
    if (error != ERROR_SUCCESS && FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&system), 0, nullptr)) {
        reason = Utf8(system);
        LocalFree(system);
        reason.erase(reason.find_last_not_of("\r\n. ") + 1);
    }
    const std::string name = program.name;
    const std::string text = name + ": 无法创建程序窗口" + (reason.empty() ? "" : "：" + reason) + "\n" + name
                             + ": cannot create the program's window" + (reason.empty() ? "" : ": " + reason) + "\n";
    std::fputs(text.c_str(), stderr);
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(name).c_str(), MB_OK | MB_ICONERROR);
    return 2;
}

} // namespace
} // namespace win32

int Run(const ProgramDescription& program, int, char*[])
{
    // COM serves the screen-reader names of the boxes; one thread.
    const win32::ComApartment com;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    const HWND form = win32::CreateForm(*program.startupForm);
    if (!form)
        return win32::FailedStart(program, GetLastError());
    ShowWindow(form, SW_SHOWDEFAULT);
    UpdateWindow(form);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        win32::Dispatch(message);
    return int(message.wParam);
}

} // namespace platform

// What std::terminate runs by default: the C++ runtime's own handler prints
// the demangled type of the exception to a console that this program does
// not have, and brings the whole demangler (45 KB) into the executable. Ours
// only ends the process, as that one does after printing.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx
