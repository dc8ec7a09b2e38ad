#include "common/FaxNumberRule.h"

namespace telvane {

bool IsFaxNumberHidden(std::string_view text) {
    return text.starts_with(FaxMarker);
}

std::string HideFaxNumber(std::string_view text) {
    if (text.empty() || IsFaxNumberHidden(text))
        return std::string(text);
    std::string hidden(FaxMarker);
    hidden += text;
    return hidden;
}

std::string ShowFaxNumber(std::string_view text) {
    if (!IsFaxNumberHidden(text))
        return std::string(text);
    return std::string(text.substr(FaxMarker.size()));
}

namespace {

template <class Transform>
bool RewriteFaxFields(outlook::ContactItem& contact, Transform transform) {
    bool changed = false;
    for (auto field : FaxFields) {
        std::string text = contact.Get(field);
        std::string wanted = transform(text);
        if (wanted != text) {
            contact.Put(field, wanted);
            changed = true;
        }
    }
    return changed;
}

}  // namespace

bool HideFaxNumbers(outlook::ContactItem& contact) {
    return RewriteFaxFields(contact, [](const std::string& t) { return HideFaxNumber(t); });
}

bool ShowFaxNumbers(outlook::ContactItem& contact) {
    return RewriteFaxFields(contact, [](const std::string& t) { return ShowFaxNumber(t); });
}

bool HasHiddenFaxNumber(outlook::ContactItem& contact) {
    for (auto field : FaxFields) {
        if (IsFaxNumberHidden(contact.Get(field)))
            return true;
    }
    return false;
}

}  // namespace telvane
