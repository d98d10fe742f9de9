#include "form/polygon_names.h"

#include <array>

#include "form/number_text.h"

namespace tamirel {

namespace {

constexpr std::array<const char*, kMostVertices - kFewestVertices + 1> kNames = {
    "триъгълник",          "четириъгълник",        "петоъгълник",           "шестоъгълник",
    "седмоъгълник",        "осмоъгълник",          "деветоъгълник",         "десетоъгълник",
    "единадесетоъгълник",  "дванадесетоъгълник",   "тринадесетоъгълник",    "четиринадесетоъгълник",
    "петнадесетоъгълник",  "шестнадесетоъгълник",  "седемнадесетоъгълник",  "осемнадесетоъгълник",
    "деветнадесетоъгълник", "двадесетоъгълник",
};

bool Named(double n) { return n >= kFewestVertices && n <= kMostVertices && n == static_cast<int>(n); }

}  // namespace

std::string PolygonName(double n, const std::string& digits) {
    return Named(n) ? kNames[static_cast<std::size_t>(static_cast<int>(n) - kFewestVertices)] : digits + "-ъгълник";
}

std::string RegularPolygonName(double n, const std::string& digits, bool definite) {
    if (n == 4) return definite ? "квадрата" : "квадрат";
    return (definite ? "правилния " : "правилен ") + PolygonName(n, digits);
}

std::string PolygonTitle(double n, const std::string& digits) {
    return n == 4 ? "Квадрат" : "Правилен " + PolygonName(n, digits);
}

std::string VertexName(int k) {
    std::string name = "A";
    name += SubscriptNumber(k);
    return name;
}

}  // namespace tamirel
