#pragma once
// The one exception type of the engine: a message a user can read and act on.

#include <stdexcept>
#include <string>

namespace tamboro {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace tamboro
