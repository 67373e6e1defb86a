#pragma once
// Mouse presses, moves and keys on the drawing surface, dispatched by the current mode.

#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// Mouse buttons as a bit set.
constexpr int kButtonLeft = 1;
constexpr int kButtonRight = 2;
constexpr int kButtonMiddle = 4;

// Key codes the dispatch knows.
constexpr int kKeyEnter = 13;
constexpr int kKeyEsc = 27;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;

// A press at world position (x, y); the right button counts as Esc.
void Form_MouseDown(App& app, Host& host, Surface& surface, int buttons, int shift, double x,
                    double y);
// A move with the buttons held; only a left-button drag in "変形" uses it.
void Form_MouseMove(App& app, Host& host, Surface& surface, int buttons, int shift, double x,
                    double y);
void Form_KeyDown(App& app, Host& host, Surface& surface, int key, int shift);

}  // namespace kv
