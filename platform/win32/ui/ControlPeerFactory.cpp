// Product headers come before <windows.h>, whose macros share their names.
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/ListBox.h"
#include "forms/PictureBox.h"
#include "forms/ProgressBar.h"
#include "forms/TreeView.h"

#include "platform/win32/ui/ControlPeerFactory.h"

#include "platform/win32/ui/ButtonPeer.h"
#include "platform/win32/ui/CheckBoxPeer.h"
#include "platform/win32/ui/FramePeer.h"
#include "platform/win32/ui/LabelPeer.h"
#include "platform/win32/ui/LinePeer.h"
#include "platform/win32/ui/ListPeer.h"
#include "platform/win32/ui/PicturePeer.h"
#include "platform/win32/ui/ProgressBarPeer.h"
#include "platform/win32/ui/TreePeer.h"

namespace telvane::win32 {

std::unique_ptr<ControlPeer> ControlPeerFactory::Make(FormWindow& form, forms::Control& control,
                                                      int id) {
    using forms::ControlKind;
    switch (control.Kind()) {
        case ControlKind::Label:
            return std::make_unique<LabelPeer>(form, static_cast<forms::Label&>(control), id);
        case ControlKind::CommandButton:
            return std::make_unique<ButtonPeer>(form, static_cast<forms::CommandButton&>(control),
                                                id);
        case ControlKind::CheckBox:
            return std::make_unique<CheckBoxPeer>(form, static_cast<forms::CheckBox&>(control), id);
        case ControlKind::Frame:
            return std::make_unique<FramePeer>(form, static_cast<forms::Frame&>(control), id);
        case ControlKind::PictureBox:
            return std::make_unique<PicturePeer>(form, static_cast<forms::PictureBox&>(control),
                                                 id);
        case ControlKind::Image:
            return std::make_unique<PicturePeer>(form, static_cast<forms::Image&>(control), id);
        case ControlKind::TreeView:
            return std::make_unique<TreePeer>(form, static_cast<forms::TreeView&>(control), id);
        case ControlKind::ListBox:
            return std::make_unique<ListPeer>(form, static_cast<forms::ListBox&>(control), id);
        case ControlKind::ProgressBar:
            return std::make_unique<ProgressBarPeer>(form,
                                                     static_cast<forms::ProgressBar&>(control), id);
        case ControlKind::Line:
            break;
    }
    return std::make_unique<LinePeer>(form, static_cast<forms::Line&>(control), id);
}

}  // namespace telvane::win32
