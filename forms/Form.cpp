#include "forms/Form.h"

#include <algorithm>
#include <utility>

#include "forms/CommandButton.h"
#include "forms/Control.h"
#include "forms/FormsError.h"
#include "forms/Mnemonic.h"
#include "forms/UiHost.h"

namespace telvane::forms {

namespace {

// Ends a modal show's bookkeeping however the host's loop returns.
class ModalScope {
public:
    ModalScope(bool& modal, Form*& owner, Form* newOwner) : m_modal(modal), m_owner(owner) {
        m_modal = true;
        m_owner = newOwner;
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    ~ModalScope() {
        m_modal = false;
        m_owner = nullptr;
    }

private:
    bool& m_modal;
    Form*& m_owner;
};

}  // namespace

Form::Form(UiHost& host, std::string name) : m_host(host), m_name(std::move(name)) {}

Form::~Form() {
    if (m_loaded)
        m_host.FormUnloaded(*this);
}

void Form::Changed(Property what) const {
    if (m_loaded)
        m_host.FormChanged(*this, what);
}

bool Form::Refuse(std::string_view action) const {
    m_host.InputRefused(*this, nullptr, action);
    return false;
}

void Form::SetCaption(std::string caption) {
    if (caption == m_caption)
        return;
    m_caption = std::move(caption);
    Changed(Property::Caption);
}

void Form::SetIcon(std::string icon) {
    m_icon = std::move(icon);
    Changed(Property::Icon);
}

void Form::SetBorderStyle(FormBorderStyle style) {
    if (m_loaded)
        FormsError::Raise(FormsError::ReadOnlyAtRunTime, m_name);
    m_borderStyle = style;
}

void Form::SetStartUpPosition(forms::StartUpPosition position) {
    if (m_loaded)
        FormsError::Raise(FormsError::ReadOnlyAtRunTime, m_name);
    m_startUpPosition = position;
}

void Form::SetShowInTaskbar(bool show) {
    if (m_loaded)
        FormsError::Raise(FormsError::ReadOnlyAtRunTime, m_name);
    m_showInTaskbar = show;
}

void Form::SetControlBox(bool controlBox) {
    if (m_loaded)
        FormsError::Raise(FormsError::ReadOnlyAtRunTime, m_name);
    m_controlBox = controlBox;
}

void Form::SetFont(const forms::Font& font) {
    m_font = font;
    Changed(Property::Font);
}

void Form::SetBackColor(Color color) {
    m_backColor = color;
    Changed(Property::Colors);
}

void Form::SetClientSize(int width, int height) {
    if (width < 0 || height < 0)
        FormsError::Raise(FormsError::InvalidPropertyValue, m_name);
    if (width == m_clientWidth && height == m_clientHeight)
        return;
    m_clientWidth = width;
    m_clientHeight = height;
    Changed(Property::Bounds);
    if (m_loaded) {
        const auto keep = KeepAlive();
        Form_Resize();
    }
}

int Form::FramePixels() const {
    switch (m_borderStyle) {
        case FormBorderStyle::None:
            return 0;
        case FormBorderStyle::Sizable:
        case FormBorderStyle::SizableToolWindow:
            return 4;
        default:
            return 3;
    }
}

int Form::TitleBarPixels() const {
    switch (m_borderStyle) {
        case FormBorderStyle::None:
            return 0;
        case FormBorderStyle::FixedToolWindow:
        case FormBorderStyle::SizableToolWindow:
            return 16;
        default:
            return 19;
    }
}

Bounds Form::WindowBounds() const {
    const int frame = FramePixels() * kTwipsPerPixel;
    return {m_left, m_top, m_clientWidth + 2 * frame,
            m_clientHeight + 2 * frame + TitleBarPixels() * kTwipsPerPixel};
}

void Form::SetWindowPosition(int left, int top) {
    m_left = left;
    m_top = top;
    Changed(Property::Bounds);
}

void Form::SetMousePointer(forms::MousePointer pointer) {
    if (pointer == m_mousePointer)
        return;
    m_mousePointer = pointer;
    Changed(Property::MousePointer);
}

void Form::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Changed(Property::Enabled);
}

bool Form::TakesInput() const {
    return m_loaded && m_visible && m_enabled && m_host.TakesInput(*this);
}

// --- Controls ---

void Form::Register(Control& control) {
    m_controls.push_back(&control);
    if (control.HasTabIndex())
        m_tabOrder.push_back(&control);
}

void Form::Unregister(Control& control) {
    std::erase(m_controls, &control);
    std::erase(m_tabOrder, &control);
    if (m_activeControl == &control)
        m_activeControl = nullptr;
}

Control* Form::FindControl(std::string_view name) const {
    const auto it = std::find_if(m_controls.begin(), m_controls.end(),
                                 [name](const Control* c) { return c->Name() == name; });
    return it == m_controls.end() ? nullptr : *it;
}

void Form::MoveInTabOrder(Control& control, int index) {
    std::erase(m_tabOrder, &control);
    const auto position = std::min(static_cast<std::size_t>(index), m_tabOrder.size());
    m_tabOrder.insert(m_tabOrder.begin() + static_cast<std::ptrdiff_t>(position), &control);
    Changed(Property::TabOrder);
}

void Form::SetTabOrder(const std::vector<Control*>& order) {
    int index = 0;
    for (Control* control : order)
        control->SetTabIndex(index++);
}

void Form::SetActiveControl(Control* control) {
    if (control == m_activeControl)
        return;
    m_activeControl = control;
    Changed(Property::Focus);
}

void Form::SetCancelButton(CommandButton* button) {
    m_cancelButton = button;
}

void Form::SetDefaultButton(CommandButton* button) {
    m_defaultButton = button;
}

void Form::FocusFirstControl() {
    if (m_activeControl != nullptr && m_activeControl->CanReceiveFocus())
        return;
    for (Control* control : m_tabOrder) {
        if (control->TabStop() && control->CanReceiveFocus()) {
            SetActiveControl(control);
            return;
        }
    }
}

// --- Lifecycle ---

std::shared_ptr<Form> Form::KeepAlive() {
    return weak_from_this().lock();
}

std::shared_ptr<const Form> Form::KeepAlive() const {
    return weak_from_this().lock();
}

void Form::SetUnloadListener(std::function<void()> listener) {
    m_unloadListener = std::move(listener);
}

void Form::Load() {
    if (m_loaded)
        return;
    const auto keep = KeepAlive();
    m_loaded = true;
    m_host.FormLoaded(*this);
    try {
        Form_Load();
    } catch (...) {
        // A form whose load failed is not left half loaded.
        m_loaded = false;
        m_visible = false;
        m_host.FormUnloaded(*this);
        throw;
    }
}

bool Form::Unload(UnloadMode mode) {
    if (!m_loaded || m_unloading)
        return true;
    const auto keep = KeepAlive();
    m_unloading = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_unloading};

    bool cancel = false;
    Form_QueryUnload(cancel, mode);
    if (cancel)
        return false;
    Form_Unload(cancel);
    if (cancel)
        return false;

    m_loaded = false;
    m_visible = false;
    m_activeControl = nullptr;
    m_host.FormUnloaded(*this);
    if (auto listener = std::exchange(m_unloadListener, {}))
        listener();
    return true;
}

void Form::Place(const Form* owner) {
    const Bounds window = WindowBounds();
    switch (m_startUpPosition) {
        case forms::StartUpPosition::CenterOwner:
            if (owner != nullptr) {
                const Bounds outer = owner->WindowBounds();
                m_left = outer.left + (outer.width - window.width) / 2;
                m_top = outer.top + (outer.height - window.height) / 2;
                break;
            }
            [[fallthrough]];
        case forms::StartUpPosition::CenterScreen:
            m_left = (m_host.ScreenWidth() - window.width) / 2;
            m_top = (m_host.ScreenHeight() - window.height) / 2;
            break;
        case forms::StartUpPosition::WindowsDefault:
        case forms::StartUpPosition::Manual:
            break;
    }
}

void Form::Show() {
    Load();
    if (!m_loaded || m_visible)
        return;
    Place(nullptr);
    m_visible = true;
    m_host.Show(*this);
    FocusFirstControl();
}

void Form::ShowModal(Form* owner) {
    const auto keep = KeepAlive();
    if (m_visible)
        FormsError::Raise(FormsError::AlreadyShown, m_name);
    if (owner == this)
        FormsError::Raise(FormsError::InvalidArgument, m_name);
    Load();
    if (!m_loaded)
        return;  // Form_Load unloaded it again
    Place(owner);
    m_visible = true;
    ModalScope scope(m_modal, m_owner, owner);
    FocusFirstControl();
    try {
        m_host.ShowModal(*this, owner);
    } catch (...) {
        m_visible = false;
        throw;
    }
}

void Form::Hide() {
    if (!m_visible)
        return;
    m_visible = false;
    m_host.Hide(*this);
}

// --- User actions ---

bool Form::UserPressEscape() {
    if (!TakesInput())
        return Refuse("Esc");
    return m_cancelButton != nullptr && m_cancelButton->Press("Esc", false);
}

bool Form::UserPressEnter() {
    if (!TakesInput())
        return Refuse("Enter");
    if (m_activeControl != nullptr && m_activeControl->Kind() == ControlKind::CommandButton) {
        return static_cast<CommandButton*>(m_activeControl)->Press("Enter", false);
    }
    return m_defaultButton != nullptr && m_defaultButton->Press("Enter", false);
}

bool Form::UserPressTab(bool backwards) {
    if (!TakesInput())
        return Refuse("Tab");
    const auto count = static_cast<std::ptrdiff_t>(m_tabOrder.size());
    if (count == 0)
        return false;
    const auto current = std::find(m_tabOrder.begin(), m_tabOrder.end(), m_activeControl);
    std::ptrdiff_t position =
        current == m_tabOrder.end() ? (backwards ? 0 : -1) : current - m_tabOrder.begin();
    for (std::ptrdiff_t step = 0; step < count; ++step) {
        position = (position + (backwards ? count - 1 : 1)) % count;
        Control* candidate = m_tabOrder[static_cast<std::size_t>(position)];
        if (candidate->TabStop() && candidate->CanReceiveFocus()) {
            SetActiveControl(candidate);
            return true;
        }
    }
    return false;
}

bool Form::UserPressAccessKey(char key) {
    if (!TakesInput())
        return Refuse(std::string("Alt+") + key);
    for (std::size_t i = 0; i < m_tabOrder.size(); ++i) {
        Control* control = m_tabOrder[i];
        if (!Mnemonic::Parse(control->AccessKeyCaption()).Matches(key))
            continue;
        if (!control->IsUsable())
            continue;
        switch (control->Kind()) {
            case ControlKind::Label:
            case ControlKind::Frame:
                for (std::size_t j = i + 1; j < m_tabOrder.size(); ++j) {
                    if (m_tabOrder[j]->CanReceiveFocus()) {
                        SetActiveControl(m_tabOrder[j]);
                        return true;
                    }
                }
                return false;
            default:
                return control->AccessKeyPressed();
        }
    }
    return false;
}

bool Form::UserClose() {
    if (!m_controlBox || !TakesInput())
        return Refuse("close box");
    return Unload(UnloadMode::ControlMenu);
}

}  // namespace telvane::forms
