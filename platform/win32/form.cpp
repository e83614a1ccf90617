#include "platform/backend.h"
#include "platform/win32/form.h"
#include "platform/win32/handles.h"

#include <oleacc.h>

#include <algorithm>
#include <memory>

namespace platform::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"DischargeForm";
// A control's ID is its place in tab order plus this, clear of IDOK and IDCANCEL.
constexpr int kFirstId = 100;
// The captions' own face, embedded in the program (LoadCaptionFont).
constexpr wchar_t kCaptionFace[] = L"Discharge Captions";

// Windows 10's calls, where they exist; Windows 7 has neither.
template <class Function>
Function* User32(const char* name)
{
    return reinterpret_cast<Function*>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT DpiOf(HWND window)
{
    static const auto getDpiForWindow = User32<UINT WINAPI(HWND)>("GetDpiForWindow");
    if (getDpiForWindow)
        return getDpiForWindow(window);
    const HDC screen = GetDC(nullptr);
    const UINT dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void AdjustForDpi(RECT& rect, DWORD style, UINT dpi)
{
    static const auto adjustForDpi =
        User32<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (adjustForDpi)
        adjustForDpi(&rect, style, FALSE, 0, dpi);
    else
        AdjustWindowRectEx(&rect, style, FALSE, 0);
}

// The captions' face, embedded in the program so that they show on any
// Windows; private to this process.
OwnedFontResource LoadCaptionFont()
{
    const HRSRC found = FindResourceW(nullptr, L"CAPTIONS", MAKEINTRESOURCEW(10)); // RT_RCDATA
    const HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    if (!loaded)
        return nullptr;
    DWORD fonts = 0;
    return OwnedFontResource(AddFontMemResourceEx(LockResource(loaded),
                                                  SizeofResource(nullptr, found), nullptr, &fonts));
}

class Win32Form final : public Form {
public:
    explicit Win32Form(const FormDescription& description)
        : description_(description)
    {
    }

    std::string Caption() const override { return Utf8(WindowText(window_)); }
    std::string Text(std::string_view box) const override
    {
        return Utf8(WindowText(Control(window_, box)));
    }
    void SetCaption(std::string_view label, std::string_view text) override
    {
        SetWindowTextW(Control(window_, label), Wide(text).c_str());
        Layout();
    }

    HWND window() const { return window_; }
    HWND Child(std::size_t index) const { return GetDlgItem(window_, kFirstId + int(index)); }
    int IndexOf(std::string_view name) const
    {
        const auto& controls = description_.controls;
        return int(std::find_if(controls.begin(), controls.end(),
                                [name](const ControlDescription& c) { return c.name == name; })
                   - controls.begin());
    }

    bool OnCreate(HWND window);
    void OnDestroy();
    void OnCommand(int id, int code);
    void OnActivate(bool active);
    void OnDpiChanged(UINT dpi, const RECT& suggested);

private:
    int Scale(int twips) const { return MulDiv(twips, int(dpi_), 1440); }
    void MakeFonts();
    void Layout();
    int TextWidth(HWND control) const;
    void NameBoxes();

    const FormDescription& description_;
    HWND window_ = nullptr;
    bool created_ = false; // WM_CREATE succeeded: the form is the program's window
    HWND focus_ = nullptr; // the control that had the focus when the form was last active
    UINT dpi_ = 96;
    OwnedFont captionFont_, boxFont_;
    ComPtr<IAccPropServices> accessibility_;
};

bool Win32Form::OnCreate(HWND window)
{
    window_ = window;
    dpi_ = DpiOf(window);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (std::size_t i = 0; i < description_.controls.size(); ++i) {
        const ControlDescription& control = description_.controls[i];
        const wchar_t* windowClass = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE, exStyle = 0;
        switch (control.kind) {
        case ControlKind::TextBox:
            windowClass = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Label:
            // A selectable label is a read-only box without a frame: it can be
            // selected and copied, and is not in the Tab order.
            windowClass = control.selectable ? L"EDIT" : L"STATIC";
            style |= control.selectable ? ES_READONLY | ES_AUTOHSCROLL : SS_LEFT | SS_NOPREFIX;
            break;
        case ControlKind::Button:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON;
            break;
        }
        const HWND child = CreateWindowExW(
            exStyle, windowClass, Wide(control.text).c_str(), style, 0, 0, 0, 0, window,
            reinterpret_cast<HMENU>(INT_PTR(kFirstId + i)), instance, nullptr);
        if (!child)
            return false;
        // No length limit (the default is 30,000 characters).
        if (control.kind == ControlKind::TextBox)
            SendMessageW(child, EM_SETLIMITTEXT, 0, 0);
        if (!focus_ && (style & WS_TABSTOP))
            focus_ = child;
    }
    NameBoxes();
    MakeFonts();
    // The caret after each box's text, as a first click leaves it; placed
    // once the boxes have their size, so that no text is scrolled away.
    for (std::size_t i = 0; i < description_.controls.size(); ++i)
        if (description_.controls[i].kind == ControlKind::TextBox)
            SendMessageW(Child(i), EM_SETSEL, GetWindowTextLengthW(Child(i)), GetWindowTextLengthW(Child(i)));
    RECT frame{0, 0, Scale(description_.width), Scale(description_.height)};
    AdjustForDpi(frame, GetWindowLongW(window, GWL_STYLE), dpi_);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    created_ = true;
    return true;
}

// Closing the form ends the message loop. A form that failed in WM_CREATE is
// destroyed by CreateWindowEx itself, before any loop runs: a WM_QUIT posted
// then would end the next modal loop instead, the message box that says why.
void Win32Form::OnDestroy()
{
    if (created_)
        PostQuitMessage(0);
}

// Windows names a box after the static text just before it in creation
// order, which the tab order breaks here: name each box after its caption.
void Win32Form::NameBoxes()
{
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services))))
        return;
    accessibility_.reset(services);
    for (const ControlDescription& control : description_.controls)
        if (control.names)
            services->SetHwndPropStr(Control(window_, control.names), DWORD(OBJID_CLIENT),
                                     CHILDID_SELF, PROPID_ACC_NAME, Wide(control.text).c_str());
}

// The captions in the program's own face; the boxes, which may hold any
// text, in the desktop's message font. Both 12 pixels at 96 dpi.
void Win32Form::MakeFonts()
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(12, int(dpi_), 96);
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcscpy_s(font.lfFaceName, kCaptionFace);
    OwnedFont captions(CreateFontIndirectW(&font));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        wcscpy_s(font.lfFaceName, metrics.lfMessageFont.lfFaceName);
    OwnedFont boxes(CreateFontIndirectW(&font));
    for (std::size_t i = 0; i < description_.controls.size(); ++i) {
        const bool box = description_.controls[i].kind == ControlKind::TextBox;
        SendMessageW(Child(i), WM_SETFONT, reinterpret_cast<WPARAM>(box ? boxes.get() : captions.get()), FALSE);
    }
    // Fonts of a former DPI are deleted only now that no control uses them.
    captionFont_ = std::move(captions);
    boxFont_ = std::move(boxes);
    Layout();
}

// Every control at its described place and size; a label whose text is
// longer widens to the right, up to the form's described width.
void Win32Form::Layout()
{
    for (std::size_t i = 0; i < description_.controls.size(); ++i) {
        const ControlDescription& control = description_.controls[i];
        const HWND child = Child(i);
        int width = Scale(control.width);
        if (control.kind == ControlKind::Label)
            width = std::clamp(TextWidth(child), width, Scale(description_.width - control.left));
        SetWindowPos(child, nullptr, Scale(control.left), Scale(control.top), width,
                     Scale(control.height), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window_, nullptr, TRUE);
}

// The width a control needs to show its text on one line.
int Win32Form::TextWidth(HWND control) const
{
    const std::wstring text = WindowText(control);
    const HDC dc = GetDC(control);
    const HGDIOBJ before = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, before);
    ReleaseDC(control, dc);
    const DWORD margins = DWORD(SendMessageW(control, EM_GETMARGINS, 0, 0)); // 0 for static text
    return int(size.cx + LOWORD(margins) + HIWORD(margins)) + 1;
}

void Win32Form::OnCommand(int id, int code)
{
    // Enter comes as IDOK: it presses the focused button, and does nothing in a box.
    if (id == IDOK && GetParent(GetFocus()) == window_) {
        id = GetDlgCtrlID(GetFocus());
        code = BN_CLICKED;
    }
    const std::size_t index = std::size_t(id - kFirstId);
    if (code == BN_CLICKED && index < description_.controls.size()
        && description_.controls[index].click)
        description_.controls[index].click(*this);
}

// The focus leaves with the form and comes back to the same control.
void Win32Form::OnActivate(bool active)
{
    if (!active) {
        if (const HWND focus = GetFocus(); focus && IsChild(window_, focus))
            focus_ = focus;
    } else if (focus_) {
        SetFocus(focus_);
    }
}

void Win32Form::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    dpi_ = dpi;
    MakeFonts();
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE: {
        // The window takes the form over from CreateForm.
        auto* owner = static_cast<std::unique_ptr<Win32Form>*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(owner->release()));
        break;
    }
    case WM_CREATE:
        return form->OnCreate(window) ? 0 : -1;
    case WM_COMMAND:
        form->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        form->OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_DPICHANGED:
        form->OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        form->OnDestroy();
        return 0;
    case WM_NCDESTROY:
        delete form;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

HWND CreateForm(const FormDescription& description)
{
    static const OwnedFontResource captions = LoadCaptionFont();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    if (!GetClassInfoExW(instance, kFormClass, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = FormProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        windowClass.hIconSm = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON), 0));
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kFormClass;
        if (!RegisterClassExW(&windowClass))
            return nullptr;
    }
    // The window owns the form from WM_NCCREATE on, and deletes it at
    // WM_NCDESTROY; a window that fails before that leaves it here.
    auto form = std::make_unique<Win32Form>(description);
    return CreateWindowExW(0, kFormClass, Wide(description.caption).c_str(), WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                           nullptr, instance, &form);
}

std::wstring WindowText(HWND window)
{
    std::wstring text(GetWindowTextLengthW(window), L'\0');
    GetWindowTextW(window, text.data(), int(text.size() + 1));
    return text;
}

void Show(HWND form)
{
    ShowWindow(form, SW_SHOWDEFAULT);
    UpdateWindow(form);
}

HWND Control(HWND form, std::string_view name)
{
    const auto* owner = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(form, GWLP_USERDATA));
    return owner ? GetDlgItem(form, kFirstId + owner->IndexOf(name)) : nullptr;
}

void Dispatch(MSG& message)
{
    // Tab, Shift+Tab and Enter move between and press controls, as in a dialog box.
    const HWND form = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (form && IsDialogMessageW(form, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

namespace {

// The message box's button reads kWarningButton whatever the language of Windows.
LRESULT CALLBACK NameOkButton(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE)
        SetDlgItemTextW(reinterpret_cast<HWND>(wParam), IDOK, Wide(kWarningButton).c_str());
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

} // namespace platform::win32

void platform::ShowWarningBox(Form& form, const std::string& title, const std::string& text)
{
    const auto* window = dynamic_cast<win32::Win32Form*>(&form);
    const win32::OwnedHook hook(
        SetWindowsHookExW(WH_CBT, win32::NameOkButton, nullptr, GetCurrentThreadId()));
    MessageBoxW(window ? window->window() : nullptr, win32::Wide(text).c_str(),
                win32::Wide(title).c_str(), MB_OK | MB_ICONWARNING);
}
