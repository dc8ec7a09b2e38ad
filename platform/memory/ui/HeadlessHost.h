#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/UiHost.h"

namespace telvane::memory {

// The window host without a display: nothing is drawn, and the test acts as the user.
//
// A modal show runs the next script registered for the form's name, on the caller's stack; the
// script clicks, ticks and presses keys through the controls' User... methods and must end
// with the form unloaded or hidden, as a person closing the window would. A modal show with no
// script, or whose script leaves the form open, throws std::logic_error instead of hanging.
// Modal shows nest: a handler run by a script may show another form modally.
//
// DoEvents delivers the input queued with QueueInput, in order, as Windows delivers messages
// that arrived while a long operation ran; each input reports whether it was taken. Every
// refused user action is recorded, queued or not.
class HeadlessHost final : public forms::UiHost {
public:
    using Script = std::function<void(forms::Form&)>;

    struct InputRecord {
        std::string description;
        bool accepted;
    };
    struct Message {
        std::string owner;  // the owner form's name, empty when none
        std::string text;
        std::string title;
    };
    struct ModalShow {
        std::string form;
        std::string owner;  // empty when shown without an owner
        int depth;          // 1 for a modal form over no other modal form
    };

    // Queues a script for the next modal show of the form named `formName`.
    void WhenShownModally(const std::string& formName, Script script);
    // The same for a form class: the script receives the form as T (std::logic_error if the
    // form shown under that name is not a T).
    template <class T>
    void WhenShownModally(const std::string& formName, std::function<void(T&)> script) {
        WhenShownModally(formName, [formName, script = std::move(script)](forms::Form& form) {
            T* typed = dynamic_cast<T*>(&form);
            if (typed == nullptr) {
                throw std::logic_error("the form shown as " + formName + " is not of the type " +
                                       "its script expects");
            }
            script(*typed);
        });
    }
    // Scripts registered and not yet run.
    std::size_t PendingScripts() const;

    // Queues user input for the next DoEvents. `input` performs it and returns whether it was
    // taken (the User... methods' result).
    void QueueInput(std::string description, std::function<bool()> input);
    std::size_t PendingInput() const { return m_input.size(); }
    // Queued input delivered so far, in order.
    const std::vector<InputRecord>& InputLog() const { return m_inputLog; }
    // Every user action the model refused, as "form.control: action" ("form: action" for the
    // form itself).
    const std::vector<std::string>& RefusedInput() const { return m_refused; }

    int DoEventsCount() const { return m_doEventsCount; }
    // Runs at the start of every DoEvents (one observer; empty to clear).
    void OnDoEvents(std::function<void()> observer) { m_doEventsObserver = std::move(observer); }

    // Every message shown so far, in order; each is taken as dismissed with OK at once.
    const std::vector<Message>& Messages() const { return m_messages; }

    // Every modal show so far, in order.
    const std::vector<ModalShow>& ModalShows() const { return m_modalShows; }
    // Modal forms now shown, the innermost last.
    const std::vector<forms::Form*>& ModalStack() const { return m_modalStack; }
    // Names of the forms now loaded, in the order they were loaded.
    std::vector<std::string> LoadedForms() const;

    // forms::UiHost
    void FormLoaded(forms::Form& form) override;
    void FormUnloaded(forms::Form& form) override;
    void Show(forms::Form& form) override;
    void Hide(forms::Form& form) override;
    void ShowModal(forms::Form& form, forms::Form* owner) override;
    void DoEvents() override;
    void ShowMessage(const forms::Form* owner, const std::string& text,
                     const std::string& title) override;
    bool TakesInput(const forms::Form& form) const override;
    void InputRefused(const forms::Form& form, const forms::Control* control,
                      std::string_view action) override;

private:
    struct QueuedInput {
        std::string description;
        std::function<bool()> input;
    };

    void LeaveModal(const forms::Form& form);

    std::map<std::string, std::deque<Script>> m_scripts;
    std::deque<QueuedInput> m_input;
    std::vector<InputRecord> m_inputLog;
    std::vector<std::string> m_refused;
    int m_doEventsCount = 0;
    std::function<void()> m_doEventsObserver;
    std::vector<Message> m_messages;
    std::vector<ModalShow> m_modalShows;
    std::vector<forms::Form*> m_modalStack;
    std::vector<forms::Form*> m_loaded;
};

}  // namespace telvane::memory
