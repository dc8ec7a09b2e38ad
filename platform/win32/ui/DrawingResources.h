#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "forms/Color.h"
#include "forms/Font.h"
#include "platform/win32/ui/GdiObjects.h"
#include "platform/win32/ui/PixelScale.h"
#include "platform/win32/ui/VisualStyles.h"

namespace telvane::win32 {

// The fonts and brushes the host's windows draw with: one object per font face, size and
// weight and per fixed colour, shared by every control of every form, released with the host.
class DrawingResources {
public:
    explicit DrawingResources(PixelScale scale) : m_scale(scale) {}
    DrawingResources(const DrawingResources&) = delete;
    DrawingResources& operator=(const DrawingResources&) = delete;

    // Fonts made from now on are for this DPI; those made before stay for the windows using them.
    void SetScale(PixelScale scale) { m_scale = scale; }
    const PixelScale& Scale() const { return m_scale; }

    HFONT Font(const forms::Font& font);
    // The font, or the largest smaller one (down to three quarters of its height) in which a
    // single line of text fits `room` pixels: the design measured its boxes with Windows' Tahoma,
    // and a face put in its place (Wine's, a substitute of another language) may run wider.
    HFONT Fitting(const forms::Font& font, const std::wstring& text, int room);
    // Width of a single line of text, "&" taken as an access key's mark, in pixels.
    static int TextWidth(HFONT font, const std::wstring& text);
    // System colours come from the user's scheme and need no brush of ours.
    HBRUSH Brush(forms::Color color);
    static COLORREF Rgb(forms::Color color);
    // The font as GDI made it, and the height of a line of text in it, in pixels.
    static TEXTMETRICW Metrics(HFONT font);
    static int LineHeight(HFONT font);
    // A picture of the module's resources by name, loaded once; null when there is none.
    HICON Icon(HINSTANCE module, const std::string& name, int size);
    HBITMAP Bitmap(HINSTANCE module, const std::string& name);

    const VisualStyles& Styles() const { return m_styles; }

    std::size_t FontCount() const { return m_fonts.size() + m_narrowed.size(); }

private:
    PixelScale m_scale;
    VisualStyles m_styles;
    std::map<std::tuple<std::string, int, bool, int>, FontHandle> m_fonts;
    // Fonts made smaller by Fitting, by face, height and weight.
    std::map<std::tuple<std::wstring, LONG, LONG>, FontHandle> m_narrowed;
    std::map<std::uint32_t, BrushHandle> m_brushes;
    std::map<std::pair<std::string, int>, IconHandle> m_icons;
    std::map<std::string, BitmapHandle> m_bitmaps;
};

}  // namespace telvane::win32
