// The Win32 window's driver of the window scenarios, and what only a window
// can show: places and sizes, the caption font, a pasted megabyte, the
// warning box. Keys and characters are posted to the focused control and go
// through the program's own message handling.
#include "platform/win32/form.h"
#include "tests/ui/scenarios.h"
#include "ui/Form1.h"

#include <gtest/gtest.h>

#include <oleacc.h>

namespace {

using platform::win32::Utf8;
using platform::win32::Wide;

// COM serves the screen-reader names, on this one thread, as Run sets it up.
const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

// Whether this system keeps names given to windows for screen readers:
// Windows does; Wine's accessibility runtime answers E_NOTIMPL.
bool KeepsGivenNames()
{
    static const bool keeps = [] {
        IAccPropServices* services = nullptr;
        CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                         reinterpret_cast<void**>(&services));
        const HRESULT result = services->SetHwndPropStr(GetDesktopWindow(), DWORD(OBJID_CLIENT),
                                                        CHILDID_SELF, PROPID_ACC_DESCRIPTION, L"");
        services->Release();
        std::printf("names given to windows are %s (0x%08lx)\n", result == S_OK ? "kept" : "not kept", result);
        return result == S_OK;
    }();
    return keeps;
}

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        platform::win32::Dispatch(message);
}

std::string TextOf(HWND window)
{
    std::wstring text(GetWindowTextLengthW(window), L'\0');
    GetWindowTextW(window, text.data(), int(text.size() + 1));
    return Utf8(text);
}

RECT PlaceOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class Win32Form : public testing::Test {
protected:
    void SetUp() override
    {
        shown = platform::SetErrorReporter([this](platform::Form&, const std::string& title,
                                                  const std::string& text) {
            reports += (reports.empty() ? "" : "\n") + title + '|' + text;
        });
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

    HWND control(const char* name) { return platform::win32::Control(form, name); }
    void Click()
    {
        SendMessageW(control("Command1"), BM_CLICK, 0, 0);
        Pump();
    }
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
    void Post(HWND target, UINT message, const char* text)
    {
        SetFocus(target);
        for (const wchar_t c : Wide(text))
            PostMessageW(target, message, c, 1);
        Pump();
    }
    // A label shows its whole text: it fits the label, and the label the form.
    void ExpectWhole(HWND label, const char* text)
    {
        wchar_t kind[16] = {};
        GetClassNameW(label, kind, 16);
        if (_wcsicmp(kind, L"Edit") == 0 && !(GetWindowLongW(label, GWL_STYLE) & ES_READONLY))
            return; // a box scrolls its text
        const HDC dc = GetDC(label);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, Wide(text).c_str(), int(Wide(text).size()), &size);
        ReleaseDC(label, dc);
        RECT inside, client;
        GetClientRect(label, &inside);
        GetClientRect(form, &client);
        EXPECT_LE(size.cx, inside.right);
        EXPECT_LE(PlaceOf(label).right, client.right);
    }
    void ExpectNamed(HWND target, const char* name)
    {
        IAccessible* accessible = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(target, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&accessible)), S_OK);
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR got = nullptr;
        accessible->get_accName(self, &got);
        EXPECT_EQ(got ? Utf8(got) : "", name);
        SysFreeString(got);
        accessible->Release();
    }

    void Play(const scenarios::Step& step)
    {
        using scenarios::Do;
        const HWND target = control(step.control);
        const std::string_view text = step.text;
        switch (step.what) {
        case Do::Type:
            SetFocus(target);
            SendMessageW(target, EM_SETSEL, 0, -1);
            Key(VK_DELETE);
            Post(target, WM_CHAR, step.text);
            break;
        case Do::Commit:
            Post(target, WM_IME_CHAR, step.text);
            break;
        case Do::Click:
            Click();
            break;
        case Do::Focus:
            SetFocus(target);
            break;
        case Do::Press:
            Key(text == "Return" ? VK_RETURN : text == "Space" ? VK_SPACE : VK_TAB, text == "Shift+Tab");
            break;
        case Do::Shows:
            EXPECT_EQ(TextOf(target), text);
            ExpectWhole(target, step.text);
            break;
        case Do::Named: // a button is named by its own text, a box only by what it is given
            if (target == control("Command1") || KeepsGivenNames())
                ExpectNamed(target, step.text);
            break;
        case Do::HasFocus:
            EXPECT_EQ(GetFocus(), target);
            break;
        case Do::Reported:
            EXPECT_EQ(reports, text);
            break;
        }
    }

    HWND form = nullptr;
    std::string reports;
    platform::ErrorReporter shown;
};

class Scenario : public Win32Form, public testing::WithParamInterface<scenarios::Scenario> {};

TEST_P(Scenario, Plays)
{
    for (const scenarios::Step& step : GetParam().steps) {
        SCOPED_TRACE(std::string(step.control) + " " + step.text);
        Play(step);
        if (HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Window, Scenario, testing::ValuesIn(scenarios::kAll), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

// Every control where the description puts it, at 15 twips a pixel at 96 dpi,
// and there still when the window grows; captions in the program's own face.
TEST_F(Win32Form, PlacesSizesAndCaptionFont)
{
    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right * 1000 + client.bottom, 506352);
    EXPECT_EQ(TextOf(form), "Form1");
    for (const platform::ControlDescription& described : Form1.controls) {
        const HWND child = control(described.name);
        const RECT place = PlaceOf(child);
        const RECT expected{described.left / 15, described.top / 15,
                            (described.left + described.width) / 15, (described.top + described.height) / 15};
        EXPECT_TRUE(EqualRect(&place, &expected)) << described.name;
        const HDC dc = GetDC(child);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)));
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, face);
        ReleaseDC(child, dc);
        if (described.kind != platform::ControlKind::TextBox) {
            EXPECT_EQ(Utf8(face), "Discharge Captions") << described.name;
        }
    }
    const RECT before = PlaceOf(control("Text6"));
    SetWindowPos(form, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    const RECT after = PlaceOf(control("Text6"));
    EXPECT_TRUE(EqualRect(&before, &after));
}

// A megabyte pasted into a box is kept whole and read like a short text.
TEST_F(Win32Form, PastedMegabyte)
{
    const std::wstring text = L"10000" + std::wstring((1 << 20) - 5, L' ');
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(form) && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory));
    CloseClipboard();
    SendMessageW(control("Text6"), WM_PASTE, 0, 0);
    EXPECT_EQ(GetWindowTextLengthW(control("Text6")), 1 << 20);
    Click();
    EXPECT_EQ(TextOf(control("Label7")), "547500");
}

// By default an overflow shows a warning box owned by the form, titled like
// it, with the error's text and one button "确定"; the program runs on.
TEST_F(Win32Form, OverflowShowsWarningBox)
{
    platform::SetErrorReporter(shown);
    static std::string seen;
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND box = FindWindowW(L"#32770", L"Form1");
        KillTimer(nullptr, timer);
        wchar_t text[100] = {}, button[20] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 100);
        GetDlgItemTextW(box, IDOK, button, 20);
        seen = Utf8(text) + "|" + Utf8(button) + (GetWindow(box, GW_OWNER) ? "|owned" : "|not owned");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    SetWindowTextW(control("Text1"), L"1e999");
    Click();
    EXPECT_EQ(seen, "溢出：计算结果超出数值范围。|确定|owned");
    EXPECT_TRUE(IsWindowVisible(form));
}

} // namespace
