#pragma once

#include <concepts>
#include <functional>
#include <memory>
#include <utility>

#include "forms/Form.h"
#include "forms/FormsError.h"
#include "forms/UiHost.h"

namespace telvane::forms {

// A form's default instance, loaded on first reference: Get() creates and loads the form (its
// Form_Load runs) when it is not loaded, and returns it. When the form is unloaded, by
// Unload() here or by its own code, the instance lets go of it, and the next Get() loads a
// fresh one. Handlers still running on the old form keep it alive until they return.
template <class T>
class FormInstance {
public:
    using Factory = std::function<std::shared_ptr<T>()>;

    explicit FormInstance(Factory factory) : m_factory(std::move(factory)) {}
    // For form classes constructed from their host alone.
    explicit FormInstance(UiHost& host) requires std::constructible_from<T, UiHost&>
        : m_factory([&host] { return std::make_shared<T>(host); }) {}
    FormInstance(const FormInstance&) = delete;
    FormInstance& operator=(const FormInstance&) = delete;
    ~FormInstance() {
        if (m_form)
            m_form->SetUnloadListener({});
    }

    T& Get() {
        if (!m_form || !m_form->IsLoaded()) {
            if (m_form)
                m_form->SetUnloadListener({});
            std::shared_ptr<T> form = m_factory();
            form->SetUnloadListener([this] { m_form.reset(); });
            m_form = form;
            try {
                form->Load();
            } catch (...) {
                if (m_form == form) {
                    form->SetUnloadListener({});
                    m_form.reset();
                }
                throw;
            }
            if (m_form != form)
                FormsError::Raise(FormsError::ObjectUnloaded, form->Name());
        }
        return *m_form;
    }
    T& operator*() { return Get(); }
    T* operator->() { return &Get(); }

    // Whether a loaded form is held (asking does not load it).
    bool IsLoaded() const { return m_form && m_form->IsLoaded(); }
    // Unloads the form if it is loaded; false when its unload handlers cancelled.
    bool Unload() {
        if (!m_form)
            return true;
        const std::shared_ptr<T> form = m_form;
        return form->Unload();
    }

private:
    Factory m_factory;
    std::shared_ptr<T> m_form;
};

}  // namespace telvane::forms
