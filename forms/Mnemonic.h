#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace telvane::forms {

// A caption's access key: "&Update" shows "Update" with the U underlined and is reached with
// Alt+U; "&&" shows one ampersand. The last single "&" wins, as in Windows.
class Mnemonic {
public:
    static Mnemonic Parse(std::string_view caption);

    // The caption as drawn, without the markers.
    const std::string& DisplayText() const { return m_display; }
    // Byte offset in DisplayText() of the underlined character, if there is one.
    std::optional<std::size_t> UnderlineAt() const { return m_underline; }
    // The access key in lower case ('\0' when the caption has none).
    char Key() const { return m_key; }
    // Whether pressing Alt+key (any case) reaches this caption.
    bool Matches(char key) const;

private:
    std::string m_display;
    std::optional<std::size_t> m_underline;
    char m_key = '\0';
};

}  // namespace telvane::forms
