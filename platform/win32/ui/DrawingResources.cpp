#include "platform/win32/ui/DrawingResources.h"

#include <cmath>

#include "platform/win32/com/TextConversion.h"

namespace telvane::win32 {

HFONT DrawingResources::Font(const forms::Font& font) {
    // Hundredths of a point, so that 8.25 and 6.75 stay apart.
    const auto key = std::make_tuple(font.name, static_cast<int>(std::lround(font.size * 100)),
                                     font.bold, m_scale.Dpi());
    auto found = m_fonts.find(key);
    if (found != m_fonts.end())
        return found->second.Get();
    LOGFONTW description{};
    description.lfHeight = m_scale.FontHeight(font.size);
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = com::WideFromUtf8(font.name);
    lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
    FontHandle created(::CreateFontIndirectW(&description));
    if (m_scale.Dpi() != PixelScale::kDefaultDpi) {
        // The design's boxes are made for the font's line at 96 DPI; a font's line does not
        // grow in step with the DPI (hinting rounds it up), so the font is made as large as
        // still fits the box grown in step, lest a line of text be cut off at the bottom.
        LOGFONTW designed = description;
        designed.lfHeight = PixelScale(PixelScale::kDefaultDpi).FontHeight(font.size);
        const FontHandle atDefault(::CreateFontIndirectW(&designed));
        const int room = m_scale.FromDefault(LineHeight(atDefault.Get()));
        while (created && description.lfHeight < -1 && LineHeight(created.Get()) > room) {
            ++description.lfHeight;
            created.Reset(::CreateFontIndirectW(&description));
        }
    }
    const HFONT handle = created.Get();
    m_fonts.emplace(key, std::move(created));
    return handle;
}

HFONT DrawingResources::Fitting(const forms::Font& font, const std::wstring& text, int room) {
    HFONT chosen = Font(font);
    LOGFONTW description{};
    if (text.empty() || room <= 0 || ::GetObjectW(chosen, sizeof description, &description) == 0)
        return chosen;
    // Smaller than this is hard to read; the caption is cut off rather.
    const LONG smallest = description.lfHeight * 3 / 4;
    while (description.lfHeight < smallest && TextWidth(chosen, text) > room) {
        ++description.lfHeight;
        const auto key = std::make_tuple(std::wstring(description.lfFaceName), description.lfHeight,
                                         description.lfWeight);
        auto found = m_narrowed.find(key);
        if (found == m_narrowed.end()) {
            FontHandle made(::CreateFontIndirectW(&description));
            if (!made)
                break;
            found = m_narrowed.emplace(key, std::move(made)).first;
        }
        chosen = found->second.Get();
    }
    return chosen;
}

int DrawingResources::TextWidth(HFONT font, const std::wstring& text) {
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(screen, font);
    RECT needed{};
    ::DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &needed,
                DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(screen, previous);
    ::ReleaseDC(nullptr, screen);
    return needed.right - needed.left;
}

COLORREF DrawingResources::Rgb(forms::Color color) {
    return color.IsSystem() ? ::GetSysColor(color.SystemIndex())
                            : static_cast<COLORREF>(color.OleColor());
}

HBRUSH DrawingResources::Brush(forms::Color color) {
    if (color.IsSystem())
        return ::GetSysColorBrush(color.SystemIndex());
    auto found = m_brushes.find(color.OleColor());
    if (found != m_brushes.end())
        return found->second.Get();
    BrushHandle created(::CreateSolidBrush(Rgb(color)));
    const HBRUSH handle = created.Get();
    m_brushes.emplace(color.OleColor(), std::move(created));
    return handle;
}

TEXTMETRICW DrawingResources::Metrics(HFONT font) {
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(screen, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen, &metrics);
    ::SelectObject(screen, previous);
    ::ReleaseDC(nullptr, screen);
    return metrics;
}

int DrawingResources::LineHeight(HFONT font) {
    return Metrics(font).tmHeight;
}

HICON DrawingResources::Icon(HINSTANCE module, const std::string& name, int size) {
    const auto key = std::make_pair(name, size);
    auto found = m_icons.find(key);
    if (found == m_icons.end()) {
        IconHandle loaded(static_cast<HICON>(::LoadImageW(
            module, com::WideFromUtf8(name).c_str(), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        found = m_icons.emplace(key, std::move(loaded)).first;
    }
    return found->second.Get();
}

HBITMAP DrawingResources::Bitmap(HINSTANCE module, const std::string& name) {
    auto found = m_bitmaps.find(name);
    if (found == m_bitmaps.end()) {
        BitmapHandle loaded(static_cast<HBITMAP>(
            ::LoadImageW(module, com::WideFromUtf8(name).c_str(), IMAGE_BITMAP, 0, 0, 0)));
        found = m_bitmaps.emplace(name, std::move(loaded)).first;
    }
    return found->second.Get();
}

}  // namespace telvane::win32
