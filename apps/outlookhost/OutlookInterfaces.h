#pragma once

#include <ole2.h>
#include <windows.h>

namespace telvane::outlookhost {

// The vtable interfaces the host calls or offers, declared here because MinGW ships neither
// the Office add-in designer's nor the mail client's headers. Slots follow IDispatch's.

// _IDTExtensibility2 {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}: what the mail client calls on an
// add-in. The mode arguments are 32-bit enums.
struct IDTExtensibility2 : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, LONG connectMode,
                                                   IDispatch* addInInst, SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnDisconnection(LONG removeMode, SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

inline constexpr LONG ext_cm_Startup = 1;
inline constexpr LONG ext_dm_HostShutdown = 0;

// PropertyPage {0006307E}: a vtable-only interface (not dual) the Options dialog calls on a
// custom page.
struct OlPropertyPage : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE GetPageInfo(BSTR* helpFile, LONG* helpContext) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Dirty(VARIANT_BOOL* dirty) = 0;
    virtual HRESULT STDMETHODCALLTYPE Apply() = 0;
};

// PropertyPageSite {0006307F}: dual; what a custom page reaches its dialog through.
struct OlPropertyPageSite : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Application(IDispatch** application) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Class(LONG* objectClass) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Session(IDispatch** session) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** parent) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnStatusChange() = 0;
};

}  // namespace telvane::outlookhost
