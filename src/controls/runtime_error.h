// Run-time errors raised by the program's own layer: each carries a number and a
// description, and ends the handler that raised it (nothing in the drawing code catches them).
#pragma once

#include <stdexcept>
#include <string>

namespace tamirel {

class RuntimeError : public std::runtime_error {
public:
    // Error numbers: stable, shown to the user beside the description.
    static constexpr int kInvalidOperation = 5;
    static constexpr int kOverflow = 6;
    static constexpr int kInvalidPropertyValue = 380;

    RuntimeError(int number, std::string description);

    int number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }

    static RuntimeError Overflow();
    static RuntimeError InvalidOperation();
    static RuntimeError InvalidPropertyValue();

private:
    int number_;
    std::string description_;
};

}  // namespace tamirel
