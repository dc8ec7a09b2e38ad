#pragma once

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "common/outlook/RaisedError.h"
#include "common/outlook/Subscription.h"
#include "platform/memory/outlook/HandlerError.h"

namespace telvane::memory {

// The subscribers of one event source. Handlers may unadvise themselves or others, advise,
// or release the source while an event is raised: a raise works on a copy of the list, skips
// entries unadvised meanwhile, and a subscription may outlive its source.
template <class Handlers>
class EventSource {
public:
    outlook::Subscription Advise(const Handlers& handlers) {
        if (!m_list)
            m_list = std::make_shared<List>();
        auto entry = std::make_shared<Entry>(Entry{handlers, true});
        m_list->push_back(entry);
        return outlook::Subscription(
            [list = std::weak_ptr<List>(m_list), weakEntry = std::weak_ptr<Entry>(entry)] {
                auto entry = weakEntry.lock();
                if (!entry)
                    return;
                entry->active = false;
                if (auto entries = list.lock()) {
                    entries->erase(std::remove(entries->begin(), entries->end(), entry),
                                   entries->end());
                }
            });
    }

    // Calls every handler for `event`. An error a handler raises is recorded in `errors`
    // under `eventName` and the raise goes on: the mail client never lets it reach its caller.
    template <class Signature, class... Args>
    void Raise(std::function<Signature> Handlers::*event, std::string_view eventName,
               std::vector<HandlerError>& errors, Args&&... args) const {
        if (!m_list || m_list->empty())
            return;
        const List snapshot = *m_list;
        for (const auto& entry : snapshot) {
            if (!entry->active)
                continue;
            const auto& handler = entry->handlers.*event;
            if (!handler)
                continue;
            try {
                handler(args...);
            } catch (const RaisedError& error) {
                errors.push_back(
                    {std::string(eventName), error.Number(), error.Source(), error.Description()});
            } catch (const std::exception& error) {
                errors.push_back({std::string(eventName), 0, "C++", error.what()});
            } catch (...) {
                errors.push_back({std::string(eventName), 0, "C++", "unknown exception"});
            }
        }
    }

private:
    struct Entry {
        Handlers handlers;
        bool active;
    };
    using List = std::vector<std::shared_ptr<Entry>>;
    std::shared_ptr<List> m_list;
};

}  // namespace telvane::memory
