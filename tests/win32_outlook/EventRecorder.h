#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/outlook/Application.h"
#include "common/outlook/ContactItem.h"
#include "common/outlook/Explorer.h"
#include "common/outlook/Inspector.h"
#include "common/outlook/Inspectors.h"

namespace telvane::tests {

// Handlers for every event of the object model that write down which event arrived, so a test
// compares the whole sequence and any event that was not expected fails it.
class EventRecorder {
public:
    std::vector<std::string> seen;
    // Runs inside the handler of the event named, after it is written down.
    std::function<void(const std::string& event)> during;
    // Objects handed to handlers, kept for the test.
    std::shared_ptr<outlook::PropertyPages> pages;
    std::shared_ptr<outlook::Inspector> inspector;
    // What Write's handler sets Cancel to; leaves it alone when unset.
    int cancelTo = -1;
    bool cancelOnEntry = false;

    outlook::Application::Events Application() {
        outlook::Application::Events events;
        events.OptionsPagesAdd = [this](const std::shared_ptr<outlook::PropertyPages>& given) {
            pages = given;
            Note("Application.OptionsPagesAdd");
        };
        events.Quit = [this] { Note("Application.Quit"); };
        return events;
    }
    outlook::Explorer::Events Explorer() {
        return {[this] { Note("Explorer.Close"); }};
    }
    outlook::Inspector::Events Inspector() {
        return {[this] { Note("Inspector.Close"); }};
    }
    outlook::Inspectors::Events Inspectors() {
        return {[this](const std::shared_ptr<outlook::Inspector>& given) {
            inspector = given;
            Note("Inspectors.NewInspector");
        }};
    }
    outlook::ContactItem::Events ContactItem() {
        return {[this](bool& cancel) {
            cancelOnEntry = cancel;
            if (cancelTo >= 0)
                cancel = cancelTo != 0;
            Note("ContactItem.Write");
        }};
    }

private:
    void Note(const std::string& event) {
        seen.push_back(event);
        if (during)
            during(event);
    }
};

}  // namespace telvane::tests
