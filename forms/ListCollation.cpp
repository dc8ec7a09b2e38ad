#include "forms/ListCollation.h"

#include <cstdint>
#include <vector>

namespace telvane::forms {

namespace {

// Primary classes, in list order.
constexpr std::uint8_t kSymbol = 1;
constexpr std::uint8_t kDigit = 2;
constexpr std::uint8_t kLetter = 3;

// Decodes one UTF-8 code point at text[pos], advancing pos; a malformed byte stands for itself.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3 ? lead & 0x07u : extra == 2 ? lead & 0x0Fu : lead & 0x1Fu;
    if (extra == 0)
        return lead;
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0u) != 0x80u) {
            return lead;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3Fu);
    }
    return cp;
}

struct Weight {
    std::uint8_t cls;
    char32_t base;        // folded letter, digit or symbol
    std::uint8_t accent;  // 0 for a plain letter
};

// Latin-1 letters from U+00C0 (upper) and U+00E0 (lower): base letter and accent rank.
// 0 marks the two that are not letters (multiplication and division signs).
constexpr char kLatin1Base[32] = {'a', 'a', 'a', 'a', 'a', 'a', 'a', 'c', 'e', 'e', 'e',
                                  'e', 'i', 'i', 'i', 'i', 'd', 'n', 'o', 'o', 'o', 'o',
                                  'o', 0,   'o', 'u', 'u', 'u', 'u', 'y', 't', 's'};
constexpr std::uint8_t kLatin1Accent[32] = {1, 2, 3, 4, 5, 6, 7, 1, 1, 2, 3, 4, 1, 2, 3, 4,
                                            1, 1, 1, 2, 3, 4, 5, 0, 6, 1, 2, 3, 4, 1, 1, 1};

// Appends the weights of one code point; æ, þ and ß expand to two letters as in a word sort.
void AppendWeights(char32_t cp, std::vector<Weight>& out) {
    if (cp < 0x80) {
        const auto c = static_cast<char>(cp);
        if (c >= 'A' && c <= 'Z') {
            out.push_back({kLetter, static_cast<char32_t>(c - 'A' + 'a'), 0});
        } else if (c >= 'a' && c <= 'z') {
            out.push_back({kLetter, cp, 0});
        } else if (c >= '0' && c <= '9') {
            out.push_back({kDigit, cp, 0});
        } else {
            out.push_back({kSymbol, cp, 0});
        }
        return;
    }
    if (cp >= 0xC0 && cp <= 0xFF) {
        const std::size_t slot = (cp & 0x1Fu);
        if (kLatin1Base[slot] == 0) {
            out.push_back({kSymbol, cp, 0});
            return;
        }
        if (slot == 6) {  // æ
            out.push_back({kLetter, 'a', 0});
            out.push_back({kLetter, 'e', 1});
        } else if (slot == 0x1E) {  // þ
            out.push_back({kLetter, 't', 0});
            out.push_back({kLetter, 'h', 1});
        } else if (cp == 0xDF) {  // ß
            out.push_back({kLetter, 's', 0});
            out.push_back({kLetter, 's', 1});
        } else if (cp == 0xFF) {  // ÿ
            out.push_back({kLetter, 'y', 2});
        } else {
            out.push_back({kLetter, static_cast<char32_t>(kLatin1Base[slot]), kLatin1Accent[slot]});
        }
        return;
    }
    if (cp < 0xC0) {
        out.push_back({kSymbol, cp, 0});
        return;
    }
    // Other scripts: fold the case of the ranges where upper and lower case sit side by side.
    char32_t folded = cp;
    if ((cp >= 0x391 && cp <= 0x3A9) || (cp >= 0x410 && cp <= 0x42F)) {
        folded = cp + 0x20;  // Greek, Cyrillic
    } else if (cp >= 0x400 && cp <= 0x40F) {
        folded = cp + 0x50;
    } else if (cp >= 0x100 && cp <= 0x17F) {
        folded = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E)
                     ? ((cp & 1u) != 0 ? cp + 1 : cp)
                     : (cp | 1u);  // Latin Extended-A pairs
    }
    out.push_back({kLetter, folded, 0});
}

bool IsIgnorable(char32_t cp) {
    return cp == '-' || cp == '\'' || cp == 0x2010 || cp == 0x2011 || cp == 0x2019 || cp == 0xAD;
}

void AppendCodePoint(std::string& key, char32_t cp) {
    key += static_cast<char>((cp >> 16) & 0xFFu);
    key += static_cast<char>((cp >> 8) & 0xFFu);
    key += static_cast<char>(cp & 0xFFu);
}

}  // namespace

std::string ListCollation::SortKey(std::string_view text) {
    std::vector<Weight> weights;
    std::vector<char32_t> ignored;
    weights.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t cp = NextCodePoint(text, pos);
        if (IsIgnorable(cp)) {
            ignored.push_back(static_cast<char32_t>(weights.size()));
            ignored.push_back(cp);
        } else {
            AppendWeights(cp, weights);
        }
    }

    // Primary level: class then folded character, four bytes per element, so that the 0 byte
    // ending the level compares below any element and a shorter text sorts first.
    std::string key;
    key.reserve(weights.size() * 5 + ignored.size() * 3 + 2);
    for (const Weight& w : weights) {
        key += static_cast<char>(w.cls);
        AppendCodePoint(key, w.base);
    }
    key += '\0';
    // Secondary level: accents, one byte per element (never 0 within the level).
    for (const Weight& w : weights)
        key += static_cast<char>(w.accent + 1);
    key += '\0';
    // Last level: where the ignored characters stood, and which they were.
    for (char32_t v : ignored)
        AppendCodePoint(key, v + 1);
    return key;
}

int ListCollation::Compare(std::string_view a, std::string_view b) {
    const int result = SortKey(a).compare(SortKey(b));
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

}  // namespace telvane::forms
