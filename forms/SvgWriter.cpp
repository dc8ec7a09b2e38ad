#include "forms/SvgWriter.h"

#include <cmath>
#include <cstdio>

namespace telvane::forms {

SvgWriter::SvgWriter() {
    m_out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
}

std::string SvgWriter::Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                // Control characters other than tab and line breaks are not allowed in XML.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
                    out += ' ';
                } else {
                    out += c;
                }
        }
    }
    return out;
}

std::string SvgWriter::Number(double value) {
    const double rounded = std::round(value * 100.0) / 100.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", rounded == 0.0 ? 0.0 : rounded);
    std::string out = text;
    while (out.back() == '0')
        out.pop_back();
    if (out.back() == '.')
        out.pop_back();
    return out;
}

void SvgWriter::WriteStart(std::string_view tag, const Attributes& attributes) {
    m_out.append(m_open.size() * 2, ' ');
    m_out += '<';
    m_out += tag;
    for (const auto& [name, value] : attributes) {
        m_out += ' ';
        m_out += name;
        m_out += "=\"";
        m_out += Escape(value);
        m_out += '"';
    }
}

void SvgWriter::Open(std::string_view tag, const Attributes& attributes) {
    WriteStart(tag, attributes);
    m_out += ">\n";
    m_open.emplace_back(tag);
}

void SvgWriter::Close() {
    if (m_open.empty())
        return;
    const std::string tag = std::move(m_open.back());
    m_open.pop_back();
    m_out.append(m_open.size() * 2, ' ');
    m_out += "</" + tag + ">\n";
}

void SvgWriter::Empty(std::string_view tag, const Attributes& attributes) {
    WriteStart(tag, attributes);
    m_out += "/>\n";
}

void SvgWriter::Text(std::string_view tag, const Attributes& attributes, std::string_view text) {
    WriteStart(tag, attributes);
    m_out += '>';
    m_out += Escape(text);
    m_out += "</";
    m_out += tag;
    m_out += ">\n";
}

void SvgWriter::TextRuns(const Attributes& attributes,
                         const std::vector<std::pair<std::string, bool>>& runs) {
    WriteStart("text", attributes);
    m_out += '>';
    for (const auto& [text, underlined] : runs) {
        if (underlined)
            m_out += "<tspan text-decoration=\"underline\">";
        m_out += Escape(text);
        if (underlined)
            m_out += "</tspan>";
    }
    m_out += "</text>\n";
}

void SvgWriter::Raw(std::string_view markup) {
    m_out.append(m_open.size() * 2, ' ');
    m_out += markup;
    m_out += '\n';
}

std::string SvgWriter::Finish() {
    while (!m_open.empty())
        Close();
    return std::move(m_out);
}

}  // namespace telvane::forms
