// The Win32 window's driver of the window scenarios, and a start whose window
// cannot be made. Keys and characters are posted to the focused control and
// go through the program's own message handling.
#include "platform/win32/form.h"
#include "platform/win32/handles.h"
#include "tests/ui/scenarios.h"
#include "ui/Form1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using platform::win32::OwnedHook;
using platform::win32::Utf8;
using platform::win32::Wide;

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        platform::win32::Dispatch(message);
}

std::string TextOf(HWND window) { return Utf8(platform::win32::WindowText(window)); }

// The message box that AnswerBox waits for, and what reads it.
std::function<void(HWND)> reader;
const wchar_t* boxTitle;

void CALLBACK AnswerBoxNow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (const HWND box = FindWindowW(L"#32770", boxTitle)) {
        reader(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

// A message box titled `title` is answered with its button from the modal
// loop it runs, once `read` has read it.
void AnswerBox(const wchar_t* title, std::function<void(HWND box)> read)
{
    reader = std::move(read), boxTitle = title;
    SetTimer(nullptr, 0, 50, AnswerBoxNow);
}

// The form, shown, and the driver of the scenarios on it.
class Window : public testing::Test, public scenarios::Driver {
protected:
    void SetUp() override
    {
        ShowWindow(form, SW_SHOWDEFAULT);
        Pump();
    }
    void TearDown() override
    {
        DestroyWindow(form);
        Pump();
    }

    HWND control(const std::string& name) { return name.empty() ? form : platform::win32::Control(form, name); }
    void Post(const std::string& box, UINT message, const std::string& text)
    {
        SetFocus(control(box));
        for (const wchar_t c : Wide(text))
            PostMessageW(control(box), message, c, 1);
        Pump();
    }
    HFONT FontOf(const std::string& name) { return reinterpret_cast<HFONT>(SendMessageW(control(name), WM_GETFONT, 0, 0)); }
    LOGFONTW Font(const std::string& name)
    {
        LOGFONTW font{};
        GetObjectW(FontOf(name), sizeof font, &font);
        return font;
    }
    // A warning shows in a message box of the form's title.
    void AnswerWarning()
    {
        AnswerBox(L"Form1", [this](HWND box) { Warn("Form1", TextOf(GetDlgItem(box, 0xFFFF)), TextOf(GetDlgItem(box, IDOK))); });
    }

    // Select all, then a backspace and the text.
    void Type(const std::string& box, const std::string& text) override
    {
        SendMessageW(control(box), EM_SETSEL, 0, -1);
        Post(box, WM_CHAR, '\b' + text);
    }
    void Commit(const std::string& box, const std::string& text) override { Post(box, WM_IME_CHAR, text); }
    void Paste(const std::string& box, const std::string& text) override
    {
        // What a paste does: the text replaces the selection, within the box's limit.
        SetFocus(control(box));
        SendMessageW(control(box), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    }
    std::string Face(const std::string& name) override { return Utf8(Font(name).lfFaceName); }
    void Click() override
    {
        AnswerWarning();
        SendMessageW(control("Command1"), BM_CLICK, 0, 0);
        Pump();
    }
    void Focus(const std::string& name) override { SetFocus(control(name)); }
    // The key down and up, with Shift held for Shift+Tab only.
    void Press(const std::string& key) override
    {
        AnswerWarning();
        const UINT code = key == "Return" ? VK_RETURN : key == "Space" ? VK_SPACE : VK_TAB;
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = key == "Shift+Tab" ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(GetFocus(), WM_KEYDOWN, code, 1);
        PostMessageW(GetFocus(), WM_KEYUP, code, 0xC0000001);
        Pump();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    std::string Text(const std::string& name) override { return TextOf(control(name)); }
    bool ShownWhole(const std::string& name) override
    {
        const HWND shown = control(name);
        if (GetWindowLongW(shown, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) // a box: from its first character
            return short(LOWORD(SendMessageW(shown, EM_POSFROMCHAR, 0, 0))) >= 0 || !GetWindowTextLengthW(shown);
        const HDC dc = GetDC(shown);
        SelectObject(dc, FontOf(name));
        const std::wstring text = platform::win32::WindowText(shown);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
        ReleaseDC(shown, dc);
        RECT inside, client, place;
        GetClientRect(shown, &inside);
        GetClientRect(form, &client);
        GetWindowRect(shown, &place);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&place), 2);
        return size.cx <= inside.right && place.right <= client.right;
    }
    std::string Selected(const std::string& name) override
    {
        PostMessageW(control(name), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(control(name), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        Pump();
        DWORD start = 0, end = 0;
        SendMessageW(control(name), EM_GETSEL, WPARAM(&start), LPARAM(&end));
        return Utf8(platform::win32::WindowText(control(name)).substr(start, end - start));
    }
    std::optional<std::string> Name(const std::string&) override
    {
        unchecked = "Wine's accessibility runtime keeps no names (IAccPropServices answers E_NOTIMPL)";
        return std::nullopt;
    }
    bool HasFocus(const std::string& name) override { return GetFocus() == control(name); }
    std::string Place(const std::string& name) override
    {
        RECT r;
        GetWindowRect(control(name), &r);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
        if (name.empty())
            GetClientRect(form, &r);
        return std::to_string(r.left) + ',' + std::to_string(r.top) + ',' + std::to_string(r.right - r.left) + ','
               + std::to_string(r.bottom - r.top);
    }

    const HWND form = platform::win32::CreateForm(Form1);
};

class Scenario : public Window, public testing::WithParamInterface<scenarios::Scenario> {};

TEST_P(Scenario, Plays)
{
    for (const scenarios::Step& step : GetParam().steps)
        ASSERT_EQ(Play(step), "");
    if (!unchecked.empty())
        std::cout << "names not checked: " << unchecked << '\n';
}

INSTANTIATE_TEST_SUITE_P(Window, Scenario, testing::ValuesIn(scenarios::kAll), [](const auto& info) {
    std::string name = info.param.name;
    std::ranges::replace_if(name, [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
});

// The controls of the form refused by a CBT hook. Windows destroys a window
// whose WM_CREATE fails with WM_DESTROY and WM_NCDESTROY; Wine sends only the
// second, so a second hook sends the first to a form whose control was
// refused, as Windows does.
HWND failing = nullptr;

LRESULT CALLBACK RefuseControls(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t parent[32] = L"";
    if (code == HCBT_CREATEWND) {
        const HWND form = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->hwndParent;
        if (GetClassNameW(form, parent, 32) && std::wstring_view(parent) == L"DischargeForm") {
            failing = form;
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK DestroyAsWindowsDoes(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT& sent = *reinterpret_cast<CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent.message == WM_CREATE && sent.hwnd == failing)
        SendMessageW(sent.hwnd, WM_DESTROY, 0, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// When a control of the form cannot be made, the start says why in a message
// box, which stays until it is answered, and ends with status 2.
TEST(Win32Start, SaysWhyTheWindowCannotBeMade)
{
    static std::string seen;
    AnswerBox(L"discharge", [](HWND box) { seen = TextOf(GetDlgItem(box, 0xFFFF)); });
    const platform::ProgramDescription program{.name = "discharge", .startupForm = &Form1};
    const OwnedHook refuse(SetWindowsHookExW(WH_CBT, RefuseControls, nullptr, GetCurrentThreadId())),
        destroy(SetWindowsHookExW(WH_CALLWNDPROCRET, DestroyAsWindowsDoes, nullptr, GetCurrentThreadId()));
    EXPECT_EQ(platform::Run(program, 0, nullptr), 2);
    EXPECT_TRUE(seen.starts_with("discharge: 无法创建程序窗口")
                && seen.find("\ndischarge: cannot create the program's window") != std::string::npos)
        << "the box said: \"" << seen << '"';
}

// At another DPI, as when the window moves to another screen, every control
// takes its place and font size for that DPI; the fonts of the former DPI
// stay alive until no control uses them, and go then.
std::vector<HFONT> oldFonts;
int staleFonts = 0; // WM_SETFONT sent while a control's former font was already gone

LRESULT CALLBACK WatchSetFont(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && reinterpret_cast<CWPSTRUCT*>(lParam)->message == WM_SETFONT)
        for (const HFONT font : oldFonts)
            staleFonts += GetObjectType(font) != OBJ_FONT;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Window, FollowsADpiChange)
{
    oldFonts = {FontOf("Text1"), FontOf("Label1")};
    const OwnedHook hook(SetWindowsHookExW(WH_CALLWNDPROC, WatchSetFont, nullptr, GetCurrentThreadId()));
    RECT suggested{0, 0, 800, 600};
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(staleFonts, 0);
    for (const HFONT font : oldFonts)
        EXPECT_EQ(GetObjectType(font), 0u) << "a font of the former DPI is left";
    // 10 pixels to 100 twips at 144 dpi, each edge rounded on its own; the text 18 pixels high.
    for (const auto& [name, place] : {std::pair{"Text1", "240,48,134,50"}, {"Label1", "24,60,194,50"},
                                      {"Command1", "48,444,122,50"}}) {
        EXPECT_EQ(Place(name), place);
        EXPECT_EQ(Font(name).lfHeight, -18) << name;
    }
}

} // namespace
