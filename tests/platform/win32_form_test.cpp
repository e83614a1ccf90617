// The Win32 window's driver of the window scenarios, and what only a window
// can show: the caption font, a pasted megabyte, the warning box. Keys and
// characters are posted to the focused control and go through the program's
// own message handling.
#include "platform/win32/form.h"
#include "tests/ui/scenarios.h"

#include <gtest/gtest.h>

namespace {

using platform::win32::Utf8;
using platform::win32::Wide;

// COM serves the screen-reader names, on this one thread, as Run sets it up.
const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        platform::win32::Dispatch(message);
}

std::string TextOf(HWND window) { return Utf8(platform::win32::WindowText(window)); }

class Win32Form : public testing::Test, public scenarios::Driver {
protected:
    void SetUp() override
    {
        shown = platform::SetErrorReporter([this](platform::Form&, const std::string& title,
                                                  const std::string& text) { Record(title, text); });
        form = platform::win32::CreateForm(Form1);
        platform::win32::Show(form);
        Pump();
    }
    void TearDown() override
    {
        DestroyWindow(form);
        Pump();
        platform::SetErrorReporter(shown);
    }

    HWND control(const char* name) { return *name ? platform::win32::Control(form, name) : form; }
    void Key(UINT key, bool shift = false)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
        Pump();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    void Post(const char* box, UINT message, const char* text)
    {
        SetFocus(control(box));
        for (const wchar_t c : Wide(text))
            PostMessageW(control(box), message, c, 1);
        Pump();
    }
    HFONT FontOf(const char* name) { return reinterpret_cast<HFONT>(SendMessageW(control(name), WM_GETFONT, 0, 0)); }

    void Type(const char* box, const char* text) override
    {
        SetFocus(control(box));
        SendMessageW(control(box), EM_SETSEL, 0, -1);
        Key(VK_DELETE);
        Post(box, WM_CHAR, text);
    }
    void Commit(const char* box, const char* text) override { Post(box, WM_IME_CHAR, text); }
    void Paste(const char* box, const std::string& text) override
    {
        // What a paste does: the text replaces the selection, within the box's limit.
        SetFocus(control(box));
        SendMessageW(control(box), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    }
    void Grow() override { SetWindowPos(form, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER); }
    std::string Face(const char* name) override
    {
        LOGFONTW font{};
        GetObjectW(FontOf(name), sizeof font, &font);
        return Utf8(font.lfFaceName);
    }
    void Click() override
    {
        SendMessageW(control("Command1"), BM_CLICK, 0, 0);
        Pump();
    }
    void Focus(const char* name) override { SetFocus(control(name)); }
    void Press(std::string_view key) override
    {
        Key(key == "Return" ? VK_RETURN : key == "Space" ? VK_SPACE : VK_TAB, key == "Shift+Tab");
    }
    std::string Text(const char* name) override { return TextOf(control(name)); }
    bool ShownWhole(const char* name) override
    {
        const HWND shown = control(name);
        const HDC dc = GetDC(shown);
        SelectObject(dc, FontOf(name));
        const std::wstring text = platform::win32::WindowText(shown);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
        ReleaseDC(shown, dc);
        RECT inside, client;
        GetClientRect(shown, &inside);
        GetClientRect(form, &client);
        wchar_t kind[16] = {};
        GetClassNameW(shown, kind, 16);
        if (_wcsicmp(kind, L"Edit") == 0 && !(GetWindowLongW(shown, GWL_STYLE) & ES_READONLY))
            return text.empty() || size.cx > inside.right || short(LOWORD(SendMessageW(shown, EM_POSFROMCHAR, 0, 0))) >= 0;
        const Place place = PlaceOf(name);
        return size.cx <= inside.right && place.left + place.width <= client.right;
    }
    // Windows keeps the name the program gives each box for screen readers;
    // Wine's accessibility runtime keeps none (IAccPropServices answers
    // E_NOTIMPL), so names cannot be read back here.
    std::optional<std::string> Name(const char*) override { return std::nullopt; }
    bool HasFocus(const char* name) override { return GetFocus() == control(name); }
    Place PlaceOf(const char* name) override
    {
        RECT r;
        GetWindowRect(control(name), &r);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
        if (!*name)
            GetClientRect(form, &r);
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }

    HWND form = nullptr;
    platform::ErrorReporter shown;
};

class Scenario : public Win32Form, public testing::WithParamInterface<scenarios::Scenario> {};

TEST_P(Scenario, Plays)
{
    for (const scenarios::Step& step : GetParam().steps)
        ASSERT_EQ(Play(step), "");
}

INSTANTIATE_TEST_SUITE_P(Window, Scenario, testing::ValuesIn(scenarios::kAll), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

// By default an overflow shows a warning box owned by the form, titled like
// it, with the error's text and one button "确定"; the program runs on.
TEST_F(Win32Form, OverflowShowsWarningBox)
{
    platform::SetErrorReporter(shown);
    static std::string seen;
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND box = FindWindowW(L"#32770", L"Form1");
        KillTimer(nullptr, timer);
        seen = TextOf(GetDlgItem(box, 0xFFFF)) + "|" + TextOf(GetDlgItem(box, IDOK))
               + (GetWindow(box, GW_OWNER) ? "|owned" : "|not owned");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    Type("Text1", "1e999");
    Click();
    EXPECT_EQ(seen, "溢出：计算结果超出数值范围。|确定|owned");
    EXPECT_TRUE(IsWindowVisible(form));
}

// When the window cannot be made (here a window class of the form's name
// that refuses its windows), the start says why in a message box and ends
// with status 2.
TEST(Win32Start, SaysWhyTheWindowCannotBeMade)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    UnregisterClassW(L"DischargeForm", instance);
    WNDCLASSEXW refusing{};
    refusing.cbSize = sizeof refusing;
    refusing.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        return message == WM_NCCREATE ? FALSE : DefWindowProcW(window, message, wParam, lParam);
    };
    refusing.hInstance = instance;
    refusing.lpszClassName = L"DischargeForm";
    ASSERT_TRUE(RegisterClassExW(&refusing));
    static std::string seen;
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND box = FindWindowW(L"#32770", L"discharge");
        KillTimer(nullptr, timer);
        seen = TextOf(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    const platform::ProgramDescription program{.name = "discharge", .startupForm = &Form1};
    EXPECT_EQ(platform::Run(program, 0, nullptr), 2);
    UnregisterClassW(L"DischargeForm", instance);
    EXPECT_NE(seen.find("discharge: 无法创建程序窗口"), std::string::npos) << seen;
    EXPECT_NE(seen.find("discharge: cannot create the program's window"), std::string::npos) << seen;
}

} // namespace
