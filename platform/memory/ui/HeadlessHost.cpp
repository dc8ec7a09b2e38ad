#include "platform/memory/ui/HeadlessHost.h"

#include <algorithm>
#include <utility>

#include "forms/Control.h"

namespace telvane::memory {

void HeadlessHost::WhenShownModally(const std::string& formName, Script script) {
    m_scripts[formName].push_back(std::move(script));
}

std::size_t HeadlessHost::PendingScripts() const {
    std::size_t count = 0;
    for (const auto& [name, scripts] : m_scripts)
        count += scripts.size();
    return count;
}

void HeadlessHost::QueueInput(std::string description, std::function<bool()> input) {
    m_input.push_back({std::move(description), std::move(input)});
}

std::vector<std::string> HeadlessHost::LoadedForms() const {
    std::vector<std::string> names;
    for (const forms::Form* form : m_loaded)
        names.push_back(form->Name());
    return names;
}

void HeadlessHost::FormLoaded(forms::Form& form) {
    m_loaded.push_back(&form);
}

void HeadlessHost::FormUnloaded(forms::Form& form) {
    std::erase(m_loaded, &form);
    LeaveModal(form);
}

void HeadlessHost::Show(forms::Form& form) {
    static_cast<void>(form);
}

void HeadlessHost::Hide(forms::Form& form) {
    LeaveModal(form);
}

void HeadlessHost::LeaveModal(const forms::Form& form) {
    std::erase(m_modalStack, &form);
}

void HeadlessHost::ShowModal(forms::Form& form, forms::Form* owner) {
    m_modalShows.push_back({form.Name(), owner != nullptr ? owner->Name() : std::string(),
                            static_cast<int>(m_modalStack.size()) + 1});
    auto queued = m_scripts.find(form.Name());
    if (queued == m_scripts.end() || queued->second.empty()) {
        throw std::logic_error(form.Name() +
                               " was shown modally but no script acts on it: the modal loop "
                               "would wait for a user forever");
    }
    const Script script = std::move(queued->second.front());
    queued->second.pop_front();

    // The script may unload the form; keep it alive until the show ends.
    const auto keep = form.KeepAlive();
    m_modalStack.push_back(&form);
    struct Leave {
        HeadlessHost& host;
        const forms::Form& form;
        ~Leave() { host.LeaveModal(form); }
    } leave{*this, form};

    script(form);
    if (form.IsLoaded() && form.Visible()) {
        throw std::logic_error(form.Name() +
                               " is still shown after its script ended: the modal loop would "
                               "never return");
    }
}

void HeadlessHost::DoEvents() {
    ++m_doEventsCount;
    if (m_doEventsObserver) {
        const auto observer = m_doEventsObserver;
        observer();
    }
    // Input queued by an input's own handler is delivered in this same pass, as Windows
    // keeps pumping until the queue is empty.
    while (!m_input.empty()) {
        QueuedInput next = std::move(m_input.front());
        m_input.pop_front();
        const bool accepted = next.input();
        m_inputLog.push_back({std::move(next.description), accepted});
    }
}

void HeadlessHost::ShowMessage(const forms::Form* owner, const std::string& text,
                               const std::string& title) {
    m_messages.push_back({owner != nullptr ? owner->Name() : std::string(), text, title});
}

bool HeadlessHost::TakesInput(const forms::Form& form) const {
    return m_modalStack.empty() || m_modalStack.back() == &form;
}

void HeadlessHost::InputRefused(const forms::Form& form, const forms::Control* control,
                                std::string_view action) {
    std::string entry = form.Name();
    if (control != nullptr)
        entry += "." + control->Name();
    entry += ": ";
    entry += action;
    m_refused.push_back(std::move(entry));
}

}  // namespace telvane::memory
