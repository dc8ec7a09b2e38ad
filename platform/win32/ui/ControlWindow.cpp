// Product headers come before <windows.h>, whose macros share their names.
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/Node.h"
#include "forms/PictureBox.h"
#include "forms/ProgressBar.h"
#include "forms/TreeView.h"

#include "platform/win32/ui/ControlWindow.h"

#include <algorithm>

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/ui/FormWindow.h"
#include "platform/win32/ui/Win32UiHost.h"
#include "platform/win32/ui/WindowClasses.h"

namespace telvane::win32 {
namespace {

using forms::ControlKind;

// The tick box in front of a list entry, as the list box of the design draws it.
constexpr int kTickBox = 13;
constexpr int kTickMargin = 1;
// A progress bar is moved at most this often (ms); a position held back is shown by a timer.
constexpr DWORD kProgressInterval = 30;
constexpr UINT_PTR kProgressTimer = 0x7E1A;

bool IsPane(ControlKind kind) {
    return kind == ControlKind::Frame || kind == ControlKind::PictureBox ||
           kind == ControlKind::Image;
}

DWORD LabelAlignment(const forms::Label& label) {
    switch (label.Alignment()) {
        case forms::Alignment::RightJustify:
            return SS_RIGHT;
        case forms::Alignment::Center:
            return SS_CENTER;
        case forms::Alignment::LeftJustify:
            break;
    }
    // A label that sizes itself to one line must not break it where the estimate was short.
    return label.AutoSize() && !label.WordWrap() ? SS_LEFTNOWORDWRAP : SS_LEFT;
}

std::wstring Caption(const forms::Control& control) {
    switch (control.Kind()) {
        case ControlKind::Label:
            return com::WideFromUtf8(static_cast<const forms::Label&>(control).Caption());
        case ControlKind::CommandButton:
            return com::WideFromUtf8(static_cast<const forms::CommandButton&>(control).Caption());
        case ControlKind::CheckBox:
            return com::WideFromUtf8(static_cast<const forms::CheckBox&>(control).Caption());
        default:
            return {};
    }
}

// Scoped flag: native notices caused by the host itself are not user input.
class Syncing {
public:
    explicit Syncing(bool& flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    Syncing(const Syncing&) = delete;
    Syncing& operator=(const Syncing&) = delete;
    ~Syncing() { m_flag = m_previous; }

private:
    bool& m_flag;
    bool m_previous;
};

}  // namespace

ControlWindow::ControlWindow(FormWindow& form, forms::Control& control, int id)
    : m_form(form), m_control(control), m_id(id) {
    Create();
}

ControlWindow::~ControlWindow() {
    if (m_original != nullptr && ::IsWindow(m_window)) {
        ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    }
}

void ControlWindow::Create() {
    const ControlKind kind = m_control.Kind();
    if (kind == ControlKind::Line)
        return;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD extended = 0;
    const wchar_t* windowClass = WindowClasses::Pane;
    switch (kind) {
        case ControlKind::Label: {
            const auto& label = static_cast<const forms::Label&>(m_control);
            windowClass = L"STATIC";
            style |= LabelAlignment(label) | (label.UseMnemonic() ? 0 : SS_NOPREFIX);
            if (label.BorderStyle() == forms::BorderStyle::FixedSingle)
                extended |= WS_EX_CLIENTEDGE;
            break;
        }
        case ControlKind::CommandButton:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | (static_cast<const forms::CommandButton&>(m_control).Default()
                                       ? BS_DEFPUSHBUTTON
                                       : BS_PUSHBUTTON);
            break;
        case ControlKind::CheckBox:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | BS_CHECKBOX;
            break;
        case ControlKind::Frame:
            style |= WS_CLIPCHILDREN;
            extended |= WS_EX_CONTROLPARENT;
            break;
        case ControlKind::PictureBox:
            if (static_cast<const forms::PictureBox&>(m_control).BorderStyle() ==
                forms::BorderStyle::FixedSingle) {
                extended |= WS_EX_CLIENTEDGE;
            }
            break;
        case ControlKind::Image:
            if (static_cast<const forms::Image&>(m_control).BorderStyle() ==
                forms::BorderStyle::FixedSingle) {
                style |= WS_BORDER;
            }
            break;
        case ControlKind::TreeView:
            windowClass = WC_TREEVIEWW;
            style |=
                WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
            extended |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::ListBox:
            // A no-data owner-drawn list: the model holds the texts and the ticks, the native
            // list only how many rows there are, so an entry costs one insertion at the
            // model's index and no storage is moved.
            windowClass = L"LISTBOX";
            style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NODATA |
                     LBS_NOINTEGRALHEIGHT;
            extended |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::ProgressBar:
            windowClass = PROGRESS_CLASSW;
            break;
        case ControlKind::Line:
            return;
    }
    if (!m_control.Enabled())
        style |= WS_DISABLED;
    if (m_control.Visible())
        style |= WS_VISIBLE;
    const RECT place = m_form.PixelRect(m_control);
    m_window = ::CreateWindowExW(extended, windowClass, Caption(m_control).c_str(), style,
                                 place.left, place.top, place.right - place.left,
                                 place.bottom - place.top, m_form.ContainerWindow(m_control),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_id)),
                                 m_form.Host().Module(), IsPane(kind) ? &m_form : nullptr);
    if (m_window == nullptr)
        return;
    // Later controls lie above earlier ones, as in the design.
    ::SetWindowPos(m_window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!IsPane(kind)) {
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_original = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass)));
    }
    ApplyAll();
}

void ControlWindow::FitLabel() {
    if (m_control.Kind() != ControlKind::Label)
        return;
    auto& label = static_cast<forms::Label&>(m_control);
    if (!label.AutoSize() || label.WordWrap())
        return;
    // The model estimated the caption's width; here it is measured in the real font.
    const std::wstring caption = Caption(m_control);
    const HDC dc = ::GetDC(m_window);
    const HGDIOBJ previous = ::SelectObject(dc, m_form.Host().Resources().Font(m_control.Font()));
    RECT extent{};
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &extent,
                DT_CALCRECT | DT_SINGLELINE | (label.UseMnemonic() ? 0 : DT_NOPREFIX));
    ::SelectObject(dc, previous);
    ::ReleaseDC(m_window, dc);
    const int width =
        extent.right + (label.BorderStyle() == forms::BorderStyle::FixedSingle ? 4 : 0);
    if (m_form.Host().Pixels(label.Width()) != width)
        label.SetWidth(m_form.Host().Twips(width));
    const RECT place = m_form.PixelRect(m_control);
    ::SetWindowPos(m_window, nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlWindow::ApplyAll() {
    ::SendMessageW(m_window, WM_SETFONT,
                   reinterpret_cast<WPARAM>(m_form.Host().Resources().Font(m_control.Font())),
                   FALSE);
    switch (m_control.Kind()) {
        case ControlKind::Label:
            FitLabel();
            break;
        case ControlKind::CheckBox:
        case ControlKind::ProgressBar:
            Changed(forms::Property::Range);
            Changed(forms::Property::Value);
            break;
        case ControlKind::TreeView:
            Changed(forms::Property::Appearance);
            SyncTree();
            break;
        case ControlKind::ListBox:
            if (!m_control.Visible())
                SetListRedraw(false);
            SyncList();
            break;
        default:
            break;
    }
}

void ControlWindow::Changed(forms::Property what) {
    if (m_window == nullptr) {
        // A line: its container draws it again.
        const RECT place = m_form.PixelRect(m_control);
        RECT area{place.left - 2, place.top - 2, place.right + 2, place.bottom + 2};
        ::InvalidateRect(m_form.ContainerWindow(m_control), &area, TRUE);
        return;
    }
    const Syncing syncing(m_syncing);
    switch (what) {
        case forms::Property::Caption:
            if (IsPane(m_control.Kind())) {
                ::InvalidateRect(m_window, nullptr, TRUE);
            } else {
                ::SetWindowTextW(m_window, Caption(m_control).c_str());
                FitLabel();
            }
            break;
        case forms::Property::Bounds: {
            // The model sizes a label by its estimate after a caption change: measured again.
            if (m_control.Kind() == ControlKind::Label) {
                FitLabel();
                break;
            }
            const RECT place = m_form.PixelRect(m_control);
            ::SetWindowPos(m_window, nullptr, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case forms::Property::Visible:
            if (m_control.Kind() == ControlKind::ListBox) {
                if (m_control.Visible())
                    SyncList();
                SetListRedraw(m_control.Visible());
            } else if (m_control.Kind() == ControlKind::ProgressBar && m_progressPending) {
                // The bar shows or goes at rest: no position stays held back for the timer.
                ShowProgress();
            }
            ::ShowWindow(m_window, m_control.Visible() ? SW_SHOWNA : SW_HIDE);
            break;
        case forms::Property::Enabled:
            ::EnableWindow(m_window, m_control.Enabled() ? TRUE : FALSE);
            break;
        case forms::Property::Font:
            ::SendMessageW(
                m_window, WM_SETFONT,
                reinterpret_cast<WPARAM>(m_form.Host().Resources().Font(m_control.Font())), TRUE);
            FitLabel();
            break;
        case forms::Property::Appearance:
            ApplyAppearance();
            break;
        case forms::Property::Value:
        case forms::Property::Range:
            if (m_control.Kind() == ControlKind::CheckBox) {
                const int value = static_cast<const forms::CheckBox&>(m_control).Value();
                ::SendMessageW(m_window, BM_SETCHECK,
                               value == forms::CheckBox::Checked  ? BST_CHECKED
                               : value == forms::CheckBox::Grayed ? BST_INDETERMINATE
                                                                  : BST_UNCHECKED,
                               0);
            } else if (m_control.Kind() == ControlKind::ProgressBar) {
                SyncProgress(what == forms::Property::Range);
            } else if (!m_invalidated && ::IsWindowVisible(m_window)) {
                // A tick changed: the rows are drawn from the model, all at the next paint (a
                // hidden list is drawn whole when it is shown).
                ::InvalidateRect(m_window, nullptr, FALSE);
                m_invalidated = true;
            }
            break;
        case forms::Property::Items:
            if (m_control.Kind() == ControlKind::TreeView)
                SyncTree();
            else if (m_control.Kind() == ControlKind::ListBox)
                SyncList();
            break;
        case forms::Property::Selection:
            if (m_control.Kind() == ControlKind::TreeView) {
                SyncTreeSelection();
            } else if (m_control.Kind() == ControlKind::ListBox) {
                const int index = static_cast<const forms::ListBox&>(m_control).ListIndex();
                ::SendMessageW(m_window, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
                ::InvalidateRect(m_window, nullptr, FALSE);
            }
            break;
        case forms::Property::Colors:
        case forms::Property::Picture:
            ::InvalidateRect(m_window, nullptr, TRUE);
            break;
        default:
            break;
    }
}

void ControlWindow::ApplyAppearance() {
    switch (m_control.Kind()) {
        case ControlKind::Label: {
            const auto& label = static_cast<const forms::Label&>(m_control);
            auto style = static_cast<DWORD>(::GetWindowLongPtrW(m_window, GWL_STYLE));
            style &= ~static_cast<DWORD>(SS_TYPEMASK | SS_NOPREFIX);
            style |= LabelAlignment(label) | (label.UseMnemonic() ? 0 : SS_NOPREFIX);
            ::SetWindowLongPtrW(m_window, GWL_STYLE, static_cast<LONG_PTR>(style));
            ::InvalidateRect(m_window, nullptr, TRUE);
            break;
        }
        case ControlKind::CommandButton:
            ::SendMessageW(m_window, BM_SETSTYLE,
                           static_cast<const forms::CommandButton&>(m_control).Default()
                               ? BS_DEFPUSHBUTTON
                               : BS_PUSHBUTTON,
                           TRUE);
            break;
        case ControlKind::TreeView:
            ::SendMessageW(m_window, TVM_SETINDENT,
                           static_cast<WPARAM>(m_form.Host().Pixels(
                               static_cast<const forms::TreeView&>(m_control).Indentation())),
                           0);
            break;
        case ControlKind::ListBox:
            ::SendMessageW(
                m_window, LB_SETTOPINDEX,
                static_cast<WPARAM>(static_cast<const forms::ListBox&>(m_control).TopIndex()), 0);
            break;
        default:
            ::InvalidateRect(m_window, nullptr, TRUE);
            break;
    }
}

// --- Progress bar ---

void ControlWindow::SyncProgress(bool range) {
    const auto& bar = static_cast<const forms::ProgressBar&>(m_control);
    if (range) {
        ::SendMessageW(m_window, PBM_SETRANGE32, static_cast<WPARAM>(bar.Min()),
                       static_cast<LPARAM>(bar.Max()));
    }
    // The bar paints itself at once on every new position, a trip to the display each time,
    // and the product moves it once per contact: it is told only when its filled part changes
    // by a pixel, and then at most every few hundredths of a second, except at its ends.
    const bool end = range || bar.Value() == bar.Min() || bar.Value() == bar.Max();
    if (!end && ProgressPixels() == m_progressPixels)
        return;
    if (!end && ::GetTickCount() - m_progressShown < kProgressInterval) {
        if (!m_progressPending)
            m_progressPending = ::SetTimer(m_window, kProgressTimer, kProgressInterval, nullptr);
        return;
    }
    ShowProgress();
}

int ControlWindow::ProgressPixels() const {
    const auto& bar = static_cast<const forms::ProgressBar&>(m_control);
    const RECT place = m_form.PixelRect(m_control);
    return static_cast<int>(bar.Fraction() * (place.right - place.left));
}

void ControlWindow::ShowProgress() {
    if (m_progressPending) {
        ::KillTimer(m_window, kProgressTimer);
        m_progressPending = false;
    }
    const auto& bar = static_cast<const forms::ProgressBar&>(m_control);
    ::SendMessageW(m_window, PBM_SETPOS, static_cast<WPARAM>(bar.Value()), 0);
    m_progressPixels = ProgressPixels();
    m_progressShown = ::GetTickCount();
}

// --- Tree view ---

std::shared_ptr<forms::Node> ControlWindow::NodeOf(HTREEITEM item) const {
    TVITEMW query{};
    query.mask = TVIF_PARAM | TVIF_HANDLE;
    query.hItem = item;
    if (item == nullptr ||
        !::SendMessageW(m_window, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(query.lParam);
    return index < m_nodes.size() ? m_nodes[index].lock() : nullptr;
}

void ControlWindow::InsertNode(const std::shared_ptr<forms::Node>& node) {
    const auto parent = node->Parent();
    const auto found = parent ? m_items.find(parent.get()) : m_items.end();
    std::wstring text = com::WideFromUtf8(node->Text());
    TVINSERTSTRUCTW insert{};
    insert.hParent = found == m_items.end() ? TVI_ROOT : found->second;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = text.data();
    insert.item.lParam = static_cast<LPARAM>(m_nodes.size());
    const auto item = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(m_window, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    m_nodes.push_back(node);
    m_items[node.get()] = item;
    m_texts[node.get()] = node->Text();
}

void ControlWindow::SyncTree() {
    const Syncing syncing(m_syncing);
    const auto& tree = static_cast<const forms::TreeView&>(m_control);
    const auto& all = tree.Nodes().All();
    // Nodes are added one at a time, each last among its siblings: insert only the new ones.
    bool prefix = m_nodes.size() <= all.size();
    for (std::size_t i = 0; prefix && i < m_nodes.size(); ++i)
        prefix = m_nodes[i].lock() == all[i];
    auto lastAmongSiblings = [&](const std::shared_ptr<forms::Node>& node) {
        const auto parent = node->Parent();
        const auto& siblings = parent ? parent->ChildNodes() : tree.Nodes().Roots();
        return !siblings.empty() && siblings.back() == node;
    };
    for (std::size_t i = m_nodes.size(); prefix && i < all.size(); ++i)
        prefix = lastAmongSiblings(all[i]);
    if (!prefix) {
        ::SendMessageW(m_window, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        m_nodes.clear();
        m_items.clear();
        m_texts.clear();
        std::vector<std::shared_ptr<forms::Node>> pending(tree.Nodes().Roots().rbegin(),
                                                          tree.Nodes().Roots().rend());
        while (!pending.empty()) {
            auto node = pending.back();
            pending.pop_back();
            InsertNode(node);
            pending.insert(pending.end(), node->ChildNodes().rbegin(), node->ChildNodes().rend());
        }
    } else {
        for (std::size_t i = m_nodes.size(); i < all.size(); ++i)
            InsertNode(all[i]);
    }
    for (const auto& node : all) {
        const HTREEITEM item = m_items[node.get()];
        // A new text costs the tree a new layout and a paint: only changed ones are given.
        std::string& shown = m_texts[node.get()];
        if (shown != node->Text()) {
            shown = node->Text();
            std::wstring text = com::WideFromUtf8(shown);
            TVITEMW change{};
            change.mask = TVIF_TEXT | TVIF_HANDLE;
            change.hItem = item;
            change.pszText = text.data();
            ::SendMessageW(m_window, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
        }
        const bool expanded = (::SendMessageW(m_window, TVM_GETITEMSTATE,
                                              reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
                               TVIS_EXPANDED) != 0;
        if (node->Children() > 0 && expanded != node->Expanded()) {
            ::SendMessageW(m_window, TVM_EXPAND, node->Expanded() ? TVE_EXPAND : TVE_COLLAPSE,
                           reinterpret_cast<LPARAM>(item));
        }
    }
    SyncTreeSelection();
}

void ControlWindow::SyncTreeSelection() {
    const Syncing syncing(m_syncing);
    const auto selected = static_cast<const forms::TreeView&>(m_control).SelectedItem();
    const auto found = selected ? m_items.find(selected.get()) : m_items.end();
    const HTREEITEM item = found == m_items.end() ? nullptr : found->second;
    const auto current =
        reinterpret_cast<HTREEITEM>(::SendMessageW(m_window, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (current != item)
        ::SendMessageW(m_window, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

bool ControlWindow::TreeMouseDown(LPARAM position) {
    TVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ::SendMessageW(m_window, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    const auto node = NodeOf(hit.hItem);
    if (!node)
        return false;
    auto& tree = static_cast<forms::TreeView&>(m_control);
    if (hit.flags & TVHT_ONITEMBUTTON) {
        tree.UserToggleNode(node);
        return true;
    }
    if (hit.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON)) {
        tree.UserClickNode(node);
        return true;
    }
    return false;
}

// --- List box ---

void ControlWindow::SetListRedraw(bool redraw) {
    // While the list is hidden it fills without invalidating or sizing its scroll bar for every
    // row; it is drawn whole when shown.
    ::SendMessageW(m_window, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) {
        ::InvalidateRect(m_window, nullptr, TRUE);
        m_invalidated = true;
    }
}

void ControlWindow::SyncList() {
    const Syncing syncing(m_syncing);
    const auto& list = static_cast<const forms::ListBox&>(m_control);
    const int count = list.ListCount();
    // A hidden list is not drawn, and the product fills it hidden: its rows are counted in
    // once, when it shows.
    if (count != 0 && !m_control.Visible())
        return;
    const auto native = static_cast<int>(::SendMessageW(m_window, LB_GETCOUNT, 0, 0));
    if (count == 0) {
        ::SendMessageW(m_window, LB_RESETCONTENT, 0, 0);
    } else if (count == native + 1 && list.NewIndex() >= 0) {
        ::SendMessageW(m_window, LB_INSERTSTRING, static_cast<WPARAM>(list.NewIndex()), 0);
    } else if (count != native) {
        ::SendMessageW(m_window, LB_SETCOUNT, static_cast<WPARAM>(count), 0);
        ::InvalidateRect(m_window, nullptr, TRUE);
    } else {
        ::InvalidateRect(m_window, nullptr, FALSE);
    }
    if (static_cast<int>(::SendMessageW(m_window, LB_GETCURSEL, 0, 0)) != list.ListIndex())
        ::SendMessageW(m_window, LB_SETCURSEL, static_cast<WPARAM>(list.ListIndex()), 0);
}

bool ControlWindow::ListMouseDown(LPARAM position) {
    const auto hit = static_cast<DWORD>(::SendMessageW(m_window, LB_ITEMFROMPOINT, 0, position));
    if (HIWORD(hit) != 0)
        return false;
    auto& list = static_cast<forms::ListBox&>(m_control);
    const int index =
        static_cast<int>(::SendMessageW(m_window, LB_GETTOPINDEX, 0, 0)) +
        (static_cast<short>(HIWORD(position)) /
         std::max(1, static_cast<int>(::SendMessageW(m_window, LB_GETITEMHEIGHT, 0, 0))));
    const int x = static_cast<short>(LOWORD(position));
    if (list.Style() == forms::ListBoxStyle::Checkbox && x < kTickMargin + kTickBox + 2)
        list.UserTick(index);
    else
        list.UserHighlight(index);
    return true;
}

void ControlWindow::DrawItem(const DRAWITEMSTRUCT& draw) const {
    if (m_control.Kind() != ControlKind::ListBox)
        return;
    const auto& list = static_cast<const forms::ListBox&>(m_control);
    const HDC dc = draw.hDC;
    RECT row = draw.rcItem;
    if (draw.itemID == static_cast<UINT>(-1) || static_cast<int>(draw.itemID) >= list.ListCount()) {
        if (draw.itemState & ODS_FOCUS)
            ::DrawFocusRect(dc, &row);
        return;
    }
    const int index = static_cast<int>(draw.itemID);
    ::FillRect(dc, &row, ::GetSysColorBrush(COLOR_WINDOW));
    int textLeft = row.left + 2;
    if (list.Style() == forms::ListBoxStyle::Checkbox) {
        const int top = row.top + (row.bottom - row.top - kTickBox) / 2;
        RECT box{row.left + kTickMargin, top, row.left + kTickMargin + kTickBox, top + kTickBox};
        ::DrawFrameControl(dc, &box, DFC_BUTTON,
                           DFCS_BUTTONCHECK | (list.Selected(index) ? DFCS_CHECKED : 0));
        textLeft = box.right + 3;
    }
    RECT text{textLeft, row.top, row.right, row.bottom};
    const bool highlighted = list.ListIndex() == index;
    const std::wstring caption = com::WideFromUtf8(list.List(index));
    SIZE extent{};
    const HGDIOBJ previous = ::SelectObject(dc, m_form.Host().Resources().Font(m_control.Font()));
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

// --- Colours and panes ---

HBRUSH ControlWindow::Background() const {
    DrawingResources& resources = m_form.Host().Resources();
    switch (m_control.Kind()) {
        case ControlKind::PictureBox:
            return resources.Brush(static_cast<const forms::PictureBox&>(m_control).BackColor());
        case ControlKind::Label: {
            const auto& label = static_cast<const forms::Label&>(m_control);
            if (label.BackStyle() == forms::BackStyle::Opaque)
                return resources.Brush(label.BackColor());
            break;
        }
        case ControlKind::CheckBox:
            return resources.Brush(static_cast<const forms::CheckBox&>(m_control).BackColor());
        default:
            break;
    }
    return resources.Brush(m_control.OwnerForm().BackColor());
}

HBRUSH ControlWindow::ControlColor(HDC dc) const {
    switch (m_control.Kind()) {
        case ControlKind::Label: {
            const auto& label = static_cast<const forms::Label&>(m_control);
            ::SetTextColor(dc, DrawingResources::Rgb(label.ForeColor()));
            if (label.BackStyle() == forms::BackStyle::Transparent) {
                ::SetBkMode(dc, TRANSPARENT);
            } else {
                ::SetBkColor(dc, DrawingResources::Rgb(label.BackColor()));
            }
            return Background();
        }
        case ControlKind::CheckBox:
            ::SetBkColor(dc, DrawingResources::Rgb(
                                 static_cast<const forms::CheckBox&>(m_control).BackColor()));
            return Background();
        default:
            return nullptr;
    }
}

void ControlWindow::PaintPane(HDC dc) const {
    RECT client;
    ::GetClientRect(m_window, &client);
    DrawingResources& resources = m_form.Host().Resources();
    std::string picture;
    if (m_control.Kind() == ControlKind::PictureBox)
        picture = static_cast<const forms::PictureBox&>(m_control).Picture();
    if (m_control.Kind() == ControlKind::Image)
        picture = static_cast<const forms::Image&>(m_control).Picture();
    if (!picture.empty()) {
        const HINSTANCE module = m_form.Host().Module();
        if (HBITMAP bitmap = resources.Bitmap(module, picture)) {
            BITMAP size{};
            ::GetObjectW(bitmap, sizeof size, &size);
            const HDC source = ::CreateCompatibleDC(dc);
            const HGDIOBJ previous = ::SelectObject(source, bitmap);
            ::BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
            ::SelectObject(source, previous);
            ::DeleteDC(source);
        } else if (HICON icon = resources.Icon(module, picture, 32)) {
            ::DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
        }
    }
    if (m_control.Kind() != ControlKind::Frame)
        return;
    const auto& frame = static_cast<const forms::Frame&>(m_control);
    const std::wstring caption = com::WideFromUtf8(frame.Caption());
    if (frame.BorderStyle() != forms::BorderStyle::FixedSingle && caption.empty())
        return;
    const HGDIOBJ previous = ::SelectObject(dc, resources.Font(frame.Font()));
    const int textHeight = resources.LineHeight(resources.Font(frame.Font()));
    RECT edge{0, textHeight / 2, client.right, client.bottom};
    if (frame.BorderStyle() == forms::BorderStyle::FixedSingle)
        ::DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        RECT text{8, 0, client.right - 8, textHeight};
        ::DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
        RECT behind{text.left - 2, text.top, text.right + 2, text.bottom};
        ::FillRect(dc, &behind, Background());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(frame.Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        ::DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
    }
    ::SelectObject(dc, previous);
}

// --- Native input ---

void ControlWindow::Command(WORD code) {
    if (m_syncing)
        return;
    switch (m_control.Kind()) {
        case ControlKind::CommandButton:
            if (code == BN_CLICKED)
                static_cast<forms::CommandButton&>(m_control).UserClick();
            break;
        case ControlKind::CheckBox:
            if (code == BN_CLICKED)
                static_cast<forms::CheckBox&>(m_control).UserClick();
            break;
        case ControlKind::ListBox:
            if (code == LBN_SELCHANGE) {
                auto& list = static_cast<forms::ListBox&>(m_control);
                const auto index = static_cast<int>(::SendMessageW(m_window, LB_GETCURSEL, 0, 0));
                if (!list.UserHighlight(index))
                    SyncList();
            }
            break;
        default:
            break;
    }
}

bool ControlWindow::Notify(const NMHDR& header, LRESULT& result) {
    if (m_control.Kind() != ControlKind::TreeView)
        return false;
    auto& tree = static_cast<forms::TreeView&>(m_control);
    const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
    switch (header.code) {
        case TVN_SELCHANGINGW:
            // A click selects through the model (TreeMouseDown); the keyboard natively.
            result = !m_syncing && change.action == TVC_BYMOUSE;
            return true;
        case TVN_SELCHANGEDW:
            if (!m_syncing && change.action == TVC_BYKEYBOARD) {
                if (const auto node = NodeOf(change.itemNew.hItem)) {
                    if (!tree.UserClickNode(node))
                        SyncTreeSelection();
                }
            }
            return true;
        case TVN_ITEMEXPANDINGW:
            if (m_syncing)
                return false;
            // The user's expand or collapse goes through the model, which expands natively.
            if (const auto node = NodeOf(change.itemNew.hItem))
                tree.UserToggleNode(node);
            result = TRUE;
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK ControlWindow::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ControlWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC original = self->m_original;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_original = nullptr;
        self->m_window = nullptr;
        return ::CallWindowProcW(original, window, message, wParam, lParam);
    }
    try {
        LRESULT result = 0;
        if (self->Handle(message, wParam, lParam, result))
            return result;
    } catch (...) {
        self->m_form.Host().KeepError(std::current_exception());
        return 0;
    }
    return ::CallWindowProcW(original, window, message, wParam, lParam);
}

bool ControlWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_PAINT:
            m_invalidated = false;
            return false;
        case WM_SETFOCUS:
            // The focus moved natively (a click on an empty part of a list): the model follows.
            if (!m_syncing && !m_control.HasFocus() && m_control.CanReceiveFocus()) {
                const Syncing syncing(m_syncing);
                m_control.SetFocus();
            }
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (m_control.Kind() == ControlKind::ListBox)
                return ListMouseDown(lParam);
            if (m_control.Kind() == ControlKind::TreeView && message == WM_LBUTTONDOWN)
                return TreeMouseDown(lParam);
            return false;
        case WM_KEYDOWN:
            if (m_control.Kind() == ControlKind::ListBox && wParam == VK_SPACE) {
                auto& list = static_cast<forms::ListBox&>(m_control);
                if (list.ListIndex() >= 0)
                    list.UserTick(list.ListIndex());
                return true;
            }
            return false;
        case WM_TIMER:
            if (wParam != kProgressTimer || m_control.Kind() != ControlKind::ProgressBar)
                return false;
            ShowProgress();
            return true;
        case WM_CHAR:
            // The space that ticked an entry is not a search key.
            return m_control.Kind() == ControlKind::ListBox && wParam == L' ';
        default:
            return false;
    }
}

}  // namespace telvane::win32
