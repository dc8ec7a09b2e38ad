#pragma once

#include <cstdint>
#include <string>

namespace telvane::forms {

// The run-time errors that forms and controls raise, with the numbers and texts the mail
// client's own controls use, so that product code can test err.Number as it always did.
class FormsError {
public:
    static constexpr std::int32_t InvalidArgument = 5;         // e.g. focus to a hidden control
    static constexpr std::int32_t ArrayElementMissing = 340;   // control array index not loaded
    static constexpr std::int32_t AlreadyLoaded = 360;         // control array index reused
    static constexpr std::int32_t ObjectUnloaded = 364;        // form unloaded in Form_Load
    static constexpr std::int32_t InvalidPropertyValue = 380;  // value outside its range
    static constexpr std::int32_t InvalidArrayIndex = 381;     // list entry index out of range
    static constexpr std::int32_t ReadOnlyAtRunTime = 383;     // a design-time property
    static constexpr std::int32_t AlreadyShown = 400;          // modal show of a shown form
    static constexpr std::int32_t IndexOutOfBounds = 35600;    // node index out of range
    static constexpr std::int32_t ElementNotFound = 35601;     // no node with that key
    static constexpr std::int32_t KeyNotUnique = 35602;        // node key already used
    static constexpr std::int32_t ControlDeleted = 35605;      // node removed from its tree

    // Throws telvane::RaisedError with the number's standard text; `source` names the control
    // or form that refused.
    [[noreturn]] static void Raise(std::int32_t number, const std::string& source);

    static std::string Description(std::int32_t number);
};

}  // namespace telvane::forms
