#include "common/outlook/RaisedError.h"

#include <utility>

namespace telvane {

RaisedError::RaisedError(std::int32_t number, std::string source, std::string description)
    : std::runtime_error(description.empty() ? "error " + std::to_string(number) : description),
      m_number(number),
      m_source(std::move(source)),
      m_description(std::move(description)) {}

}  // namespace telvane
