#pragma once
// Picking one object of a kind: the candidate list, the objects a construction pick leaves
// out, the nearest candidate to a click, the highlight. A pick is a request with a purpose: it
// pushes its own selection mode, and when it is accepted or cancelled it pops that mode and
// hands the object to its purpose (ui/pick_handover.h), whatever lies beneath it.

#include <span>
#include <string>
#include <vector>

#include "render/draw_context.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// Empties the candidate list; a pick in progress is forgotten.
void InitCandidateList(Session& s);

// Flags indexed 0..ObjectCount(kind): -1 where the object may not be picked. Only a
// construction pick (mode 15, not a polygon vertex) leaves anything out: the objects already
// taken as inputs of the procedure being built, and lines of the wrong form.
std::vector<i16> ExcludedSet(const App& app, i16 kind);

// The selection mode a pick for the purpose runs in.
i16 PickModeOf(PickPurpose purpose);

// Starts a pick for `purpose` among the objects of `kind`: pushes the purpose's selection mode
// and highlights the first candidate. A drag offers only the points that may be dragged, in a
// compacted list. A number input of a construction opens the number dialog instead, and the
// pick waits for its answer. Returns false, with the mode popped again and nothing handed over,
// when there is nothing to offer (or no room on the mode stack): the caller decides what that
// means for its command.
bool StartPick(App& app, Host& host, Surface& surface, PickPurpose purpose, i16 kind);
// The next polygon vertex: all points, starting at the lowest-numbered one that is not among
// the vertices picked so far (point indices); the keys and the mouse may still reach those.
bool StartVertexPick(App& app, Host& host, Surface& surface, std::span<const i16> vertices);

// Whether the pick under way is a construction's number input, waiting for the number dialog
// (presses and keys on the figure are not heard meanwhile).
bool AwaitingNumber(const App& app);

// Ends the pick under way: its mode goes, and `ref` goes to its purpose; index 0 cancels.
void EndPick(App& app, Host& host, Surface& surface, ObjectRef ref);

// The candidate nearest to (x, y) among those not excluded, (0, 0) when none is within
// 10000 world units. A line counts by its whole straight line, a circle by its circumference;
// ties go to the earlier place.
ObjectRef NearestCandidate(const App& app, double x, double y, const std::vector<i16>& excluded);

// A left press during a pick: accepts the current candidate when it is the nearest one,
// otherwise moves the highlight there.
void PickAtMouse(App& app, Host& host, Surface& surface, double x, double y);
// A key during a pick: Enter accepts, Esc cancels, Up and Down walk the list.
void PickKey(App& app, Host& host, Surface& surface, int key);

// Status panel 4: kind name and object name ("点A", "直線3").
std::string CandidateText(const Figure& f, ObjectRef ref);
void ShowCandidateStatus(const App& app, Host& host, ObjectRef ref);
void ClearCandidateStatus(Host& host);

// Drawing an object with an overriding mark (points only) and colour, -1 for "as stored",
// without touching its record; `label` >= 0 also draws the point's name in that colour.
void DrawObjectAs(const App& app, const DrawContext& ctx, ObjectRef ref, int mark, int colour,
                  int label = -1);
void HighlightCandidate(App& app, Host& host, Surface& surface, ObjectRef ref);
void UnhighlightCandidate(App& app, Host& host, Surface& surface, ObjectRef ref);
// An accepted construction input, until the next full redraw.
void MarkPicked(App& app, Host& host, Surface& surface, ObjectRef ref);
// The object as a full redraw would draw it.
void DrawObjectNormal(App& app, Host& host, Surface& surface, ObjectRef ref);
// Every candidate as a circle mark in colour c (0 removes the marks).
void DrawAllCandidates(App& app, Host& host, Surface& surface, int colour);

}  // namespace kv
