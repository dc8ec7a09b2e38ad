#include "forms/Mnemonic.h"

#include <cctype>

namespace telvane::forms {

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

Mnemonic Mnemonic::Parse(std::string_view caption) {
    Mnemonic result;
    result.m_display.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            result.m_display += caption[i];
            continue;
        }
        if (i + 1 >= caption.size())
            break;  // a trailing marker marks nothing
        if (caption[i + 1] == '&') {
            result.m_display += '&';
            ++i;
            continue;
        }
        result.m_underline = result.m_display.size();
        // Only an ASCII character can be typed with Alt; a marked multi-byte character is
        // underlined but gives no key.
        const unsigned char next = static_cast<unsigned char>(caption[i + 1]);
        result.m_key = next < 0x80 ? Lower(static_cast<char>(next)) : '\0';
    }
    return result;
}

bool Mnemonic::Matches(char key) const {
    return m_key != '\0' && Lower(key) == m_key;
}

}  // namespace telvane::forms
