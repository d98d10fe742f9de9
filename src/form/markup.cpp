#include "form/markup.h"

namespace tamirel {

std::string EscapeXml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c; break;
        }
    }
    return out;
}

std::string HexColour(Colour colour) {
    constexpr char kHex[] = "0123456789abcdef";
    std::string text = "#";
    for (const int part : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
        text += kHex[part >> 4];
        text += kHex[part & 0xF];
    }
    return text;
}

void Append(std::string& out, std::initializer_list<std::string_view> parts) {
    for (const std::string_view part : parts) out.append(part.data(), part.size());
}

}  // namespace tamirel
