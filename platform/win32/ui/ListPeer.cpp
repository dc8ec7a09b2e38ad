// Product headers come before <windows.h>, whose macros share their names.
#include "forms/ListBox.h"

#include "platform/win32/ui/ListPeer.h"

#include <oleacc.h>

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/ui/FormWindow.h"
#include "platform/win32/ui/SyncingScope.h"
#include "platform/win32/ui/Win32UiHost.h"

namespace telvane::win32 {
namespace {

// The tick box in front of a list entry, as the list box of the design draws it, at 96 DPI.
constexpr int kTickBox = 13;
constexpr int kTickMargin = 1;
constexpr int kTickGap = 3;

}  // namespace

ListPeer::ListPeer(FormWindow& form, forms::ListBox& list, int id)
    : ControlPeer(form, list, id), m_list(list) {
    Create(L"LISTBOX",
           WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NODATA |
               LBS_NOINTEGRALHEIGHT,
           WS_EX_CLIENTEDGE, {}, false);
    if (!list.Visible())
        SetRedraw(false);
    Sync();
}

ListPeer::~ListPeer() {
    if (m_accessible)
        m_accessible->Disconnect();
}

// The native list holds neither texts nor ticks (and a hidden one not even its rows): the
// entries a screen reader hears are the model's.
long ListPeer::AccessibleChildren() const {
    return m_list.ListCount();
}

bool ListPeer::AccessibleName(long child, std::wstring& name) const {
    if (child < 1 || child > m_list.ListCount())
        return false;
    name = com::WideFromUtf8(m_list.List(static_cast<int>(child - 1)));
    return true;
}

bool ListPeer::AccessibleRole(long child, long& role) const {
    role = child == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    return child >= 0 && child <= m_list.ListCount();
}

bool ListPeer::AccessibleState(long child, long& state) const {
    if (child < 1 || child > m_list.ListCount())
        return false;
    const int index = static_cast<int>(child - 1);
    state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (m_list.ListIndex() == index) {
        state |= STATE_SYSTEM_SELECTED;
        if (::GetFocus() == Window())
            state |= STATE_SYSTEM_FOCUSED;
    }
    if (m_list.Style() == forms::ListBoxStyle::Checkbox && m_list.Selected(index))
        state |= STATE_SYSTEM_CHECKED;
    if (!::IsWindowVisible(Window()))
        state |= STATE_SYSTEM_INVISIBLE;
    return true;
}

bool ListPeer::AccessibleLocation(long child, RECT& place) const {
    if (child < 1 || child > m_list.ListCount())
        return false;
    if (::SendMessageW(Window(), LB_GETITEMRECT, static_cast<WPARAM>(child - 1),
                       reinterpret_cast<LPARAM>(&place)) == LB_ERR)
        place = {};
    ::MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&place), 2);
    return true;
}

void ListPeer::Apply(forms::Property what) {
    switch (what) {
        case forms::Property::Visible:
            if (m_list.Visible())
                Sync();
            SetRedraw(m_list.Visible());
            ControlPeer::Apply(what);
            break;
        case forms::Property::Appearance:
            ::SendMessageW(Window(), LB_SETTOPINDEX, static_cast<WPARAM>(m_list.TopIndex()), 0);
            break;
        case forms::Property::Value:
            if (!m_invalidated && ::IsWindowVisible(Window())) {
                // A tick changed: the rows are drawn from the model, all at the next paint (a
                // hidden list is drawn whole when it is shown).
                ::InvalidateRect(Window(), nullptr, FALSE);
                m_invalidated = true;
            }
            break;
        case forms::Property::Items:
            Sync();
            break;
        case forms::Property::Font: {
            ControlPeer::Apply(what);
            // Rows are as high as a line of the font (WM_MEASUREITEM answers so at creation).
            DrawingResources& resources = Form().Host().Resources();
            const int height = resources.LineHeight(resources.Font(m_list.Font())) + 3;
            ::SendMessageW(Window(), LB_SETITEMHEIGHT, 0, height);
            break;
        }
        case forms::Property::Selection:
            ::SendMessageW(Window(), LB_SETCURSEL, static_cast<WPARAM>(m_list.ListIndex()), 0);
            ::InvalidateRect(Window(), nullptr, FALSE);
            break;
        default:
            ControlPeer::Apply(what);
            break;
    }
}

void ListPeer::SetRedraw(bool redraw) {
    // While the list is hidden it fills without invalidating or sizing its scroll bar for every
    // row; it is drawn whole when shown.
    ::SendMessageW(Window(), WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) {
        ::InvalidateRect(Window(), nullptr, TRUE);
        m_invalidated = true;
    }
}

void ListPeer::Sync() {
    const SyncingScope syncing(SyncingFlag());
    const int count = m_list.ListCount();
    // A hidden list is not drawn, and the product fills it hidden: its rows are counted in
    // once, when it shows.
    if (count != 0 && !m_list.Visible())
        return;
    const HWND window = Window();
    const auto native = static_cast<int>(::SendMessageW(window, LB_GETCOUNT, 0, 0));
    if (count == 0) {
        ::SendMessageW(window, LB_RESETCONTENT, 0, 0);
    } else if (count == native + 1 && m_list.NewIndex() >= 0) {
        ::SendMessageW(window, LB_INSERTSTRING, static_cast<WPARAM>(m_list.NewIndex()), 0);
    } else if (count != native) {
        ::SendMessageW(window, LB_SETCOUNT, static_cast<WPARAM>(count), 0);
        ::InvalidateRect(window, nullptr, TRUE);
    } else {
        ::InvalidateRect(window, nullptr, FALSE);
    }
    if (static_cast<int>(::SendMessageW(window, LB_GETCURSEL, 0, 0)) != m_list.ListIndex())
        ::SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(m_list.ListIndex()), 0);
}

bool ListPeer::MouseDown(LPARAM position) {
    const HWND window = Window();
    const auto hit = static_cast<DWORD>(::SendMessageW(window, LB_ITEMFROMPOINT, 0, position));
    if (HIWORD(hit) != 0)
        return false;
    const int index =
        static_cast<int>(::SendMessageW(window, LB_GETTOPINDEX, 0, 0)) +
        (static_cast<short>(HIWORD(position)) /
         std::max(1, static_cast<int>(::SendMessageW(window, LB_GETITEMHEIGHT, 0, 0))));
    const int x = static_cast<short>(LOWORD(position));
    const PixelScale& scale = Form().Host().Scale();
    if (m_list.Style() == forms::ListBoxStyle::Checkbox &&
        x < scale.FromDefault(kTickMargin + kTickBox + 2))
        m_list.UserTick(index);
    else
        m_list.UserHighlight(index);
    return true;
}

void ListPeer::DrawItem(const DRAWITEMSTRUCT& draw) const {
    const HDC dc = draw.hDC;
    RECT row = draw.rcItem;
    if (draw.itemID == static_cast<UINT>(-1) ||
        static_cast<int>(draw.itemID) >= m_list.ListCount()) {
        if (draw.itemState & ODS_FOCUS)
            ::DrawFocusRect(dc, &row);
        return;
    }
    const int index = static_cast<int>(draw.itemID);
    ::FillRect(dc, &row, ::GetSysColorBrush(COLOR_WINDOW));
    int textLeft = row.left + 2;
    if (m_list.Style() == forms::ListBoxStyle::Checkbox) {
        const PixelScale& scale = Form().Host().Scale();
        const int size = scale.FromDefault(kTickBox);
        const int left = row.left + scale.FromDefault(kTickMargin);
        const int top = row.top + (row.bottom - row.top - size) / 2;
        const RECT box{left, top, left + size, top + size};
        const bool ticked = m_list.Selected(index);
        if (!Form().Host().Resources().Styles().Draw(
                Window(), L"BUTTON", BP_CHECKBOX, ticked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL,
                dc, box)) {
            RECT classic = box;
            ::DrawFrameControl(dc, &classic, DFC_BUTTON,
                               DFCS_BUTTONCHECK | (ticked ? DFCS_CHECKED : 0));
        }
        textLeft = box.right + scale.FromDefault(kTickGap);
    }
    RECT text{textLeft, row.top, row.right, row.bottom};
    const bool highlighted = m_list.ListIndex() == index;
    const std::wstring caption = com::WideFromUtf8(m_list.List(index));
    SIZE extent{};
    const HGDIOBJ previous = ::SelectObject(dc, Form().Host().Resources().Font(m_list.Font()));
    ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    RECT mark{text.left - 1, row.top, std::min<LONG>(row.right, text.left + extent.cx + 2),
              row.bottom};
    if (highlighted)
        ::FillRect(dc, &mark, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    if (draw.itemState & ODS_FOCUS)
        ::DrawFocusRect(dc, &mark);
    ::SelectObject(dc, previous);
}

void ListPeer::Command(WORD code) {
    if (Syncing() || code != LBN_SELCHANGE)
        return;
    const auto index = static_cast<int>(::SendMessageW(Window(), LB_GETCURSEL, 0, 0));
    if (!m_list.UserHighlight(index))
        Sync();
}

bool ListPeer::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_PAINT:
            m_invalidated = false;
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return MouseDown(lParam);
        case WM_KEYDOWN:
            if (wParam != VK_SPACE)
                return false;
            if (m_list.ListIndex() >= 0)
                m_list.UserTick(m_list.ListIndex());
            return true;
        case WM_CHAR:
            // The space that ticked an entry is not a search key.
            return wParam == L' ';
        case WM_GETOBJECT:
            result = AccessibleProxy::Answer(Window(), wParam, lParam, *this, m_accessible);
            return result != 0;
        default:
            return ControlPeer::Handle(message, wParam, lParam, result);
    }
}

}  // namespace telvane::win32
