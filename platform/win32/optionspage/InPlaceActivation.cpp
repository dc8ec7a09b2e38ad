#include "platform/win32/optionspage/InPlaceActivation.h"

#include "platform/win32/com/ComBoundary.h"

#include <utility>

namespace telvane::win32 {

InPlaceActivation::InPlaceActivation(Listener listener) : m_listener(std::move(listener)) {}

InPlaceActivation::~InPlaceActivation() {
    Deactivate();
}

HRESULT InPlaceActivation::Activate(IOleClientSite* clientSite, bool uiActivate,
                                    IOleInPlaceActiveObject* self) {
    if (!m_window) {
        if (!clientSite)
            return E_UNEXPECTED;
        ComPtr<IOleInPlaceSite> site;
        HRESULT hr = clientSite->QueryInterface(IID_IOleInPlaceSite, site.PutVoid());
        if (FAILED(hr))
            return hr;
        hr = site->CanInPlaceActivate();
        if (hr != S_OK)
            return FAILED(hr) ? hr : E_FAIL;
        hr = site->OnInPlaceActivate();
        if (FAILED(hr))
            return hr;

        // From here on the site believes the page active: a failure must tell it otherwise.
        HWND parent = nullptr;
        RECT position = {};
        RECT clip = {};
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof frameInfo;
        ComPtr<IOleInPlaceFrame> frame;
        ComPtr<IOleInPlaceUIWindow> document;
        hr = site->GetWindow(&parent);
        if (SUCCEEDED(hr) && !parent)
            hr = E_UNEXPECTED;
        if (SUCCEEDED(hr)) {
            hr = site->GetWindowContext(frame.Put(), document.Put(), &position, &clip, &frameInfo);
        }
        std::unique_ptr<PageWindow> window;
        if (SUCCEEDED(hr)) {
            window = std::make_unique<PageWindow>(parent, position, m_listener.focused);
            if (!window->Handle())
                hr = HRESULT_FROM_WIN32(::GetLastError());
        }
        if (FAILED(hr)) {
            site->OnInPlaceDeactivate();
            return hr;
        }
        m_site = std::move(site);
        clientSite->QueryInterface(IID_IOleControlSite, m_controlSite.PutVoid());
        m_frame = std::move(frame);
        m_document = std::move(document);
        m_window = std::move(window);
        Place(position, clip);
        if (m_listener.created)
            m_listener.created(m_window->Handle());
        if (m_listener.sized)
            m_listener.sized(position.right - position.left, position.bottom - position.top);
    }
    ::ShowWindow(m_window->Handle(), SW_SHOWNA);

    if (uiActivate && !m_uiActive) {
        const HRESULT hr = m_site->OnUIActivate();
        if (FAILED(hr))
            return hr;
        m_uiActive = true;
        // Before SetFocus: the focus arriving reports to the site, which may ask for the
        // active object.
        if (m_frame) {
            m_frame->SetActiveObject(self, nullptr);
            m_frame->SetBorderSpace(nullptr);
        }
        if (m_document) {
            m_document->SetActiveObject(self, nullptr);
            m_document->SetBorderSpace(nullptr);
        }
        HWND focus = ::GetFocus();
        if (!focus || !::IsChild(m_window->Handle(), focus))
            ::SetFocus(m_window->Handle());
        if (m_controlSite)
            m_controlSite->OnFocus(TRUE);
    }
    return S_OK;
}

HRESULT InPlaceActivation::UIDeactivate() {
    if (!m_uiActive)
        return S_OK;
    m_uiActive = false;
    if (m_frame)
        m_frame->SetActiveObject(nullptr, nullptr);
    if (m_document)
        m_document->SetActiveObject(nullptr, nullptr);
    if (m_controlSite)
        m_controlSite->OnFocus(FALSE);
    return m_site->OnUIDeactivate(FALSE);
}

HRESULT InPlaceActivation::Deactivate() {
    if (!m_window)
        return S_OK;
    UIDeactivate();
    // The window goes and the site hears of it even when the page fails to let go: a page
    // left half active would fail again in the destructor, where nothing may throw.
    HRESULT released = S_OK;
    if (m_listener.destroying) {
        released = com::ComBoundary::Call([&] {
            m_listener.destroying(m_window->Handle());
            return S_OK;
        });
    }
    m_window.reset();
    // Released before the site hears of it, as the site may let go of the page then.
    m_frame.Reset();
    m_document.Reset();
    m_controlSite.Reset();
    const ComPtr<IOleInPlaceSite> site = std::move(m_site);
    const HRESULT told = site->OnInPlaceDeactivate();
    return FAILED(released) ? released : told;
}

HRESULT InPlaceActivation::Hide() {
    if (!m_window)
        return S_OK;
    UIDeactivate();
    ::ShowWindow(m_window->Handle(), SW_HIDE);
    return S_OK;
}

HRESULT InPlaceActivation::SetRects(LPCRECT position, LPCRECT clip) {
    if (!position)
        return E_POINTER;
    if (!m_window)
        return OLE_E_NOT_INPLACEACTIVE;
    Place(*position, clip ? *clip : *position);
    if (m_listener.sized)
        m_listener.sized(position->right - position->left, position->bottom - position->top);
    return S_OK;
}

void InPlaceActivation::Place(const RECT& position, const RECT& clip) {
    m_window->Place(position, clip);
}

}  // namespace telvane::win32
