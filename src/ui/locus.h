#pragma once
// Locus tracing: while tracing is on, every drag step keeps a copy of each affected object
// that has a locus colour, and every full redraw draws those copies again.

#include "model/figure.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// The store grows by this many images when it is full.
constexpr int kLocusStoreStep = 50;

// Keeps the object's current record as the next image of its kind, drawn in its locus colour;
// an object whose locus colour is 0 leaves no image. The drag calls it only while tracing.
void RecordLocus(Figure& f, ObjectRef ref);

// "消去": forget every image, then the full redraw.
void mnuLocusReset_Click(App& app, Host& host, Surface& surface);

}  // namespace kv
