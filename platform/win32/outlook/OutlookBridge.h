#pragma once

#include <memory>

#include "common/outlook/Application.h"
#include "common/outlook/PropertyPageSite.h"

// Forward declarations keep <windows.h> out of the product's sight.
struct IDispatch;
struct IUnknown;

namespace telvane::win32 {

// The mail client's object model reached over COM, for the two COM servers' entry points.
// Each root starts its own cache of member identifiers, shared by every object reached from it.

// The application object OnConnection receives. Empty when it is null or does not answer
// QueryInterface for the mail client's _Application, which the caller reports as a failure.
std::shared_ptr<outlook::Application> WrapApplication(IDispatch* application);

// The client site an options page receives (or any object of the site): empty when it does
// not answer QueryInterface for PropertyPageSite.
std::shared_ptr<outlook::PropertyPageSite> WrapPropertyPageSite(IUnknown* site);

}  // namespace telvane::win32
