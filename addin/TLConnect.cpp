#include "addin/TLConnect.h"

#include "common/outlook/RaisedError.h"

namespace telvane {

TelvaneAddIn& TLConnect::EnsureAddIn() {
    if (!m_objAddIn)
        m_objAddIn = std::make_unique<TelvaneAddIn>(m_library);
    return *m_objAddIn;
}

void TLConnect::OnConnection(const std::shared_ptr<outlook::Application>& application) {
    if (!application) {
        throw RaisedError(RaisedError::TypeMismatch, std::string(AddInLibrary::FileName),
                          "Type mismatch");
    }
    EnsureAddIn().Attach(application);
}

void TLConnect::OnDisconnection() {
    EnsureAddIn().Detach();
    m_objAddIn.reset();
}

}  // namespace telvane
