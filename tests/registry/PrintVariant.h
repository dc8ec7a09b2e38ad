#pragma once

#include <cstdio>
#include <ostream>

#include "common/outlook/Variant.h"

namespace telvane {

// Lets assertion messages show a Variant's kind and value.
inline void PrintTo(const Variant& value, std::ostream* out) {
    switch (value.GetKind()) {
        case Variant::Kind::Empty:
            *out << "Empty";
            return;
        case Variant::Kind::Int16:
            *out << "Int16 " << value.AsInt16();
            return;
        case Variant::Kind::Int32:
            *out << "Int32 " << value.AsInt32();
            return;
        case Variant::Kind::Bool:
            *out << "Bool " << (value.AsBool() ? "true" : "false");
            return;
        case Variant::Kind::Double:
            *out << "Double " << value.AsDouble();
            return;
        case Variant::Kind::Text: {
            *out << "Text \"";
            for (char c : value.AsText()) {
                if (c == '\0') {
                    *out << "\\0";
                } else {
                    *out << c;
                }
            }
            *out << '"';
            return;
        }
        case Variant::Kind::Bytes: {
            *out << "Bytes {";
            char hex[4];
            for (auto byte : value.AsBytes()) {
                std::snprintf(hex, sizeof hex, " %02X", byte);
                *out << hex;
            }
            *out << " }";
            return;
        }
    }
}

}  // namespace telvane
