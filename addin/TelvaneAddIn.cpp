#include "addin/TelvaneAddIn.h"

#include "common/FaxNumberRule.h"
#include "common/outlook/Item.h"
#include "common/outlook/RaisedError.h"
#include "common/outlook/TryStep.h"

namespace telvane {

TelvaneAddIn::TelvaneAddIn(AddInLibrary& library)
    : m_library(library),
      m_objOutlook(
          {.OptionsPagesAdd = [this](const auto& pages) { m_objOutlook_OptionsPagesAdd(pages); },
           .Quit = [this] { m_objOutlook_Quit(); }}),
      m_colInsp({.NewInspector = [this](const auto& insp) { m_colInsp_NewInspector(insp); }}),
      m_objExpl({.Close = [this] { m_objExpl_Close(); }}),
      m_objInsp({.Close = [this] { m_objInsp_Close(); }}),
      m_objContactItem({.Write = [this](bool& cancel) { m_objContactItem_Write(cancel); }}) {}

void TelvaneAddIn::Attach(const std::shared_ptr<outlook::Application>& application) {
    m_objOutlook = application;
    m_library.Settings().SettingsKeyPath = Settings::KeyPath;
    m_objNS = application->GetNamespace("MAPI");
    m_colExpl = application->Explorers();
    m_colInsp = application->Inspectors();
    m_objExpl = application->ActiveExplorer();
}

void TelvaneAddIn::Detach() {
    m_objContactItem = nullptr;
    m_objExpl = nullptr;
    m_objInsp = nullptr;
    m_colInsp = nullptr;
    m_colExpl.reset();
    m_objNS.reset();
    m_objOutlook = nullptr;
}

bool TelvaneAddIn::HoldsAnything() const {
    return m_objContactItem || m_objExpl || m_objInsp || m_colInsp || m_colExpl || m_objNS ||
           m_objOutlook;
}

bool TelvaneAddIn::HideFaxNumbers() {
    return telvane::HideFaxNumbers(*m_objContactItem);
}
bool TelvaneAddIn::ShowFaxNumbers() {
    return telvane::ShowFaxNumbers(*m_objContactItem);
}

void TelvaneAddIn::m_objOutlook_OptionsPagesAdd(
    const std::shared_ptr<outlook::PropertyPages>& pages) {
    pages->Add(Variant(OptionsPageProgId), OptionsPageCaption);
}

void TelvaneAddIn::m_colInsp_NewInspector(const std::shared_ptr<outlook::Inspector>& inspector) {
    TryStep([&] { m_objInsp = inspector; });
    std::shared_ptr<outlook::Item> item;
    TryStep([&] { item = m_objInsp ? m_objInsp->CurrentItem() : nullptr; });
    if (!item)
        return;
    Variant itemClass;
    if (!TryStep([&] { itemClass = item->GetProperty("Class"); }))
        return;
    bool isContact = false;
    TryStep([&] { isContact = itemClass.ToInt32() == outlook::olContact; });
    if (!isContact)
        return;
    TryStep([&] { m_objContactItem = item->AsContactItem(); });
}

void TelvaneAddIn::m_objExpl_Close() {
    std::int32_t explorers = 0;
    std::int32_t inspectors = 0;
    bool counted = TryStep([&] {
        explorers = m_objOutlook->Explorers()->Count();
        inspectors = m_objOutlook->Inspectors()->Count();
    });
    if (!counted || (explorers <= 1 && inspectors == 0))
        Detach();
}

void TelvaneAddIn::m_objInsp_Close() {
    std::shared_ptr<outlook::Explorer> active;
    std::int32_t inspectors = 0;
    bool counted = TryStep([&] {
        active = m_objOutlook->ActiveExplorer();
        inspectors = m_objOutlook->Inspectors()->Count();
    });
    if (!counted || (!active && inspectors <= 1))
        Detach();
}

void TelvaneAddIn::m_objContactItem_Write(bool& cancel) {
    // Held here: closing the item can detach the add-in, which releases the member.
    std::shared_ptr<outlook::ContactItem> contact = m_objContactItem.get();
    if (!contact)
        return;
    std::int16_t wanted = m_library.Settings().ReadSwitch();
    bool changed = false;
    if (wanted == 0) {
        changed = ShowFaxNumbers();
    } else if (wanted == 1) {
        changed = HideFaxNumbers();
    }
    if (changed) {
        cancel = true;
        try {
            contact->Close(outlook::olSave);
        } catch (const RaisedError&) {
            // The item already holds the wanted fields: let the user's own save store it
            // rather than lose it.
            cancel = false;
            throw;
        }
    }
}

}  // namespace telvane
