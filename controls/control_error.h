// The failure a control raises when code gives it a value it cannot take.
#pragma once

#include <stdexcept>
#include <string>

namespace hearvex::controls {

class ControlError : public std::runtime_error {
public:
    explicit ControlError(const std::string& what)
        : std::runtime_error(what) {}
};

} // namespace hearvex::controls
