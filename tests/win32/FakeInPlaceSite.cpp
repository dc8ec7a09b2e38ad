#include "tests/win32/FakeInPlaceSite.h"

#include <utility>

namespace telvane::win32::test {

FakeInPlaceSite::FakeInPlaceSite(HWND window, RECT position, std::vector<IID> answers)
    : MemberlessDispatch(std::move(answers)), m_window(window), m_position(position) {}

HRESULT FakeInPlaceSite::SaveObject() {
    return S_OK;
}

HRESULT FakeInPlaceSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT FakeInPlaceSite::GetContainer(IOleContainer** container) {
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT FakeInPlaceSite::ShowObject() {
    m_calls.push_back("ShowObject");
    return S_OK;
}

HRESULT FakeInPlaceSite::OnShowWindow(BOOL) {
    return S_OK;
}

HRESULT FakeInPlaceSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

HRESULT FakeInPlaceSite::GetWindow(HWND* window) {
    m_calls.push_back("GetWindow");
    if (!window)
        return E_POINTER;
    *window = m_window;
    return S_OK;
}

HRESULT FakeInPlaceSite::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT FakeInPlaceSite::CanInPlaceActivate() {
    m_calls.push_back("CanInPlaceActivate");
    return m_canActivate;
}

HRESULT FakeInPlaceSite::OnInPlaceActivate() {
    m_calls.push_back("OnInPlaceActivate");
    return S_OK;
}

HRESULT FakeInPlaceSite::OnUIActivate() {
    m_calls.push_back("OnUIActivate");
    return S_OK;
}

HRESULT FakeInPlaceSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                          LPRECT position, LPRECT clip,
                                          LPOLEINPLACEFRAMEINFO info) {
    m_calls.push_back("GetWindowContext");
    if (!frame || !document || !position || !clip || !info)
        return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    *position = m_position;
    *clip = m_position;
    info->fMDIApp = FALSE;
    info->hwndFrame = m_window;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT FakeInPlaceSite::Scroll(SIZE) {
    return E_NOTIMPL;
}

HRESULT FakeInPlaceSite::OnUIDeactivate(BOOL) {
    m_calls.push_back("OnUIDeactivate");
    return S_OK;
}

HRESULT FakeInPlaceSite::OnInPlaceDeactivate() {
    m_calls.push_back("OnInPlaceDeactivate");
    return S_OK;
}

HRESULT FakeInPlaceSite::DiscardUndoState() {
    return S_OK;
}

HRESULT FakeInPlaceSite::DeactivateAndUndo() {
    return S_OK;
}

HRESULT FakeInPlaceSite::OnPosRectChange(LPCRECT) {
    return S_OK;
}

HRESULT FakeInPlaceSite::OnControlInfoChanged() {
    return S_OK;
}

HRESULT FakeInPlaceSite::LockInPlaceActive(BOOL) {
    return S_OK;
}

HRESULT FakeInPlaceSite::GetExtendedControl(IDispatch** extender) {
    if (extender)
        *extender = nullptr;
    return E_NOTIMPL;
}

HRESULT FakeInPlaceSite::TransformCoords(POINTL*, POINTF*, DWORD) {
    return E_NOTIMPL;
}

HRESULT FakeInPlaceSite::TranslateAccelerator(MSG* message, DWORD modifiers) {
    m_calls.push_back(std::string("TranslateAccelerator(") +
                      (message && message->wParam == VK_TAB ? "Tab" : "key") +
                      (modifiers & 1 ? "+Shift" : "") + ")");
    return m_translate;
}

HRESULT FakeInPlaceSite::OnFocus(BOOL gotFocus) {
    m_calls.push_back(gotFocus ? "OnFocus(true)" : "OnFocus(false)");
    return S_OK;
}

HRESULT FakeInPlaceSite::ShowPropertyFrame() {
    return E_NOTIMPL;
}

HRESULT FakeInPlaceSite::GetBorder(LPRECT) {
    return INPLACE_E_NOTOOLSPACE;
}

HRESULT FakeInPlaceSite::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}

HRESULT FakeInPlaceSite::SetBorderSpace(LPCBORDERWIDTHS) {
    return S_OK;
}

HRESULT FakeInPlaceSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
    m_calls.push_back(object ? "SetActiveObject(object)" : "SetActiveObject(none)");
    m_activeObject = object;
    return S_OK;
}

HRESULT FakeInPlaceSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
    return E_NOTIMPL;
}

HRESULT FakeInPlaceSite::SetMenu(HMENU, HOLEMENU, HWND) {
    return S_OK;
}

HRESULT FakeInPlaceSite::RemoveMenus(HMENU) {
    return S_OK;
}

HRESULT FakeInPlaceSite::SetStatusText(LPCOLESTR) {
    return S_OK;
}

HRESULT FakeInPlaceSite::EnableModeless(BOOL) {
    return S_OK;
}

HRESULT FakeInPlaceSite::TranslateAccelerator(LPMSG, WORD) {
    return S_FALSE;
}

void* FakeInPlaceSite::FindInterface(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
        return static_cast<IOleClientSite*>(this);
    if (iid == IID_IOleInPlaceSite || iid == IID_IOleWindow)
        return static_cast<IOleInPlaceSite*>(this);
    if (iid == IID_IOleControlSite)
        return static_cast<IOleControlSite*>(this);
    if (iid == IID_IOleInPlaceFrame || iid == IID_IOleInPlaceUIWindow)
        return static_cast<IOleInPlaceFrame*>(this);
    return FindDispatch(iid);
}

}  // namespace telvane::win32::test
