#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace telvane::forms {

// Builds an SVG document as text: elements with escaped attributes and text, properly nested.
class SvgWriter {
public:
    using Attributes = std::vector<std::pair<std::string_view, std::string>>;

    SvgWriter();

    void Open(std::string_view tag, const Attributes& attributes);
    void Close();
    void Empty(std::string_view tag, const Attributes& attributes);
    // An element holding escaped text.
    void Text(std::string_view tag, const Attributes& attributes, std::string_view text);
    // A text element whose runs are escaped, the flagged ones underlined (an access key).
    void TextRuns(const Attributes& attributes,
                  const std::vector<std::pair<std::string, bool>>& runs);
    // Markup written as given (the caller escapes).
    void Raw(std::string_view markup);
    // Closes what is open and returns the document.
    std::string Finish();

    // Text escaped for XML content and attribute values.
    static std::string Escape(std::string_view text);
    // A number with at most two decimals and no trailing zeros.
    static std::string Number(double value);

private:
    void WriteStart(std::string_view tag, const Attributes& attributes);

    std::string m_out;
    std::vector<std::string> m_open;
};

}  // namespace telvane::forms
