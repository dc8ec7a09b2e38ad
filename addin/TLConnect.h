#pragma once

#include <memory>

#include "addin/AddInLibrary.h"
#include "addin/TelvaneAddIn.h"
#include "common/outlook/Application.h"

namespace telvane {

// The connection class the mail client creates at start-up (IDTExtensibility2). Owns the one
// TelvaneAddIn, created on first use by OnConnection or OnDisconnection.
class TLConnect {
public:
    explicit TLConnect(AddInLibrary& library) : m_library(library) {}

    // application: the object the mail client passed, already taken as its Application; empty
    // when it is not one, which fails the call before anything is attached.
    void OnConnection(const std::shared_ptr<outlook::Application>& application);
    void OnDisconnection();
    void OnStartupComplete() {}
    void OnBeginShutdown() {}
    void OnAddInsUpdate() {}

    // For tests: the add-in object, or null when there is none.
    TelvaneAddIn* AddIn() const { return m_objAddIn.get(); }

private:
    TelvaneAddIn& EnsureAddIn();

    AddInLibrary& m_library;
    std::unique_ptr<TelvaneAddIn> m_objAddIn;
};

}  // namespace telvane
