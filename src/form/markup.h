// Small pieces of XML and HTML text, shared by the SVG writer and the browser page.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "controls/colour.h"

namespace tamirel {

// `text` (UTF-8) with &, <, > and " written as entities, fit for element text and quoted
// attribute values.
std::string EscapeXml(const std::string& text);

// A colour as "#rrggbb".
std::string HexColour(Colour colour);

// Appends the parts to `out` in order: one call where a chain of + would make a temporary
// string for each step.
void Append(std::string& out, std::initializer_list<std::string_view> parts);

}  // namespace tamirel
