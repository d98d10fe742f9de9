// Fuzz target: arbitrary bytes read as an attempt file. The reader may only refuse them with
// its own AttemptFileError (a Bulgarian sentence); anything else escaping, a crash, undefined
// behaviour or a hang is a finding. What it accepts must be written back as it was read.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lesson/attempt.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const tamirel::Attempt attempt = tamirel::AttemptFromText(text);
        // Read again from its own writing, it is the same attempt.
        if (tamirel::AttemptToText(tamirel::AttemptFromText(tamirel::AttemptToText(attempt))) != tamirel::AttemptToText(attempt))
            std::abort();
    } catch (const tamirel::AttemptFileError& error) {
        if (std::string_view(error.what()).empty()) std::abort();
    }
    return 0;
}
