// The program's 0x00BBGGRR colours as Qt colours.
#pragma once

#include <QtGui/QColor>

#include "controls/colour.h"

namespace tamirel {

inline QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

}  // namespace tamirel
