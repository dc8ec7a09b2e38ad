#pragma once

#include <memory>

#include "addin/AddInLibrary.h"
#include "common/outlook/Application.h"
#include "common/outlook/ContactItem.h"
#include "common/outlook/Explorer.h"
#include "common/outlook/Explorers.h"
#include "common/outlook/Inspector.h"
#include "common/outlook/Inspectors.h"
#include "common/outlook/NameSpace.h"
#include "common/outlook/PropertyPages.h"
#include "common/outlook/WithEvents.h"

namespace telvane {

// Holds the mail client's objects while attached, watches the contact of the most recently
// opened contact window, adds the options tab and detaches when the last window closes.
class TelvaneAddIn {
public:
    static constexpr const char* OptionsPageProgId = "TelvanePPE.TelvanePage";
    static constexpr const char* OptionsPageCaption = "Telvane";

    explicit TelvaneAddIn(AddInLibrary& library);
    TelvaneAddIn(const TelvaneAddIn&) = delete;
    TelvaneAddIn& operator=(const TelvaneAddIn&) = delete;

    void Attach(const std::shared_ptr<outlook::Application>& application);
    void Detach();

    bool HideFaxNumbers();
    bool ShowFaxNumbers();

    bool IsAttached() const { return static_cast<bool>(m_objOutlook); }
    // What is watched, for tests.
    const std::shared_ptr<outlook::Explorer>& WatchedExplorer() const { return m_objExpl.get(); }
    const std::shared_ptr<outlook::Inspector>& WatchedInspector() const { return m_objInsp.get(); }
    const std::shared_ptr<outlook::ContactItem>& WatchedContact() const {
        return m_objContactItem.get();
    }
    bool HoldsAnything() const;

private:
    void m_objOutlook_OptionsPagesAdd(const std::shared_ptr<outlook::PropertyPages>& pages);
    void m_objOutlook_Quit() {}
    void m_objExpl_Close();
    void m_objInsp_Close();
    void m_colInsp_NewInspector(const std::shared_ptr<outlook::Inspector>& inspector);
    void m_objContactItem_Write(bool& cancel);

    AddInLibrary& m_library;
    outlook::WithEvents<outlook::Application> m_objOutlook;
    std::shared_ptr<outlook::NameSpace> m_objNS;
    std::shared_ptr<outlook::Explorers> m_colExpl;
    outlook::WithEvents<outlook::Inspectors> m_colInsp;
    outlook::WithEvents<outlook::Explorer> m_objExpl;
    outlook::WithEvents<outlook::Inspector> m_objInsp;
    outlook::WithEvents<outlook::ContactItem> m_objContactItem;
};

}  // namespace telvane
