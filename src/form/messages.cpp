#include "form/messages.h"

namespace tamirel {

namespace {

bool NameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

[[noreturn]] void Refuse(std::string_view pattern, std::string_view what) {
    throw MessageError("Шаблонът „" + std::string(pattern) + "“ " + std::string(what));
}

}  // namespace

std::string Format(std::string_view pattern, std::initializer_list<Place> places) {
    std::string text;
    text.reserve(pattern.size() + 16 * places.size());
    std::size_t at = 0;
    while (at < pattern.size()) {
        const std::size_t brace = pattern.find_first_of("{}", at);
        text.append(pattern.substr(at, brace == std::string_view::npos ? std::string_view::npos : brace - at));
        if (brace == std::string_view::npos) break;
        if (pattern[brace] == '}') Refuse(pattern, "има „}“, която не затваря място");
        std::size_t end = brace + 1;
        while (end < pattern.size() && NameCharacter(pattern[end])) ++end;
        if (end == brace + 1 || end == pattern.size() || pattern[end] != '}')
            Refuse(pattern, "има „{“, която не открива място с име");
        const std::string_view name = pattern.substr(brace + 1, end - brace - 1);
        const Place* place = nullptr;
        for (const Place& p : places)
            if (p.name == name) place = &p;
        if (!place) Refuse(pattern, "няма стойност за мястото {" + std::string(name) + "}");
        text.append(place->value);
        at = end + 1;
    }
    return text;
}

std::string Say(Message id, std::initializer_list<Place> places) { return Format(Template(id), places); }

}  // namespace tamirel
