// The construction of the regular N-gon inscribed in the main window's circle, for every
// vertex count the list offers: with straightedge and compass where that is possible, with a
// protractor where it is not.
#pragma once

#include "lesson/construction.h"

namespace tamirel {

// True when the regular n-gon can be constructed with straightedge and compass alone: n is a
// power of 2 times distinct Fermat primes (3, 5, 17, 257, 65537).
bool Constructible(int n);

// The construction of the regular n-gon (3 <= n <= 20) inscribed in the circle of `radius`
// about (500, 500). Its vertices A₁, A₂, …, Aₙ run counter-clockwise on the screen from the
// bottom-left one, and are the main window's vertices for that radius and count: the chosen
// point A₁ is the bottom-left vertex, so the figure stands on a horizontal bottom side.
// A count outside 3..20 throws std::out_of_range.
Construction BuildConstruction(double radius, int n);

}  // namespace tamirel
