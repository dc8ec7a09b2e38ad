#pragma once

#include <utility>

#include "common/outlook/RaisedError.h"

namespace telvane {

// Runs one step of a procedure that goes on past failing steps (window tracking, the page's
// initialisation, the folder tree build). Only raised errors are expected there, so nothing
// else is swallowed. Returns whether the step succeeded.
template <class Step>
bool TryStep(Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const RaisedError&) {
        return false;
    }
}

}  // namespace telvane
