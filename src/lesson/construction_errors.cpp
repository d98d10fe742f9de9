// The lesson layer's throws, in a file of their own: in the browser the rest of the
// construction code is built without exception tables, which cost more than the code itself.
#include <stdexcept>

#include "form/messages.h"
#include "lesson/construction.h"

namespace tamirel {

ConstructionRefused::ConstructionRefused(Reason reason, std::size_t step, const std::string& description)
    : std::runtime_error(Say(Message::RefusedStep, {{"step", std::to_string(step + 1)}, {"reason", description}})),
      reason_(reason),
      step_(step),
      description_(description) {}

void ThrowRefused(ConstructionRefused::Reason reason, std::size_t step, const std::string& description) {
    throw ConstructionRefused(reason, step, description);
}

void ThrowOutOfRange(const char* what) { throw std::out_of_range(what); }

}  // namespace tamirel
