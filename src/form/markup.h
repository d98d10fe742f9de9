// Small pieces of XML and HTML text, shared by the SVG writer and the browser page.
#pragma once

#include <string>

#include "controls/colour.h"

namespace tamirel {

// `text` (UTF-8) with &, <, > and " written as entities, fit for element text and quoted
// attribute values.
std::string EscapeXml(const std::string& text);

// A colour as "#rrggbb".
std::string HexColour(Colour colour);

}  // namespace tamirel
