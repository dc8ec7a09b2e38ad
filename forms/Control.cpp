#include "forms/Control.h"

#include <algorithm>

#include "forms/Container.h"
#include "forms/Form.h"
#include "forms/FormsError.h"
#include "forms/UiHost.h"

namespace telvane::forms {

namespace {

bool KindHasTabIndex(ControlKind kind) {
    return kind != ControlKind::Line && kind != ControlKind::Image;
}

bool KindTakesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::TreeView:
        case ControlKind::ListBox:
        case ControlKind::PictureBox:
            return true;
        default:
            return false;
    }
}

}  // namespace

Control::Control(Container& parent, ControlKind kind, std::string name, const Bounds& bounds)
    : m_parent(parent),
      m_parentControl(parent.AsControl()),
      m_form(parent.OwnerForm()),
      m_kind(kind),
      m_baseName(name),
      m_name(std::move(name)),
      m_bounds(bounds),
      m_font(parent.InheritedFont()) {
    m_parent.m_children.push_back(this);
    m_form.Register(*this);
}

Control::~Control() {
    // The form's base part outlives its member controls; a frame declared before this control
    // may already be gone, in which case the form no longer lists it.
    const auto& controls = m_form.Controls();
    const bool parentAlive =
        m_parentControl == nullptr ||
        std::find(controls.begin(), controls.end(), m_parentControl) != controls.end();
    if (parentAlive)
        std::erase(m_parent.m_children, this);
    m_form.Unregister(*this);
}

Form& Control::OwnerForm() const {
    return m_form;
}

void Control::SetArrayIndex(int index) {
    m_index = index;
    m_name = m_baseName + "(" + std::to_string(index) + ")";
}

void Control::Move(const Bounds& bounds) {
    if (bounds == m_bounds)
        return;
    m_bounds = bounds;
    Changed(Property::Bounds);
}

void Control::StoreBounds(const Bounds& bounds) {
    m_bounds = bounds;
}

void Control::SetLeft(int left) {
    Move({left, m_bounds.top, m_bounds.width, m_bounds.height});
}
void Control::SetTop(int top) {
    Move({m_bounds.left, top, m_bounds.width, m_bounds.height});
}
void Control::SetWidth(int width) {
    Move({m_bounds.left, m_bounds.top, width, m_bounds.height});
}
void Control::SetHeight(int height) {
    Move({m_bounds.left, m_bounds.top, m_bounds.width, height});
}

Bounds Control::FormBounds() const {
    Bounds result = m_bounds;
    for (const Control* c = m_parentControl; c != nullptr; c = c->m_parentControl) {
        result.left += c->m_bounds.left;
        result.top += c->m_bounds.top;
    }
    return result;
}

void Control::SetVisible(bool visible) {
    if (visible == m_visible)
        return;
    m_visible = visible;
    Changed(Property::Visible);
}

void Control::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Changed(Property::Enabled);
}

void Control::SetFont(const forms::Font& font) {
    if (font == m_font)
        return;
    m_font = font;
    Changed(Property::Font);
    FontChanged();
}

void Control::SetFontBold(bool bold) {
    forms::Font font = m_font;
    font.bold = bold;
    SetFont(font);
}

void Control::SetFontSize(double points) {
    forms::Font font = m_font;
    font.size = points;
    SetFont(font);
}

bool Control::HasTabIndex() const {
    return KindHasTabIndex(m_kind);
}

int Control::TabIndex() const {
    const auto& order = m_form.TabOrder();
    const auto it = std::find(order.begin(), order.end(), this);
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

void Control::SetTabIndex(int index) {
    if (!HasTabIndex() || index < 0)
        FormsError::Raise(FormsError::InvalidPropertyValue, m_name);
    m_form.MoveInTabOrder(*this, index);
}

void Control::SetTabStop(bool tabStop) {
    m_tabStop = tabStop;
}

bool Control::IsUsable() const {
    for (const Control* c = this; c != nullptr; c = c->m_parentControl) {
        if (!c->m_visible || !c->m_enabled)
            return false;
    }
    return m_form.TakesInput();
}

bool Control::CanReceiveFocus() const {
    return KindTakesFocus(m_kind) && IsUsable();
}

bool Control::HasFocus() const {
    return m_form.ActiveControl() == this;
}

void Control::SetFocus() {
    if (!CanReceiveFocus())
        FormsError::Raise(FormsError::InvalidArgument, m_name);
    m_form.SetActiveControl(this);
}

void Control::TakeFocus() {
    if (CanReceiveFocus())
        m_form.SetActiveControl(this);
}

void Control::Changed(Property what) const {
    if (m_form.IsLoaded())
        m_form.Host().ControlChanged(*this, what);
}

bool Control::AcceptInput(std::string_view action) const {
    if (IsUsable())
        return true;
    m_form.Host().InputRefused(m_form, this, action);
    return false;
}

std::shared_ptr<Form> Control::KeepFormAlive() const {
    return m_form.KeepAlive();
}

}  // namespace telvane::forms
