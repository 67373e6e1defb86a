#pragma once
// The interaction state of one window, and the application object that owns one figure, one
// view and one session.

#include <array>
#include <string>
#include <vector>

#include "engine/drag_dependents.h"
#include "model/figure.h"
#include "model/records.h"
#include "render/palette.h"
#include "render/view.h"
#include "ui/redo_list.h"

namespace kv {

// What a pick is for: the accepted (or cancelled) object goes there, whatever mode lies
// beneath the pick.
enum class PickPurpose {
    kNone,
    kConstructionInput,  // an input of the construction being built (a number: the dialog)
    kPolygonVertex,      // the next vertex of a polygon
    kDrag,               // the point to drag
    kAttribute,          // the object whose attribute dialog opens
    kBindPoint,          // the point to bind
    kBindTarget,         // what to bind it to
};

constexpr int kModeSlots = 101;  // slots 0..100; slot 0 is the bottom and always holds mode 2
constexpr i16 kModeStandard = 2;
inline constexpr const char* kUntitled = "untitled";

struct Session {
    std::array<i16, kModeSlots> ModeStack{};
    int ModeDepth = 1;  // index of the top slot
    std::string FigureFileName = kUntitled;
    i16 LocusOn = 0;

    // Dragging: the point being moved (0 none), whether the next drag step must first work
    // out which procedures depend on it, and the arrow-key step in pixels (0 = not yet set,
    // replaced by 10 on first use; shared with placing new points).
    i16 DragPoint = 0;
    i16 NeedDependencyMarks = 0;
    i16 NudgeSteps = 0;
    // What the current drag moves, worked out at its first step.
    DragDependents DragSet;
    // The messages the current drag has shown: each is shown once per drag, not at every step.
    std::vector<std::string> DragMessagesShown;

    // Picking: the objects offered (entries 1..CandidateCount; entry 0 stays (0, 0)), the
    // highlighted one and its place in the list, and the line form a construction pick asks
    // for (-1 any). The list grows with the tables.
    std::vector<ObjectRef> CandidateList = std::vector<ObjectRef>(kStartCapacity + 1);
    int CandidateCount = 0;
    ObjectRef CurrentCandidate;
    int CurrentPlace = 0;
    i16 ActiveFormFilter = -1;
    // The pick under way: what it is for and the kind it offers (kNone when no pick runs).
    PickPurpose PickFor = PickPurpose::kNone;
    i16 PickKind = 0;

    // Construction: -1 makes the next construction keep the slot settings of the last one
    // (the repeat command); the free point being placed, (0, 0) when none.
    i16 KeepSlotSettings = 0;
    ObjectRef PendingPoint;

    // Point binding: the point being bound, and what it is bound to. While the target is
    // picked, BindTarget's kind is the kind chosen in the dialog and its index is 0; the
    // point's own binding changes only when the target is known.
    ObjectRef BindPoint;
    ObjectRef BindTarget;
    // Attribute dialogs: the object whose dialog the pick under way (or just accepted) is for,
    // and the object each open dialog edits, by kind (1 point, 2 line, 3 circle; (0, 0) while
    // that dialog is closed).
    ObjectRef AttributeTarget;
    std::array<ObjectRef, 4> AttributeOpen{};
    // Polygon picked vertex by vertex: its number of vertices, the (1-based) vertex being
    // picked, and the point indices of the vertices (entries 1..PolygonVertexCount).
    i16 PolygonVertexCount = 0;
    i16 PolygonVertexNo = 0;
    std::vector<i16> PolygonVertices;

    // The constructions undone since the last new one, for "やり直し".
    RedoList Redo;

    // The start-up stack: slot 0 = 2, then mode 2 pushed.
    Session() {
        ModeStack[0] = kModeStandard;
        ModeStack[1] = kModeStandard;
    }
};

// One figure, one view, one session: everything a window (or a test) works on.
struct App {
    Figure figure;
    View view;
    Session session;
    // Whether the bad-colour message was shown for this figure; reset with every new figure.
    ColourNotice colours;
};

}  // namespace kv
