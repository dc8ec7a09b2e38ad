#pragma once

#include <vector>

#include "forms/Font.h"

namespace telvane::forms {

class Control;
class Form;

// Something that holds controls: a form, or a frame on it. Positions of the controls inside
// are relative to the container's top left corner. The container does not own its controls:
// they are members of the form class, as the designer laid them out.
class Container {
public:
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;
    virtual ~Container() = default;

    virtual Form& OwnerForm() = 0;
    virtual const Form& OwnerForm() const = 0;
    // The frame this container is, or null for a form.
    virtual const Control* AsControl() const { return nullptr; }
    // The font new controls placed in the container start with.
    virtual const forms::Font& InheritedFont() const = 0;

    // Controls placed directly in this container, in creation order (the bottom of the
    // z-order first).
    const std::vector<Control*>& Children() const { return m_children; }

protected:
    Container() = default;

private:
    friend class Control;

    std::vector<Control*> m_children;
};

}  // namespace telvane::forms
