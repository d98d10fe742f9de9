// Writes the attempt file of a crowded attempt (299 lines and circles) to standard output,
// for the browser's benchmark of a move.
#include <cstdio>

#include "crowded_attempt.h"

int main() {
    const std::string text = tamirel::AttemptToText(tamirel::CrowdedAttempt(299));
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
