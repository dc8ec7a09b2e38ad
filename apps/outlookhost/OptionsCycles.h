#pragma once

#include <memory>
#include <string>
#include <vector>

#include "apps/outlookhost/HostContext.h"
#include "platform/memory/outlook/MailClient.h"

namespace telvane::outlookhost {

// The Options dialog opened with a custom tab's page, closed, and the unused DLLs freed, again
// and again, as a user who looks at the tab now and then makes the mail client do: each time
// the page's DLL must really unload, leaving no window or window class behind, and load and
// register its classes again the next time.
class OptionsCycles {
public:
    // Runs the cycles on the calling thread, or on a new single-threaded apartment's thread
    // (the calling thread waits). Answers what went wrong, empty when everything held.
    static std::vector<std::string> Run(const std::shared_ptr<HostContext>& context,
                                        memory::MailClient& client, const std::string& tab,
                                        int times, bool onAnotherThread);

private:
    static std::vector<std::string> RunHere(const std::shared_ptr<HostContext>& context,
                                            memory::MailClient& client, const std::string& tab,
                                            int times);
};

}  // namespace telvane::outlookhost
