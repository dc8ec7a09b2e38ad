#include "platform/win32/ui/AccessibleProxy.h"

#include <string>

#include "platform/win32/ui/AccessibleSource.h"

namespace telvane::win32 {
namespace {

// {618736E0-3C3D-11CF-810C-00AA00389B71}
constexpr IID kAccessibleIid = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

using CreateStandard = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using ResultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);

struct AccessibilityFunctions {
    CreateStandard create = nullptr;
    ResultFromObject result = nullptr;
};

// oleacc is loaded when a screen reader first asks, and stays: the system's objects it made
// may be held by the reader for longer than any window of ours lives.
const AccessibilityFunctions& Functions() {
    static const AccessibilityFunctions functions = [] {
        AccessibilityFunctions found;
        if (const HMODULE oleacc = ::LoadLibraryW(L"oleacc.dll")) {
            found.create = reinterpret_cast<CreateStandard>(reinterpret_cast<void (*)()>(
                ::GetProcAddress(oleacc, "CreateStdAccessibleObject")));
            found.result = reinterpret_cast<ResultFromObject>(
                reinterpret_cast<void (*)()>(::GetProcAddress(oleacc, "LresultFromObject")));
        }
        if (!found.create || !found.result)
            return AccessibilityFunctions{};
        return found;
    }();
    return functions;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

AccessibleProxy::AccessibleProxy(ComPtr<IAccessible> standard, const AccessibleSource& source)
    : m_standard(std::move(standard)), m_source(&source) {}

LRESULT AccessibleProxy::Answer(HWND window, WPARAM wParam, LPARAM lParam,
                                const AccessibleSource& source, ComPtr<AccessibleProxy>& kept) {
    // The object's id travels in the low 32 bits, sign-extended or not.
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT)
        return 0;
    const AccessibilityFunctions& functions = Functions();
    if (functions.create == nullptr)
        return 0;
    if (!kept) {
        ComPtr<IAccessible> standard;
        if (FAILED(functions.create(window, OBJID_CLIENT, kAccessibleIid, standard.PutVoid())))
            return 0;
        kept = com::MakeComObject<AccessibleProxy>(std::move(standard), source);
    }
    const LRESULT result = functions.result(kAccessibleIid, wParam, kept.Get());
    return result < 0 ? 0 : result;
}

void* AccessibleProxy::FindInterface(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kAccessibleIid)
        return static_cast<IAccessible*>(this);
    return nullptr;
}

long AccessibleProxy::ChildOf(const VARIANT& child) {
    return child.vt == VT_I4 ? child.lVal : -1;
}

HRESULT AccessibleProxy::GetTypeInfoCount(UINT* count) {
    return m_standard->GetTypeInfoCount(count);
}
HRESULT AccessibleProxy::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    return m_standard->GetTypeInfo(index, locale, info);
}
HRESULT AccessibleProxy::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                       DISPID* ids) {
    return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
}
HRESULT AccessibleProxy::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* error,
                                UINT* argumentError) {
    return m_standard->Invoke(id, iid, locale, flags, parameters, result, error, argumentError);
}

HRESULT AccessibleProxy::get_accParent(IDispatch** parent) {
    return m_standard->get_accParent(parent);
}
HRESULT AccessibleProxy::get_accChildCount(long* count) {
    if (count == nullptr)
        return E_POINTER;
    if (m_source == nullptr)
        return CO_E_OBJNOTCONNECTED;
    if (const long children = m_source->AccessibleChildren(); children >= 0) {
        *count = children;
        return S_OK;
    }
    return m_standard->get_accChildCount(count);
}

HRESULT AccessibleProxy::get_accChild(VARIANT child, IDispatch** object) {
    if (object == nullptr)
        return E_POINTER;
    if (m_source == nullptr)
        return CO_E_OBJNOTCONNECTED;
    if (const long children = m_source->AccessibleChildren(); children >= 0) {
        // The entries are simple elements of this object, with no object of their own.
        *object = nullptr;
        const long id = ChildOf(child);
        return id >= 1 && id <= children ? S_FALSE : E_INVALIDARG;
    }
    return m_standard->get_accChild(child, object);
}

HRESULT AccessibleProxy::get_accName(VARIANT child, BSTR* name) {
    if (name == nullptr)
        return E_POINTER;
    *name = nullptr;
    if (m_source == nullptr)
        return CO_E_OBJNOTCONNECTED;
    std::wstring text;
    if (const long id = ChildOf(child); id >= 0 && m_source->AccessibleName(id, text))
        return Text(text, name);
    return m_standard->get_accName(child, name);
}

HRESULT AccessibleProxy::get_accRole(VARIANT child, VARIANT* role) {
    if (role == nullptr)
        return E_POINTER;
    if (m_source == nullptr)
        return CO_E_OBJNOTCONNECTED;
    long answer = 0;
    if (const long id = ChildOf(child); id >= 0 && m_source->AccessibleRole(id, answer)) {
        ::VariantInit(role);
        role->vt = VT_I4;
        role->lVal = answer;
        return S_OK;
    }
    return m_standard->get_accRole(child, role);
}

HRESULT AccessibleProxy::get_accState(VARIANT child, VARIANT* state) {
    if (state == nullptr)
        return E_POINTER;
    if (m_source == nullptr)
        return CO_E_OBJNOTCONNECTED;
    long answer = 0;
    if (const long id = ChildOf(child); id >= 0 && m_source->AccessibleState(id, answer)) {
        ::VariantInit(state);
        state->vt = VT_I4;
        state->lVal = answer;
        return S_OK;
    }
    return m_standard->get_accState(child, state);
}

HRESULT AccessibleProxy::get_accValue(VARIANT child, BSTR* value) {
    return m_standard->get_accValue(child, value);
}
HRESULT AccessibleProxy::get_accDescription(VARIANT child, BSTR* description) {
    return m_standard->get_accDescription(child, description);
}
HRESULT AccessibleProxy::get_accHelp(VARIANT child, BSTR* help) {
    return m_standard->get_accHelp(child, help);
}
HRESULT AccessibleProxy::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return m_standard->get_accHelpTopic(file, child, topic);
}
HRESULT AccessibleProxy::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return m_standard->get_accKeyboardShortcut(child, shortcut);
}
HRESULT AccessibleProxy::get_accFocus(VARIANT* child) {
    return m_standard->get_accFocus(child);
}
HRESULT AccessibleProxy::get_accSelection(VARIANT* children) {
    return m_standard->get_accSelection(children);
}
HRESULT AccessibleProxy::get_accDefaultAction(VARIANT child, BSTR* action) {
    return m_standard->get_accDefaultAction(child, action);
}
HRESULT AccessibleProxy::accSelect(long flags, VARIANT child) {
    return m_standard->accSelect(flags, child);
}
HRESULT AccessibleProxy::accLocation(long* left, long* top, long* width, long* height,
                                     VARIANT child) {
    if (!left || !top || !width || !height)
        return E_POINTER;
    if (m_source == nullptr)
        return CO_E_OBJNOTCONNECTED;
    RECT place{};
    if (const long id = ChildOf(child); id >= 0 && m_source->AccessibleLocation(id, place)) {
        *left = place.left;
        *top = place.top;
        *width = place.right - place.left;
        *height = place.bottom - place.top;
        return S_OK;
    }
    return m_standard->accLocation(left, top, width, height, child);
}
HRESULT AccessibleProxy::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return m_standard->accNavigate(direction, start, end);
}
HRESULT AccessibleProxy::accHitTest(long left, long top, VARIANT* child) {
    return m_standard->accHitTest(left, top, child);
}
HRESULT AccessibleProxy::accDoDefaultAction(VARIANT child) {
    return m_standard->accDoDefaultAction(child);
}
HRESULT AccessibleProxy::put_accName(VARIANT child, BSTR name) {
    return m_standard->put_accName(child, name);
}
HRESULT AccessibleProxy::put_accValue(VARIANT child, BSTR value) {
    return m_standard->put_accValue(child, value);
}

}  // namespace telvane::win32
