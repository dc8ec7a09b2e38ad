#include "forms/SvgRenderer.h"

#include <fstream>
#include <stdexcept>

#include "forms/CheckBox.h"
#include "forms/Color.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/ListBox.h"
#include "forms/Picture.h"
#include "forms/PictureBox.h"
#include "forms/ProgressBar.h"
#include "forms/SvgControlPainter.h"
#include "forms/SvgListPainter.h"
#include "forms/SvgPen.h"
#include "forms/SvgWriter.h"
#include "forms/TreeView.h"

namespace telvane::forms {

namespace {

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "Label";
        case ControlKind::CommandButton:
            return "CommandButton";
        case ControlKind::CheckBox:
            return "CheckBox";
        case ControlKind::Frame:
            return "Frame";
        case ControlKind::PictureBox:
            return "PictureBox";
        case ControlKind::Image:
            return "Image";
        case ControlKind::Line:
            return "Line";
        case ControlKind::TreeView:
            return "TreeView";
        case ControlKind::ListBox:
            return "ListBox";
        case ControlKind::ProgressBar:
            return "ProgressBar";
    }
    return "Control";
}

void OpenControl(SvgWriter& svg, const Control& control, const SvgBox& box) {
    const Bounds twips = control.FormBounds();
    svg.Open("g",
             {{"id", "ctl-" + SvgPen::SafeId(control.Name())},
              {"class", "control"},
              {"data-name", control.Name()},
              {"data-kind", KindName(control.Kind())},
              {"data-left", SvgPen::N(box.x)},
              {"data-top", SvgPen::N(box.y)},
              {"data-width", SvgPen::N(box.w)},
              {"data-height", SvgPen::N(box.h)},
              {"data-twips", std::to_string(twips.left) + " " + std::to_string(twips.top) + " " +
                                 std::to_string(twips.width) + " " + std::to_string(twips.height)},
              {"data-enabled", control.Enabled() ? "true" : "false"},
              {"data-usable", control.IsUsable() ? "true" : "false"}});
}

// The order a container's children are painted in: lines have no window, so the container
// paints them under every child; labels and images come next, the other controls last.
int Layer(const Control& control) {
    switch (control.Kind()) {
        case ControlKind::Line:
            return 0;
        case ControlKind::Label:
        case ControlKind::Image:
            return 1;
        default:
            return 2;
    }
}

void DrawChildren(SvgWriter& svg, const Container& container);

void DrawControl(SvgWriter& svg, const Control& control) {
    if (!control.Visible())
        return;
    const SvgBox box = SvgPen::PixelBox(control.FormBounds());
    OpenControl(svg, control, box);
    switch (control.Kind()) {
        case ControlKind::Label:
            SvgControlPainter::DrawLabel(svg, static_cast<const Label&>(control), box);
            break;
        case ControlKind::CommandButton:
            SvgControlPainter::DrawButton(svg, static_cast<const CommandButton&>(control), box);
            break;
        case ControlKind::CheckBox:
            SvgControlPainter::DrawCheckBox(svg, static_cast<const CheckBox&>(control), box);
            break;
        case ControlKind::Frame: {
            const auto& frame = static_cast<const Frame&>(control);
            SvgControlPainter::DrawFrame(svg, frame, box);
            DrawChildren(svg, frame);
            break;
        }
        case ControlKind::PictureBox:
            SvgControlPainter::DrawPictureBox(svg, static_cast<const PictureBox&>(control), box);
            break;
        case ControlKind::Image:
            SvgControlPainter::DrawImage(svg, static_cast<const Image&>(control), box);
            break;
        case ControlKind::Line:
            SvgControlPainter::DrawLine(svg, static_cast<const Line&>(control));
            break;
        case ControlKind::TreeView:
            SvgListPainter::DrawTreeView(svg, static_cast<const TreeView&>(control), box);
            break;
        case ControlKind::ListBox:
            SvgListPainter::DrawListBox(svg, static_cast<const ListBox&>(control), box);
            break;
        case ControlKind::ProgressBar:
            SvgControlPainter::DrawProgressBar(svg, static_cast<const ProgressBar&>(control), box);
            break;
    }
    svg.Close();
}

void DrawChildren(SvgWriter& svg, const Container& container) {
    for (int layer = 0; layer < 3; ++layer) {
        for (const Control* child : container.Children()) {
            if (Layer(*child) == layer)
                DrawControl(svg, *child);
        }
    }
}

void DrawTitleBar(SvgWriter& svg, const Form& form, double width) {
    const double frame = form.FramePixels();
    const double height = form.TitleBarPixels() - 1;
    if (height <= 0)
        return;
    const bool active = form.TakesInput() || !form.Visible();
    svg.Open("linearGradient", {{"id", "caption"}});
    svg.Empty("stop", {{"offset", "0"},
                       {"stop-color", active ? SvgPen::Hex(SystemColor::ActiveTitleBar)
                                             : SvgPen::Hex(SystemColor::InactiveTitleBar)}});
    svg.Empty("stop", {{"offset", "1"}, {"stop-color", active ? "#a6caf0" : "#c0c0c0"}});
    svg.Close();
    const SvgBox bar{frame, frame, width - 2 * frame, height};
    svg.Open("g", {{"id", "title-bar"}, {"data-caption", form.Caption()}});
    SvgPen::FillRect(svg, bar, "url(#caption)");
    const bool tool = form.BorderStyle() == FormBorderStyle::FixedToolWindow ||
                      form.BorderStyle() == FormBorderStyle::SizableToolWindow;
    double textX = bar.x + 3;
    if (!tool && !form.Icon().empty()) {
        svg.Open("g", {{"class", "icon"}, {"data-icon", form.Icon()}});
        svg.Text("title", {}, form.Icon());
        const SvgBox icon{bar.x + 2, bar.y + (bar.h - 16) / 2, 16, 16};
        if (const auto pixels = Picture::Load(form.Icon(), 16))
            SvgPen::DrawPixels(svg, *pixels, icon.x, icon.y, icon);
        else
            SvgPen::FillRect(svg, icon, "#ffffff");
        svg.Close();
        textX += 18;
    }
    Font captionFont = form.Font();
    captionFont.bold = true;
    svg.Text("text",
             SvgPen::TextAttributes(captionFont, textX,
                                    bar.y + (bar.h - SvgPen::LinePixels(captionFont)) / 2 +
                                        SvgPen::Ascent(captionFont),
                                    active ? SvgPen::Hex(SystemColor::TitleBarText)
                                           : SvgPen::Hex(SystemColor::InactiveCaptionText)),
             form.Caption());
    if (form.ControlBox()) {
        const double bw = tool ? 13 : 16;
        const double bh = tool ? 11 : 14;
        const SvgBox close{bar.x + bar.w - bw - 2, bar.y + (bar.h - bh) / 2, bw, bh};
        svg.Open("g", {{"class", "close-box"}});
        SvgPen::FillRect(svg, close, SvgPen::Hex(SystemColor::ButtonFace));
        SvgPen::RaisedBorder(svg, close);
        const SvgBox cross = SvgPen::Inset(close, 4);
        svg.Empty("path",
                  {{"d", "M" + SvgPen::N(cross.x) + "," + SvgPen::N(cross.y) + "L" +
                             SvgPen::N(cross.x + cross.w) + "," + SvgPen::N(cross.y + cross.h) +
                             "M" + SvgPen::N(cross.x + cross.w) + "," + SvgPen::N(cross.y) + "L" +
                             SvgPen::N(cross.x) + "," + SvgPen::N(cross.y + cross.h)},
                   {"stroke", SvgPen::Hex(SystemColor::ButtonText)},
                   {"stroke-width", "1.5"}});
        svg.Close();
    }
    svg.Close();
}

}  // namespace

std::string SvgRenderer::Render(const Form& form) {
    const Bounds window = form.WindowBounds();
    const double width = static_cast<double>(window.width) / kTwipsPerPixel;
    const double height = static_cast<double>(window.height) / kTwipsPerPixel;
    const double frame = form.FramePixels();
    const double title = form.TitleBarPixels();

    SvgWriter svg;
    svg.Open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                     {"width", SvgPen::N(width)},
                     {"height", SvgPen::N(height)},
                     {"viewBox", "0 0 " + SvgPen::N(width) + " " + SvgPen::N(height)},
                     {"data-form", form.Name()},
                     {"data-caption", form.Caption()},
                     {"data-mouse-pointer", std::to_string(static_cast<int>(form.MousePointer()))},
                     {"data-loaded", form.IsLoaded() ? "true" : "false"},
                     {"data-visible", form.Visible() ? "true" : "false"}});
    SvgPen::FillRect(svg, {0, 0, width, height}, SvgPen::Hex(SystemColor::ButtonFace));
    if (frame > 0)
        SvgPen::RaisedBorder(svg, {0, 0, width, height});
    DrawTitleBar(svg, form, width);

    const SvgBox client{0, 0, static_cast<double>(form.ClientWidth()) / kTwipsPerPixel,
                        static_cast<double>(form.ClientHeight()) / kTwipsPerPixel};
    svg.Open("g",
             {{"id", "client"},
              {"transform", "translate(" + SvgPen::N(frame) + "," + SvgPen::N(frame + title) + ")"},
              {"data-width", SvgPen::N(client.w)},
              {"data-height", SvgPen::N(client.h)}});
    SvgPen::FillRect(svg, client, form.BackColor().ToHex());
    DrawChildren(svg, form);
    svg.Close();
    return svg.Finish();
}

void SvgRenderer::RenderToFile(const Form& form, const std::filesystem::path& path) {
    const std::string document = Render(form);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    out << document;
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace telvane::forms
