#include "framework/CHfcWindow.h"

#include "foundation/EfUtility.h"
#include "foundation/win32/EfWin32Utility.h"
#include "framework/CHfcAppBase.h"
#include "framework/CHfcDrawContext.h"
#include "framework/CHfcDropTarget.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcKeyFocus.h"
#include "framework/CHfcMenuBar.h"
#include "framework/CHfcMouse.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/CHfcWindowLayer.h"
#include "framework/HfcMessageBox.h"

#include <algorithm>
#include <cstring>

namespace
{
// The signed point of a mouse message (windowsx.h is not used: its macros take the names of
// the window's style operations).
int32_t PointX(LPARAM lParam)
{
    return static_cast<int16_t>(LOWORD(lParam));
}
int32_t PointY(LPARAM lParam)
{
    return static_cast<int16_t>(HIWORD(lParam));
}

// Marks the HWNDs that carry a window object of this framework.
const char kObjectProperty[] = "CHfcWindowObject";

CHfcErrorBoxOnce g_mouseMissing("Mouse=0");
CHfcErrorBoxOnce g_keyMissing("Key=0");

uint32_t ModifiersFrom(WPARAM keyState)
{
    uint32_t modifiers = 0;
    if (keyState & MK_SHIFT)
        modifiers |= kModifierShift;
    if (keyState & MK_CONTROL)
        modifiers |= kModifierControl;
    if (GetAsyncKeyState(VK_MENU) < 0)
        modifiers |= kModifierAlt;
    return modifiers;
}

HfcMouseEvent EventFrom(UINT message)
{
    switch (message)
    {
    case WM_LBUTTONDOWN:
        return HfcMouseEvent::LeftDown;
    case WM_LBUTTONDBLCLK:
        return HfcMouseEvent::LeftDoubleClick;
    case WM_LBUTTONUP:
        return HfcMouseEvent::LeftUp;
    case WM_RBUTTONDOWN:
        return HfcMouseEvent::RightDown;
    case WM_RBUTTONDBLCLK:
        return HfcMouseEvent::RightDoubleClick;
    case WM_RBUTTONUP:
        return HfcMouseEvent::RightUp;
    case WM_MBUTTONDOWN:
        return HfcMouseEvent::MiddleDown;
    case WM_MBUTTONDBLCLK:
        return HfcMouseEvent::MiddleDoubleClick;
    case WM_MBUTTONUP:
        return HfcMouseEvent::MiddleUp;
    default:
        return HfcMouseEvent::Move;
    }
}

// Backspace, Enter, Escape, the arrows and Delete come from key-down messages, every other
// character from character messages.
bool IsNavigationKey(WPARAM key)
{
    return key == 8 || key == 13 || key == 27 || (key >= 37 && key <= 40) || key == 46;
}

bool Contains(const CHfcRect& r, int32_t x, int32_t y)
{
    return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}
} // namespace

DWORD CHfcWindow::GetStyleFromFlags(uint32_t flags)
{
    DWORD style = 0;
    if (flags & kStyleCaption)
        style |= 0x00C80000; // WS_CAPTION | WS_SYSMENU
    if (flags & kStyleMaximizeBox)
        style |= 0x00010000;
    if (flags & kStyleCaptionMaximizeBox)
        style |= 0x00C10000;
    if (flags & kStyleCaptionMinimizeBox)
        style |= 0x00C20000;
    if (flags & kStyleSizingBorder)
        style |= 0x00040000;
    return style;
}

CHfcWindow::CHfcWindow() : m_keyFocus(std::make_unique<CHfcKeyFocus>()) {}

CHfcWindow::~CHfcWindow()
{
    // A window object deleted before its HWND: the HWND forgets it first, so no message can
    // reach the freed object.
    if (m_hwnd)
    {
        const HWND hwnd = m_hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        RemovePropA(hwnd, kObjectProperty);
        m_hwnd = nullptr;
        DestroyWindow(hwnd);
    }
    RemoveAllLayers(false);
    m_rootLayer.reset();
}

CHfcWindow* CHfcWindow::FromHwnd(HWND hwnd)
{
    return hwnd ? static_cast<CHfcWindow*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

void CHfcWindow::Attach(HWND hwnd)
{
    m_hwnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetPropA(hwnd, kObjectProperty, this);
}

LRESULT CALLBACK CHfcWindow::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (auto* window = static_cast<CHfcWindow*>(create->lpCreateParams))
        {
            window->Attach(hwnd);
            return window->WindowProc(message, wParam, lParam);
        }
    }
    auto* window = reinterpret_cast<CHfcWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return window ? window->WindowProc(message, wParam, lParam)
                  : DefWindowProcA(hwnd, message, wParam, lParam);
}

bool CHfcWindow::RegisterClassOnce(const char* name, UINT style, WNDPROC procedure)
{
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    const HINSTANCE instance = CHfcAppBase::GetInstanceHandle();
    if (GetClassInfoExA(instance, name, &info))
        return true;
    info = {};
    info.cbSize = sizeof info;
    info.style = style;
    info.lpfnWndProc = procedure;
    info.hInstance = instance;
    info.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));     // IDI_APPLICATION
    info.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    info.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    info.lpszClassName = name;
    return RegisterClassExA(&info) != 0;
}

bool CHfcWindow::RegisterWindowClass()
{
    return RegisterClassOnce(GetWindowClassName(), CS_DBLCLKS, StaticWindowProc);
}

const char* CHfcWindow::GetWindowClassName()
{
    return "CHfcWindow";
}

SIZE CHfcWindow::GetOuterSize(int32_t width, int32_t height, bool hasMenu)
{
    DWORD style = GetWindowStyle(), exStyle = GetWindowExStyle();
    if (m_hwnd)
    {
        style = static_cast<DWORD>(GetWindowLongPtrA(m_hwnd, GWL_STYLE));
        exStyle = static_cast<DWORD>(GetWindowLongPtrA(m_hwnd, GWL_EXSTYLE));
    }
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, style, hasMenu, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

RECT CHfcWindow::GetCreationRect(int32_t x, int32_t y, int32_t width, int32_t height, DWORD style,
                                 DWORD exStyle, bool hasMenu)
{
    if (x == 0 && y == 0 && width == 0 && height == 0)
        return {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, style, hasMenu, exStyle);
    return {x, y, r.right - r.left, r.bottom - r.top};
}

bool CHfcWindow::Create(int32_t x, int32_t y, int32_t width, int32_t height, const char* title,
                        uint32_t flags, CHfcMenuBar* menuBar, CHfcWindow* parent)
{
    if (m_hwnd)
        return false;
    m_parent = parent;
    m_menuBar = menuBar;
    const DWORD style = GetStyleFromFlags(flags) | GetWindowStyle();
    const DWORD exStyle = GetWindowExStyle();
    const RECT outer = GetCreationRect(x, y, width, height, style, exStyle, menuBar != nullptr);
    HWND hwnd = nullptr;
    if (RegisterWindowClass())
        hwnd =
            CreateWindowExA(exStyle, GetWindowClassName(), title ? title : "", style, outer.left, outer.top,
                            outer.right, outer.bottom, parent ? parent->GetHwnd() : nullptr,
                            menuBar ? menuBar->GetMenu() : nullptr, CHfcAppBase::GetInstanceHandle(), this);
    if (!hwnd)
    {
        m_parent = nullptr;
        m_menuBar = nullptr;
        return false;
    }
    if (!m_rootLayer)
        CreateRootLayer();
    return true;
}

bool CHfcWindow::Destroy()
{
    return m_hwnd && DestroyWindow(m_hwnd);
}

bool CHfcWindow::Show()
{
    if (!m_hwnd)
        return false;
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    return true;
}

bool CHfcWindow::Hide()
{
    if (!m_hwnd)
        return false;
    ShowWindow(m_hwnd, SW_HIDE);
    return true;
}

bool CHfcWindow::BringToFront()
{
    if (m_hwnd)
        SetForegroundWindow(m_hwnd);
    return false;
}

bool CHfcWindow::Minimize()
{
    return m_hwnd && CloseWindow(m_hwnd);
}

bool CHfcWindow::Restore()
{
    return m_hwnd && OpenIcon(m_hwnd);
}

void CHfcWindow::Invalidate(const CHfcRect* rect)
{
    if (!m_hwnd)
        return;
    if (rect)
    {
        const RECT r = {rect->left, rect->top, rect->right, rect->bottom};
        InvalidateRect(m_hwnd, &r, FALSE);
    }
    else
        InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CHfcWindow::AddDirtyRect(const CHfcRect* rect)
{
    CHfcRect added;
    if (rect)
        added = *rect;
    else
        GetClientRect(added);
    if (m_dirty.GetWidth() <= 0)
        m_dirty = added;
    else
        m_dirty.Union(m_dirty, added);
}

void CHfcWindow::FlushDirty()
{
    const CHfcRect dirty = m_dirty;
    m_dirty = CHfcRect();
    if (dirty.GetWidth() >= 1 && dirty.GetHeight() >= 1)
        Recompose(dirty, true);
}

void CHfcWindow::Recompose(const CHfcRect& rect, bool now)
{
    if (!m_rootLayer)
        return;
    if (!now)
    {
        AddDirtyRect(&rect);
        return;
    }
    CHfcRect r = rect;
    r.left = MaxValue(r.left, 0);
    r.top = MaxValue(r.top, 0);
    if (r.GetWidth() <= 0 || r.GetHeight() <= 0)
        return;
    CHfcOffscreenContext* root = m_rootLayer->GetOffscreen();
    if (!root)
        return;
    // One lock of the root surface for the whole composition; the blits nest inside it.
    CHfcBmpLock rootLock(root->GetBitmap());
    root->ClearRect(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.GetWidth()),
                    static_cast<float>(r.GetHeight()));
    for (CHfcWindowLayer* layer : m_layers)
    {
        CHfcOffscreenContext* surface = layer->GetOffscreen();
        if (!layer->IsVisible() || !surface)
            continue;
        const CHfcRect& l = layer->GetRect();
        const int32_t left = MaxValue(r.left, l.left), top = MaxValue(r.top, l.top);
        const int32_t right = MinValue(r.right, l.right), bottom = MinValue(r.bottom, l.bottom);
        if (right > left && bottom > top)
            surface->CopyTo(root, left, top, right - left, bottom - top, left - l.left, top - l.top);
    }
    Invalidate(&r);
}

bool CHfcWindow::GetWindowRect(CHfcRect& rect)
{
    RECT r;
    if (!m_hwnd || !::GetWindowRect(m_hwnd, &r))
        return false;
    rect.Set(r.left, r.top, r.right, r.bottom);
    return true;
}

bool CHfcWindow::GetClientRect(CHfcRect& rect)
{
    RECT r;
    if (!m_hwnd || !::GetClientRect(m_hwnd, &r))
        return false;
    rect.Set(0, 0, r.right - r.left, r.bottom - r.top);
    return true;
}

bool CHfcWindow::SetClientSize(int32_t width, int32_t height)
{
    if (!m_hwnd)
        return false;
    const SIZE outer = GetOuterSize(width, height, GetMenu(m_hwnd) != nullptr);
    return SetWindowPos(m_hwnd, nullptr, 0, 0, outer.cx, outer.cy,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
}

bool CHfcWindow::CreateRootLayer()
{
    if (m_rootLayer)
        return false;
    CHfcRect client;
    GetClientRect(client);
    auto root = std::make_unique<CHfcWindowLayer>();
    if (!root->Create(0, 0, client.GetWidth(), client.GetHeight(), nullptr))
        return false;
    m_rootLayer = std::move(root);
    return true;
}

bool CHfcWindow::DestroyRootLayer()
{
    RemoveAllLayers(false);
    m_rootLayer.reset();
    return true;
}

bool CHfcWindow::OnCreate()
{
    return CreateRootLayer();
}

bool CHfcWindow::OnDestroy()
{
    return DestroyRootLayer();
}

void CHfcWindow::Release()
{
    delete this;
}

void CHfcWindow::Paint(CHfcDrawContext* context, const CHfcRect& rect)
{
    DrawTo(context, rect);
}

void CHfcWindow::DrawTo(CHfcDrawContext* context, const CHfcRect& rect)
{
    if (context && m_rootLayer && m_rootLayer->GetOffscreen())
        context->DrawBitmap(rect, m_rootLayer->GetOffscreen()->GetBitmap(), rect.left, rect.top);
}

void CHfcWindow::OnResized(int32_t width, int32_t height)
{
    if (!m_rootLayer)
        return;
    m_rootLayer->Resize(width, height, false);
    CHfcRect all;
    all.Set(0, 0, width, height);
    Recompose(all, true);
}

int CHfcWindow::FindChildByTitle(const char* title)
{
    struct Search
    {
        const char* title;
        int id;
    } search = {title, 0};
    if (!m_hwnd || !title)
        return 0;
    EnumChildWindows(
        m_hwnd,
        [](HWND child, LPARAM data) -> BOOL
        {
            auto* s = reinterpret_cast<Search*>(data);
            char text[1025] = {};
            GetWindowTextA(child, text, 1025);
            if (std::strcmp(text, s->title) != 0)
                return TRUE;
            s->id = static_cast<int>(GetWindowLongPtrA(child, GWLP_ID));
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.id;
}

void CHfcWindow::ForEachChild()
{
    if (!m_hwnd)
        return;
    EnumChildWindows(
        m_hwnd,
        [](HWND child, LPARAM data) -> BOOL
        {
            if (CHfcWindow* window = FromHwnd(child))
                reinterpret_cast<CHfcWindow*>(data)->OnChildEnumerated(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
}

bool CHfcWindow::PreTranslateMessage(MSG*)
{
    return true;
}

LRESULT CHfcWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(m_hwnd, message, wParam, lParam);
}

LRESULT CHfcWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!FilterMessage(message, wParam, lParam))
        return DefaultProc(message, wParam, lParam);
    switch (message)
    {
    case WM_CREATE:
    {
        const LRESULT result = HandleCreate(message, wParam, lParam);
        // OLE drags reach the window through its drop target while OLE is initialised.
        if (result == 0)
            m_dropTarget = CHfcDragWin32DropTarget::Register(m_hwnd, this);
        return result;
    }
    case WM_DESTROY:
        CHfcDragWin32DropTarget::Revoke(m_hwnd, m_dropTarget);
        return HandleDestroy(message, wParam, lParam);
    case WM_MOVE:
        return HandleMove(message, wParam, lParam);
    case WM_SIZE:
        return HandleSize(message, wParam, lParam);
    case WM_ACTIVATE:
        return HandleActivate(message, wParam, lParam);
    case WM_PAINT:
        return HandlePaint(message, wParam, lParam);
    case WM_CLOSE:
        return HandleClose(message, wParam, lParam);
    case WM_KEYDOWN:
        return HandleKeyDown(message, wParam, lParam);
    case WM_CHAR:
        return HandleChar(message, wParam, lParam);
    case WM_COMMAND:
        return HandleCommand(message, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
        return HandleScroll(message, wParam, lParam);
    case WM_TIMER:
        return HandleTimer(message, wParam, lParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return HandleMouse(message, wParam, lParam);
    case WM_MOUSEWHEEL:
        return HandleMouseWheel(message, wParam, lParam);
    case WM_SIZING:
        return HandleSizing(message, wParam, lParam);
    case WM_MOVING:
        return HandleMoving(message, wParam, lParam);
    case WM_NCDESTROY:
    {
        // The HWND is gone after this message: the object forgets it.
        const HWND hwnd = m_hwnd;
        const LRESULT result = DefaultProc(message, wParam, lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        RemovePropA(hwnd, kObjectProperty);
        m_hwnd = nullptr;
        return result;
    }
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

LRESULT CHfcWindow::HandleCreate(UINT, WPARAM, LPARAM)
{
    return OnCreate() ? 0 : -1;
}

LRESULT CHfcWindow::HandleDestroy(UINT, WPARAM, LPARAM)
{
    OnDestroy();
    return 0;
}

LRESULT CHfcWindow::HandleMove(UINT, WPARAM, LPARAM lParam)
{
    OnMoved(PointX(lParam), PointY(lParam));
    return 0;
}

LRESULT CHfcWindow::HandleSize(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED || wParam == SIZE_MAXSHOW)
        OnResized(LOWORD(lParam), HIWORD(lParam));
    return DefaultProc(message, wParam, lParam);
}

LRESULT CHfcWindow::HandleActivate(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == WA_INACTIVE)
        OnDeactivate();
    else
        OnActivate();
    return DefaultProc(message, wParam, lParam);
}

LRESULT CHfcWindow::HandlePaint(UINT, WPARAM, LPARAM)
{
    PAINTSTRUCT paint;
    if (!BeginPaint(m_hwnd, &paint))
        return 0;
    CHfcRect rect;
    rect.Set(paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom);
    if (rect.GetWidth() > 0 && rect.GetHeight() > 0 && m_rootLayer)
    {
        CHfcDrawContext context(paint.hdc);
        Paint(&context, rect);
    }
    EndPaint(m_hwnd, &paint);
    return 0;
}

LRESULT CHfcWindow::HandleClose(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!CanClose())
        return 0;
    return DefaultProc(message, wParam, lParam);
}

LRESULT CHfcWindow::HandleKeyDown(UINT, WPARAM wParam, LPARAM)
{
    if (!IsNavigationKey(wParam))
        return 0;
    if (CHfcKey* key = CHfcKey::GetKey())
        key->Character(static_cast<uint32_t>(wParam), 0);
    else
        g_keyMissing.Report();
    return 0;
}

LRESULT CHfcWindow::HandleChar(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsNavigationKey(wParam))
    {
        if (CHfcKey* key = CHfcKey::GetKey())
            key->Character(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
        else
            g_keyMissing.Report();
    }
    return DefaultProc(message, wParam, lParam);
}

LRESULT CHfcWindow::HandleCommand(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultProc(message, wParam, lParam);
}

LRESULT CHfcWindow::HandleScroll(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND bar = reinterpret_cast<HWND>(lParam);
    if (bar && bar != m_hwnd)
        SendMessageA(bar, message, wParam, lParam);
    return 0;
}

LRESULT CHfcWindow::HandleTimer(UINT, WPARAM wParam, LPARAM)
{
    OnTimer(wParam);
    return 0;
}

LRESULT CHfcWindow::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    if (!mouse)
    {
        if (message != WM_MBUTTONUP)
            g_mouseMissing.Report();
        return 0;
    }
    POINT point = {PointX(lParam), PointY(lParam)};
    ::ClientToScreen(m_hwnd, &point);
    const uint32_t modifiers = ModifiersFrom(wParam);
    CHfcMouseListener* owner = mouse->GetCaptureOwner();
    if (!owner && (message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN || message == WM_MBUTTONDBLCLK))
        ::SetFocus(m_hwnd);
    (owner ? owner : this)->CallScreenMouse(EventFrom(message), mouse, point.x, point.y, modifiers);
    return 0;
}

LRESULT CHfcWindow::HandleMouseWheel(UINT, WPARAM wParam, LPARAM lParam)
{
    CHfcMouse* mouse = CHfcMouse::GetMouse();
    if (!mouse)
    {
        g_mouseMissing.Report();
        return 0;
    }
    CHfcMouseListener* owner = mouse->GetCaptureOwner();
    (owner ? owner : this)
        ->OnHfcScreenMouseWheel(mouse, PointX(lParam), PointY(lParam), 0, GET_WHEEL_DELTA_WPARAM(wParam),
                                ModifiersFrom(GET_KEYSTATE_WPARAM(wParam)));
    return 0;
}

LRESULT CHfcWindow::HandleSizing(UINT, WPARAM wParam, LPARAM lParam)
{
    auto* r = reinterpret_cast<RECT*>(lParam);
    const SIZE border = GetOuterSize(0, 0, GetMenu(m_hwnd) != nullptr);
    int32_t width = (r->right - r->left) - border.cx;
    int32_t height = (r->bottom - r->top) - border.cy;
    OnSizing(width, height);
    const int32_t outerWidth = width + border.cx, outerHeight = height + border.cy;
    switch (wParam)
    {
    case WMSZ_LEFT:
    case WMSZ_TOPLEFT:
    case WMSZ_BOTTOMLEFT:
        r->left = r->right - outerWidth;
        break;
    case WMSZ_RIGHT:
    case WMSZ_TOPRIGHT:
    case WMSZ_BOTTOMRIGHT:
        r->right = r->left + outerWidth;
        break;
    default:
        break;
    }
    switch (wParam)
    {
    case WMSZ_TOP:
    case WMSZ_TOPLEFT:
    case WMSZ_TOPRIGHT:
        r->top = r->bottom - outerHeight;
        break;
    case WMSZ_BOTTOM:
    case WMSZ_BOTTOMLEFT:
    case WMSZ_BOTTOMRIGHT:
        r->bottom = r->top + outerHeight;
        break;
    default:
        break;
    }
    return 1;
}

LRESULT CHfcWindow::HandleMoving(UINT, WPARAM, LPARAM lParam)
{
    auto* r = reinterpret_cast<RECT*>(lParam);
    POINT corner = {r->left, r->top};
    const HWND parent = ::GetParent(m_hwnd);
    if (parent)
        ::ScreenToClient(parent, &corner);
    int32_t x = corner.x, y = corner.y;
    OnMoving(x, y);
    const int32_t dx = x - corner.x, dy = y - corner.y;
    // The rectangle is in screen coordinates: the change carries over as it is.
    OffsetRect(r, dx, dy);
    return 1;
}

void CHfcWindow::OnCaptureChanged()
{
    if (CHfcMouse* mouse = CHfcMouse::GetMouse())
        mouse->DropCapture();
}

// --- mouse routing

bool CHfcWindow::RouteClientMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y,
                                  uint32_t modifiers, int32_t delta)
{
    for (size_t i = m_layers.size(); i-- > 0;)
    {
        CHfcWindowLayer* layer = m_layers[i];
        const CHfcRect& r = layer->GetRect();
        if (layer->IsVisible() && Contains(r, x, y) &&
            layer->DispatchMouse(event, mouse, x - r.left, y - r.top, modifiers, delta))
            return true;
    }
    return false;
}

bool CHfcWindow::RouteScreenMouse(HfcMouseEvent event, CHfcMouse* mouse, int32_t x, int32_t y,
                                  uint32_t modifiers, int32_t delta)
{
    POINT point = {x, y};
    if (!ScreenToClient(point))
        return false;
    // The wheel is not recorded.
    if (event != HfcMouseEvent::Wheel && mouse)
        mouse->RecordEvent(this, x, y, point.x, point.y, modifiers);
    return CallClientMouse(event, mouse, point.x, point.y, modifiers, delta);
}

// --- drag routing

bool CHfcWindow::RouteScreenDrag(HfcDragEvent event, CHfcDragData* data, uint32_t keyState, int32_t x,
                                 int32_t y, uint32_t modifiers, uint32_t* effect)
{
    // Unlike the mouse, drags go to the layers from the first to the last, without a test of
    // the point against the layer.
    for (CHfcWindowLayer* layer : m_layers)
        if (layer->IsVisible() && layer->CallScreenDrag(event, data, keyState, x, y, modifiers, effect))
            return true;
    POINT point = {x, y};
    if (event != HfcDragEvent::Leave && !ScreenToClient(point))
        return false;
    return CallClientDrag(event, data, keyState, point.x, point.y, modifiers, effect);
}

// --- layers and focus

bool CHfcWindow::AddLayer(CHfcWindowLayer* layer, bool redraw)
{
    if (!layer)
        return false;
    if (std::find(m_layers.begin(), m_layers.end(), layer) == m_layers.end())
        m_layers.push_back(layer);
    layer->SetOwnerWindow(this);
    if (redraw)
    {
        CHfcRect all;
        if (GetClientRect(all))
            Recompose(all, true);
    }
    return true;
}

bool CHfcWindow::RemoveLayer(CHfcWindowLayer* layer, bool redraw)
{
    auto it = std::find(m_layers.begin(), m_layers.end(), layer);
    if (it == m_layers.end())
        return false;
    layer->DetachWindow(this);
    m_layers.erase(it);
    if (redraw)
    {
        CHfcRect all;
        if (GetClientRect(all))
            Recompose(all, true);
    }
    return true;
}

void CHfcWindow::RemoveAllLayers(bool redraw)
{
    while (!m_layers.empty())
        RemoveLayer(m_layers.back(), false);
    if (redraw)
    {
        CHfcRect all;
        if (GetClientRect(all))
            Recompose(all, true);
    }
}

bool CHfcWindow::SetKeyFocus(CHfcKeyFocusListener* listener)
{
    return m_keyFocus->SetKeyFocus(listener, m_hwnd);
}

void CHfcWindow::ReleaseKeyFocus(CHfcKeyFocusListener* listener)
{
    if (!listener || m_keyFocus->GetListener() == listener)
        m_keyFocus->ReleaseKeyFocus();
}

bool CHfcWindow::HasKeyFocus(CHfcKeyFocusListener* listener) const
{
    return listener && m_keyFocus->GetListener() == listener;
}

bool CHfcWindow::ScreenToClient(POINT& point) const
{
    return m_hwnd && ::ScreenToClient(m_hwnd, &point);
}

bool CHfcWindow::ClientToScreen(POINT& point) const
{
    return m_hwnd && ::ClientToScreen(m_hwnd, &point);
}

bool CHfcWindow::SetTitle(const char* text)
{
    return m_hwnd && SetWindowTextA(m_hwnd, text ? text : "");
}
