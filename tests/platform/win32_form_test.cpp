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

using platform::win32::Control;
using platform::win32::Utf8;
using platform::win32::Wide;

// COM serves the screen-reader names, on this one thread, as Run sets it up.
const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

// Whether this system's accessibility runtime keeps names given to windows:
// Windows does; Wine's answers E_NOTIMPL, and there a box's name cannot be
// read back.
bool KeepsGivenNames()
{
    static const bool keeps = [] {
        IAccPropServices* services = nullptr;
        if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, reinterpret_cast<void**>(&services))))
            return false;
        const HWND probe = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        const HRESULT result = services->SetHwndPropStr(probe, DWORD(OBJID_CLIENT), CHILDID_SELF,
                                                        PROPID_ACC_NAME, L"probe");
        services->ClearHwndProps(probe, DWORD(OBJID_CLIENT), CHILDID_SELF, &PROPID_ACC_NAME, 1);
        DestroyWindow(probe);
        services->Release();
        std::printf("names given to windows: %s (0x%08lx)\n", result == S_OK ? "kept" : "not kept", result);
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
        previous = platform::SetErrorReporter(
            [this](platform::Form&, const std::string& title, const std::string& text) {
                reports += (reports.empty() ? "" : "\n") + title + '|' + text;
            });
        form = platform::win32::CreateForm(Form1);
        ASSERT_TRUE(form);
        platform::win32::Show(form);
        Pump();
    }
    void TearDown() override
    {
        DestroyWindow(form);
        Pump();
        platform::SetErrorReporter(previous);
    }

    HWND control(const char* name) { return Control(form, name); }
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
    void Post(HWND target, UINT message, const std::string& text)
    {
        for (const wchar_t c : Wide(text))
            PostMessageW(target, message, c, 1);
        Pump();
    }
    void Play(const scenarios::Step& step);

    HWND form = nullptr;
    std::string reports;
    platform::ErrorReporter previous;
};

void Win32Form::Play(const scenarios::Step& step)
{
    using scenarios::Do;
    const HWND target = control(step.control);
    const std::string text = step.text;
    switch (step.what) {
    case Do::Type:
        SetFocus(target);
        SendMessageW(target, EM_SETSEL, 0, -1);
        Key(VK_DELETE);
        Post(target, WM_CHAR, text);
        break;
    case Do::Commit:
        SetFocus(target);
        Post(target, WM_IME_CHAR, text);
        break;
    case Do::Click:
        SendMessageW(control("Command1"), BM_CLICK, 0, 0);
        Pump();
        break;
    case Do::Focus:
        SetFocus(target);
        break;
    case Do::Press:
        Key(text == "Return" ? VK_RETURN : text == "Space" ? VK_SPACE : VK_TAB, text == "Shift+Tab");
        break;
    case Do::Shows: {
        EXPECT_EQ(TextOf(target), text) << step.control;
        // A label shows its text whole: it fits the label, and the label the form.
        wchar_t kind[16] = {};
        GetClassNameW(target, kind, 16);
        if (_wcsicmp(kind, L"Edit") == 0 && !(GetWindowLongW(target, GWL_STYLE) & ES_READONLY))
            break; // a box scrolls its text

        const HDC dc = GetDC(target);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(target, WM_GETFONT, 0, 0)));
        const std::wstring wide = Wide(text);
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), int(wide.size()), &size);
        ReleaseDC(target, dc);
        RECT inside, client;
        GetClientRect(target, &inside);
        GetClientRect(form, &client);
        const RECT place = PlaceOf(target);
        EXPECT_LE(size.cx, inside.right) << step.control;
        EXPECT_LE(place.right, client.right) << step.control;
        break;
    }
    case Do::Named: {
        if (control(step.control) != control("Command1") && !KeepsGivenNames())
            break;
        IAccessible* accessible = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(target, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&accessible)), S_OK);
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        accessible->get_accName(self, &name);
        EXPECT_EQ(name ? Utf8(name) : "", text) << step.control;
        SysFreeString(name);
        accessible->Release();
        break;
    }
    case Do::HasFocus:
        EXPECT_EQ(GetFocus(), target) << "expected " << step.control << ", focus on "
                                      << GetDlgCtrlID(GetFocus());
        break;
    case Do::Reported:
        EXPECT_EQ(reports, text);
        break;
    }
}

class Scenario : public Win32Form, public testing::WithParamInterface<scenarios::Scenario> {};

TEST_P(Scenario, Plays)
{
    for (const scenarios::Step& step : GetParam().steps) {
        Play(step);
        if (HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Window, Scenario, testing::ValuesIn(scenarios::kAll),
                         [](const auto& info) {
                             std::string name;
                             for (const char c : std::string(info.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// Every control where the description puts it, at 15 twips a pixel at 96 dpi,
// and there still when the window grows; captions in the program's own face.
TEST_F(Win32Form, PlacesSizesAndCaptionFont)
{
    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 506);
    EXPECT_EQ(client.bottom, 352);
    EXPECT_EQ(TextOf(form), "Form1");
    for (const platform::ControlDescription& described : Form1.controls) {
        const RECT place = PlaceOf(control(described.name));
        EXPECT_EQ(place.left, described.left / 15) << described.name;
        EXPECT_EQ(place.top, described.top / 15) << described.name;
        EXPECT_EQ(place.right - place.left, described.width / 15) << described.name;
        EXPECT_EQ(place.bottom - place.top, described.height / 15) << described.name;
        if (described.kind != platform::ControlKind::TextBox) {
            const HDC dc = GetDC(control(described.name));
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control(described.name), WM_GETFONT, 0, 0)));
            wchar_t face[LF_FACESIZE] = {};
            GetTextFaceW(dc, LF_FACESIZE, face);
            ReleaseDC(control(described.name), dc);
            EXPECT_EQ(Utf8(face), "Discharge Captions") << described.name;
        }
    }
    const RECT before = PlaceOf(control("Text6"));
    SetWindowPos(form, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    const RECT after = PlaceOf(control("Text6"));
    EXPECT_TRUE(EqualRect(&before, &after));
}

// A megabyte pasted into a box is kept whole and read like a short text.
TEST_F(Win32Form, PastedMegabyte)
{
    const std::wstring text = L"10000" + std::wstring((1 << 20) - 5, L' ');
    ASSERT_TRUE(OpenClipboard(form));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SetFocus(control("Text6"));
    SendMessageW(control("Text6"), WM_PASTE, 0, 0);
    EXPECT_EQ(GetWindowTextLengthW(control("Text6")), 1 << 20);
    SendMessageW(control("Command1"), BM_CLICK, 0, 0);
    EXPECT_EQ(TextOf(control("Label7")), "547500");
}

// By default an overflow shows a warning box owned by the form, titled like
// it, with the error's text and one button "确定"; the program runs on.
TEST_F(Win32Form, OverflowShowsWarningBox)
{
    platform::SetErrorReporter(previous);
    static std::string seen;
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND box = FindWindowW(L"#32770", L"Form1");
        if (!box)
            return;
        KillTimer(nullptr, timer);
        wchar_t text[200] = {}, button[20] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 200);
        GetDlgItemTextW(box, IDOK, button, 20);
        seen = Utf8(text) + "|" + Utf8(button) + "|" + std::to_string(GetWindow(box, GW_OWNER) != nullptr);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    SetWindowTextW(control("Text1"), L"1e999");
    SendMessageW(control("Command1"), BM_CLICK, 0, 0);
    EXPECT_EQ(seen, "溢出：计算结果超出数值范围。|确定|1");
    EXPECT_TRUE(IsWindow(form));
}

} // namespace
