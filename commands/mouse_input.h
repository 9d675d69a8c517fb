// The mouse on the view: the left button marks the algebra under the
// pointer red (or scrolls the page by a drag on empty space), the right
// button marks green; moves record the pointer position that keys use.
// On the drawings a drag moves a vertex or the second lattice. While the
// input panel is open it gets the mouse. x and y are view coordinates.
#pragma once

#include <cstdint>

#include "commands/repaint.h"
#include "core/workspace.h"

namespace kest {

Repaint mouseMove(Workspace& ws, int32_t x, int32_t y);
Repaint leftButtonDown(Workspace& ws, int32_t x, int32_t y);
Repaint rightButtonDown(Workspace& ws, int32_t x, int32_t y);
Repaint leftButtonUp(Workspace& ws, int32_t x, int32_t y);

// Moves the element of the drawn lattice nearest to the press (in drawing
// units, a tenth of a view unit, offset by 100) sideways to the release x.
void moveLatticeVertex(Workspace& ws, int32_t k, int32_t pressX, int32_t pressY, int32_t releaseX);

// The vertex of a drawn lattice nearest to a view point (the diagram
// drawn at (100, 100), a tenth of its coordinates), and the distance in
// drawing units (ten per view unit); vertex -1 without coordinates.
struct NearestVertex {
  int32_t vertex = -1;
  int32_t distance = 0;
};
NearestVertex nearestLatticeVertex(const Algebra& a, int32_t x, int32_t y);

}  // namespace kest
