#include "forms/FormsError.h"

#include "common/outlook/RaisedError.h"

namespace telvane::forms {

std::string FormsError::Description(std::int32_t number) {
    switch (number) {
        case InvalidArgument:
            return "Invalid procedure call or argument";
        case ArrayElementMissing:
            return "Control array element doesn't exist";
        case AlreadyLoaded:
            return "Object already loaded";
        case ObjectUnloaded:
            return "Object was unloaded";
        case InvalidPropertyValue:
            return "Invalid property value";
        case InvalidArrayIndex:
            return "Invalid property array index";
        case ReadOnlyAtRunTime:
            return "Property is read-only";
        case AlreadyShown:
            return "Form already displayed; can't show modally";
        case IndexOutOfBounds:
            return "Index out of bounds";
        case ElementNotFound:
            return "Element not found";
        case KeyNotUnique:
            return "Key is not unique in collection";
        case ControlDeleted:
            return "Control has been deleted";
        default:
            return "Application-defined or object-defined error";
    }
}

void FormsError::Raise(std::int32_t number, const std::string& source) {
    throw RaisedError(number, source, Description(number));
}

}  // namespace telvane::forms
