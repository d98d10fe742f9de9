// The names of the regular polygons the lists offer, in the catalogue's words (messages.h),
// shared by the description and the lesson.
#pragma once

#include <string>

namespace tamirel {

inline constexpr int kFewestVertices = 3;
inline constexpr int kMostVertices = 20;

// The polygon's name in words, lower case, UTF-8: "триъгълник" for 3 up to "двадесетоъгълник"
// for 20. Any other count, or a count that is not whole, gives "N-ъгълник" with N written as
// `digits` (the caller's number text).
std::string PolygonName(double n, const std::string& digits);

// The regular polygon in words, lower case, as a sentence names it: "правилен шестоъгълник",
// and for 4 "квадрат"; `definite` gives the form with the article that a sentence's object
// takes ("правилния шестоъгълник", "квадрата").
std::string RegularPolygonName(double n, const std::string& digits, bool definite = false);

// The title of a figure in words: RegularPolygonName capitalised, "Правилен шестоъгълник",
// "Квадрат".
std::string PolygonTitle(double n, const std::string& digits);

// The name of the k-th vertex (k >= 1) of a figure, as the lesson and the construction letter
// them: "A₁", "A₂", …, "A₁₂", counter-clockwise on screen from the bottom-left vertex.
std::string VertexName(int k);

}  // namespace tamirel
