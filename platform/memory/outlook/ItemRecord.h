#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/outlook/Forward.h"
#include "platform/memory/outlook/ContactFields.h"
#include "platform/memory/outlook/FailureTable.h"

namespace telvane::memory {

// One item as the store holds it. The stored copy is an immutable snapshot: item objects
// share it until a field is written, and saving shares the saver's copy back.
struct ItemRecord {
    outlook::OlObjectClass itemClass = outlook::olContact;
    // The mail's subject or the distribution list's name.
    std::string subject;
    std::shared_ptr<const ContactFields> stored = std::make_shared<const ContactFields>();
    std::int32_t saves = 0;
    FailureTable failures;
};

}  // namespace telvane::memory
