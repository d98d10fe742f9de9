#include "controls/runtime_error.h"

#include <utility>

namespace tamirel {

RuntimeError::RuntimeError(int number, std::string description)
    : std::runtime_error(std::to_string(number) + ": " + description),
      number_(number),
      description_(std::move(description)) {}

// Descriptions are in Bulgarian: they reach the user as they stand.
RuntimeError RuntimeError::Overflow() { return {kOverflow, "Препълване"}; }

RuntimeError RuntimeError::InvalidOperation() {
    return {kInvalidOperation, "Невалидна операция с плаваща запетая"};
}

RuntimeError RuntimeError::InvalidPropertyValue() {
    return {kInvalidPropertyValue, "Невалидна стойност на свойство"};
}

}  // namespace tamirel
