#include "platform/abstract_form.h"
#include "platform/win32/form.h"
#include "platform/win32/handles.h"

#include <oleacc.h>

#include <memory>
#include <vector>

namespace platform::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"DischargeForm";
// A control's ID is its place in tab order plus this, clear of IDOK and IDCANCEL.
constexpr int kFirstId = 100;

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
    const HRSRC found = FindResourceW(nullptr, L"CAPTIONS", RT_RCDATA);
    const HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    if (!loaded)
        return nullptr;
    DWORD fonts = 0;
    return OwnedFontResource(AddFontMemResourceEx(LockResource(loaded),
                                                  SizeofResource(nullptr, found), nullptr, &fonts));
}

// The message box's button reads kWarningButton whatever the language of Windows.
LRESULT CALLBACK NameOkButton(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE)
        SetDlgItemTextW(reinterpret_cast<HWND>(wParam), IDOK, Wide(kWarningButton).c_str());
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Move(HWND control, const Rect& place)
{
    SetWindowPos(control, nullptr, place.left, place.top, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Laid out at 96 dpi until its window has a DPI of its own.
class Win32Form final : public AbstractForm {
public:
    using AbstractForm::AbstractForm;

    void ShowWarning(const std::string& title, const std::string& text) override
    {
        const OwnedHook hook(SetWindowsHookExW(WH_CBT, NameOkButton, nullptr, GetCurrentThreadId()));
        MessageBoxW(window_, Wide(text).c_str(), Wide(title).c_str(), MB_OK | MB_ICONWARNING);
    }

    HWND Child(std::size_t index) const { return index < children_.size() ? children_[index] : nullptr; }

    bool OnCreate(HWND window);
    void OnDestroy();
    void OnCommand(int id, int code);
    void OnActivate(bool active);
    void OnDpiChanged(UINT dpi, const RECT& suggested);

private:
    std::string BoxText(std::size_t index) const override { return Utf8(WindowText(children_[index])); }
    int TextWidth(std::size_t index, std::string_view text) const override;
    // The label's new text, and its new width: only the label is repainted.
    void ShowCaption(std::size_t index, std::string_view text, const Rect& place) override
    {
        SetWindowTextW(children_[index], Wide(text).c_str());
        Move(children_[index], place);
    }

    HWND CreateControl(std::size_t index);
    void NameBoxes();
    void Layout(UINT dpi);

    HWND window_ = nullptr;
    std::vector<HWND> children_; // in tab order
    bool created_ = false;       // WM_CREATE succeeded: the form is the program's window
    HWND focus_ = nullptr;       // the control that had the focus when the form was last active
    OwnedFont captionFont_, boxFont_;
    ComPtr<IAccPropServices> accessibility_;
};

bool Win32Form::OnCreate(HWND window)
{
    window_ = window;
    for (std::size_t i = 0; i < description().controls.size(); ++i)
        if (!children_.emplace_back(CreateControl(i)))
            return false;
    focus_ = children_[formLayout().FirstFocus()];
    NameBoxes();
    const UINT dpi = DpiOf(window);
    Layout(dpi);
    // The caret after each box's text, as a first click leaves it; placed
    // once the boxes have their size, so that no text is scrolled away.
    for (std::size_t i = 0; i < children_.size(); ++i)
        if (description().controls[i].kind == ControlKind::TextBox)
            SendMessageW(children_[i], EM_SETSEL, GetWindowTextLengthW(children_[i]), GetWindowTextLengthW(children_[i]));
    const Rect client = formLayout().Client();
    RECT frame{0, 0, client.width, client.height};
    AdjustForDpi(frame, GetWindowLongW(window, GWL_STYLE), dpi);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    created_ = true;
    return true;
}

// A control as its description has it, placed by Layout. A control's ID is
// its place in tab order plus kFirstId.
HWND Win32Form::CreateControl(std::size_t index)
{
    const ControlDescription& control = description().controls[index];
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
    const HWND child = CreateWindowExW(exStyle, windowClass, Wide(control.text).c_str(), style, 0, 0, 0, 0, window_,
                                       reinterpret_cast<HMENU>(INT_PTR(kFirstId + index)), GetModuleHandleW(nullptr),
                                       nullptr);
    // No length limit (the default is 30,000 characters).
    if (child && control.kind == ControlKind::TextBox)
        SendMessageW(child, EM_SETLIMITTEXT, 0, 0);
    return child;
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
    for (std::size_t i = 0; i < children_.size(); ++i)
        if (const auto box = formLayout().Buddy(i))
            services->SetHwndPropStr(children_[*box], DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                     Wide(description().controls[i].text).c_str());
}

// The form at `dpi`, on creation and whenever the window moves to a screen
// of another DPI: the captions in the program's own face, the boxes, which
// may hold any text, in the desktop's message font, and every control at its
// place, each label as wide as its text needs.
void Win32Form::Layout(UINT dpi)
{
    Rescale(int(dpi));
    LOGFONTW font{};
    font.lfHeight = -MulDiv(kTextPixels, int(dpi), 96);
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    MultiByteToWideChar(CP_UTF8, 0, kFaces[0], -1, font.lfFaceName, LF_FACESIZE);
    OwnedFont captions(CreateFontIndirectW(&font));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        wcscpy_s(font.lfFaceName, metrics.lfMessageFont.lfFaceName);
    OwnedFont boxes(CreateFontIndirectW(&font));
    for (std::size_t i = 0; i < children_.size(); ++i) {
        const bool box = description().controls[i].kind == ControlKind::TextBox;
        SendMessageW(children_[i], WM_SETFONT, reinterpret_cast<WPARAM>(box ? boxes.get() : captions.get()), TRUE);
    }
    // Fonts of a former DPI are deleted only now that no control uses them.
    captionFont_ = std::move(captions);
    boxFont_ = std::move(boxes);
    // Only a label's text is measured: a box may hold a megabyte.
    for (std::size_t i = 0; i < children_.size(); ++i) {
        const bool label = description().controls[i].kind == ControlKind::Label;
        Move(children_[i], formLayout().Fit(i, label ? TextWidth(i, BoxText(i)) : 0));
    }
}

// The captions' font measures the text; a selectable label, a read-only box,
// adds its margins and a pixel for the caret.
int Win32Form::TextWidth(std::size_t index, std::string_view text) const
{
    const std::wstring wide = Wide(text);
    const HDC dc = GetDC(window_);
    const HGDIOBJ before = SelectObject(dc, captionFont_.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), int(wide.size()), &size);
    SelectObject(dc, before);
    ReleaseDC(window_, dc);
    if (!description().controls[index].selectable)
        return int(size.cx);
    const DWORD margins = DWORD(SendMessageW(children_[index], EM_GETMARGINS, 0, 0));
    return int(size.cx + LOWORD(margins) + HIWORD(margins)) + 1;
}

void Win32Form::OnCommand(int id, int code)
{
    // Enter comes as IDOK: it presses the focused button, and does nothing in a box.
    if (id == IDOK && GetParent(GetFocus()) == window_) {
        id = GetDlgCtrlID(GetFocus());
        code = BN_CLICKED;
    }
    if (code == BN_CLICKED && id >= kFirstId)
        Click(std::size_t(id - kFirstId));
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
    Layout(dpi);
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
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
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

HWND Control(HWND form, std::string_view name)
{
    const auto* owner = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(form, GWLP_USERDATA));
    return owner ? owner->Child(owner->formLayout().IndexOf(name)) : nullptr;
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

} // namespace platform::win32
