#include "controls/drawing.h"

#include "controls/picture_box.h"

namespace tamirel {

const std::vector<double>& DashPattern(std::int16_t style) {
    static const std::vector<double> none, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
        case kDash: return dash;
        case kDot: return dot;
        case kDashDot: return dashDot;
        case kDashDotDot: return dashDotDot;
        default: return none;
    }
}

}  // namespace tamirel
