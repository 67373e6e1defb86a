#pragma once
// The macro constructions "n等分", "角のn等分", "正多角形" and "多角形": instead of one procedure
// they append a series of ordinary ones, bracketed between the command's own row (the head,
// which keeps its inputs) and a closing row that carries the command's code and nothing else.
// Undo then takes the series away one row at a time, and repeat runs the whole command again.

#include "model/records.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// The largest count a macro accepts. Every part of a division, every sector of an angle and
// every side of a regular polygon is one more procedure with its own objects, so a count typed
// by mistake (a million parts) would otherwise fill the tables to their limit.
constexpr int kMaxMacroCount = 1000;

// The last input of a macro command has been given (the head row is the last procedure).
// "n等分", "角のn等分" and "正多角形" expand at once and the command is complete; "多角形"
// starts picking its vertices. A count the command cannot use (not a whole number, below the
// command's least count, above kMaxMacroCount, or more than the tables can hold) is refused with
// a beep and the head row goes; the number chosen for the count stays.
void ExpandMacro(App& app, Host& host, Surface& surface);

// A polygon vertex picked. From the second vertex on each one adds its side at once; the last
// one also closes the polygon on the first vertex. Index 0 cancels the vertices not yet picked:
// the sides built so far stay as an open polygon (with its closing row), and when there are
// none the polygon leaves nothing behind.
void AcceptVertex(App& app, Host& host, Surface& surface, ObjectRef ref);

}  // namespace kv
