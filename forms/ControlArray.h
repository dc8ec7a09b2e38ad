#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "forms/Container.h"
#include "forms/FormsError.h"

namespace telvane::forms {

// Controls of one kind and role addressed by index, e.g. cmdSelect(0) and cmdSelect(1).
// Indexes need not be contiguous, and elements may lie in different containers of the form.
// The array owns its elements; declare it as a member of the form class and Load its elements
// in the form's constructor.
template <class T>
class ControlArray {
public:
    using Elements = std::map<int, std::unique_ptr<T>>;

    explicit ControlArray(std::string name) : m_name(std::move(name)) {}
    // Loads the elements at once, so that members declared after the array can be placed in
    // them (a frame array holding other controls):
    //   ControlArray<Frame> Frame1{"Frame1", [this](auto& a) { a.Load(0, *this, ...); }};
    ControlArray(std::string name, const std::function<void(ControlArray&)>& load)
        : m_name(std::move(name)) {
        load(*this);
    }
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    // Creates element `index` in `parent`: T(parent, name, args...). Raises 360 when the index
    // is already loaded.
    template <class... Args>
    T& Load(int index, Container& parent, Args&&... args) {
        if (m_elements.contains(index))
            FormsError::Raise(FormsError::AlreadyLoaded, m_name);
        auto element = std::make_unique<T>(parent, m_name, std::forward<Args>(args)...);
        element->SetArrayIndex(index);
        T& result = *element;
        m_elements.emplace(index, std::move(element));
        return result;
    }

    // The element at `index`; raises 340 when it is not loaded.
    T& operator()(int index) const {
        const auto it = m_elements.find(index);
        if (it == m_elements.end())
            FormsError::Raise(FormsError::ArrayElementMissing, m_name);
        return *it->second;
    }
    T& operator[](int index) const { return (*this)(index); }

    const std::string& Name() const { return m_name; }
    int Count() const { return static_cast<int>(m_elements.size()); }
    int LBound() const { return m_elements.empty() ? 0 : m_elements.begin()->first; }
    int UBound() const { return m_elements.empty() ? -1 : m_elements.rbegin()->first; }

    // Iterates (index, element) pairs in index order.
    typename Elements::const_iterator begin() const { return m_elements.begin(); }
    typename Elements::const_iterator end() const { return m_elements.end(); }

private:
    std::string m_name;
    Elements m_elements;
};

}  // namespace telvane::forms
