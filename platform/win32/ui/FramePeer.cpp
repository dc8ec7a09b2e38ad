// Product headers come before <windows.h>, whose macros share their names.
#include "forms/Frame.h"

#include "platform/win32/ui/FramePeer.h"

#include <oleacc.h>
#include <uxtheme.h>
#include <vssym32.h>

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/ui/FormWindow.h"
#include "platform/win32/ui/Win32UiHost.h"
#include "platform/win32/ui/WindowClasses.h"

namespace telvane::win32 {

FramePeer::FramePeer(FormWindow& form, forms::Frame& frame, int id)
    : ControlPeer(form, frame, id), m_frame(frame) {
    Create(WindowClasses::Pane, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, {}, true);
}

FramePeer::~FramePeer() {
    if (m_accessible)
        m_accessible->Disconnect();
}

LRESULT FramePeer::PaneAccessible(WPARAM wParam, LPARAM lParam) {
    return AccessibleProxy::Answer(Window(), wParam, lParam, *this, m_accessible);
}

// A frame is a grouping named by its caption, as a group box is.
bool FramePeer::AccessibleName(long child, std::wstring& name) const {
    if (child != CHILDID_SELF)
        return false;
    name = com::WideFromUtf8(m_frame.Caption());
    return true;
}

bool FramePeer::AccessibleRole(long child, long& role) const {
    role = ROLE_SYSTEM_GROUPING;
    return child == CHILDID_SELF;
}

void FramePeer::PaintPane(HDC dc) const {
    const std::wstring caption = com::WideFromUtf8(m_frame.Caption());
    if (m_frame.BorderStyle() != forms::BorderStyle::FixedSingle && caption.empty())
        return;
    RECT client;
    ::GetClientRect(Window(), &client);
    DrawingResources& resources = Form().Host().Resources();
    const HFONT font = resources.Font(m_frame.Font());
    const HGDIOBJ previous = ::SelectObject(dc, font);
    const int textHeight = resources.LineHeight(font);
    RECT edge{0, textHeight / 2, client.right, client.bottom};
    if (m_frame.BorderStyle() == forms::BorderStyle::FixedSingle &&
        !resources.Styles().Draw(Window(), L"BUTTON", BP_GROUPBOX,
                                 m_frame.Enabled() ? GBS_NORMAL : GBS_DISABLED, dc, edge))
        ::DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        RECT text{8, 0, client.right - 8, textHeight};
        ::DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
        RECT behind{text.left - 2, text.top, text.right + 2, text.bottom};
        ::FillRect(dc, &behind, Background());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(m_frame.Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        ::DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
    }
    ::SelectObject(dc, previous);
}

}  // namespace telvane::win32
