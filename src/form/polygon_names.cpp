#include "form/polygon_names.h"

#include "form/messages.h"
#include "form/number_text.h"

namespace tamirel {

namespace {

bool Named(double n) { return n >= kFewestVertices && n <= kMostVertices && n == static_cast<int>(n); }

}  // namespace

std::string PolygonName(double n, const std::string& digits) {
    return Named(n) ? std::string(PolygonWord(static_cast<int>(n))) : Say(Message::PolygonOfCount, {{"digits", digits}});
}

std::string RegularPolygonName(double n, const std::string& digits, bool definite) {
    if (n == 4) return Say(definite ? Message::SquareDefinite : Message::Square);
    return Say(definite ? Message::RegularDefinite : Message::Regular, {{"name", PolygonName(n, digits)}});
}

std::string PolygonTitle(double n, const std::string& digits) {
    if (n == 4) return Say(Message::SquareTitle);
    return Say(Message::RegularTitle, {{"name", PolygonName(n, digits)}});
}

std::string VertexName(int k) {
    std::string name = "A";
    name += SubscriptNumber(k);
    return name;
}

}  // namespace tamirel
