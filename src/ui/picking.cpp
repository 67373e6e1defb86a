#include "ui/picking.h"

#include <cmath>

#include "model/catalogue.h"
#include "model/text.h"
#include "render/draw.h"
#include "ui/input_dispatch.h"
#include "ui/modes.h"
#include "ui/number_dialog.h"
#include "ui/pick_handover.h"
#include "ui/redraw.h"
#include "ui/status.h"

namespace kv {

namespace {

constexpr double kFarAway = 10000;  // world units; nothing farther is ever the nearest

// Highlight appearance: a red cross, taken away by the background colour; while a new point
// is placed, a black circle instead.
constexpr int kMarkCross = 1;
constexpr int kMarkCircle = 2;
constexpr int kColourNone = 0;
constexpr int kColourBlue = 1;
constexpr int kColourRed = 4;
constexpr int kColourBlack = 7;

// A drawing context that owns the notifier it refers to.
struct Painter {
    Notifier note;
    DrawContext ctx;
    Painter(App& app, Host& host, Surface& surface)
        : note(NotifierOf(host)),
          ctx{surface, app.view, NamesMayHide(CurrentMode(app.session)), note, app.colours} {}
};

bool IsExcluded(const std::vector<i16>& excluded, ObjectRef ref) {
    return ref.index >= 0 && ref.index < static_cast<int>(excluded.size()) &&
           excluded[ref.index] != 0;
}

void EnsureListRoom(Session& s, int count) {
    if (static_cast<int>(s.CandidateList.size()) < count + 1) s.CandidateList.resize(count + 1);
}

// The distance from (x, y) to a candidate, or NaN when the object is undefined.
double DistanceTo(const Figure& f, ObjectRef ref, double x, double y) {
    const double none = std::nan("");
    if (ref.index < 1 || ref.index > Count(f, ref.kind)) return none;
    switch (ref.kind) {
        case kKindPoint: {
            const PointRecord& p = f.Points[ref.index];
            if (p.exists == 0) return none;
            return std::hypot(p.x - x, p.y - y);
        }
        case kKindLine: {
            // The whole straight line through the two defining points, whatever its form.
            const LineRecord& l = f.Lines[ref.index];
            if (l.exists == 0) return none;
            const double len = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
            if (!(len > 0)) return none;
            return std::abs((l.x2 - l.x1) * (y - l.y1) - (l.y2 - l.y1) * (x - l.x1)) / len;
        }
        case kKindCircle: {
            const CircleRecord& c = f.Circles[ref.index];
            if (c.exists == 0) return none;
            return std::abs(std::hypot(c.cx - x, c.cy - y) - c.r);
        }
        default:
            return none;
    }
}

// Begins a pick: its mode is pushed and its purpose and kind noted; false on a full stack.
bool Begin(Session& s, PickPurpose purpose, i16 kind) {
    if (!PushMode(s, PickModeOf(purpose))) return false;
    s.PickFor = purpose;
    s.PickKind = kind;
    return true;
}

// The common end of the ways a pick starts: show the first candidate, or, with nothing to
// offer, take the pick's mode away again.
bool OfferFirst(App& app, Host& host, Surface& surface) {
    Session& s = app.session;
    ShowCandidateStatus(app, host, s.CurrentCandidate);
    if (s.CandidateCount != 0 && s.CurrentCandidate.index != 0) {
        HighlightCandidate(app, host, surface, s.CurrentCandidate);
        RefreshStatus(app, host);
        return true;
    }
    s.PickFor = PickPurpose::kNone;
    PopMode(s);
    return false;
}

}  // namespace

void InitCandidateList(Session& s) {
    s.CandidateList.assign(kStartCapacity + 1, ObjectRef{});
    s.CandidateCount = 0;
    s.CurrentCandidate = {};
    s.CurrentPlace = 0;
    s.PickFor = PickPurpose::kNone;
}

std::vector<i16> ExcludedSet(const App& app, i16 kind) {
    const Figure& f = app.figure;
    const int n = Count(f, kind);
    std::vector<i16> excluded(static_cast<size_t>(n) + 1, 0);
    if (CurrentMode(app.session) != kModeConstructionPick ||
        app.session.PickFor != PickPurpose::kConstructionInput || f.ProcedureCount < 1)
        return excluded;
    const SlotRow& in = f.ProcInput[f.ProcedureCount];
    for (int j = 1; j <= kSlots; ++j) {
        if (in[j].kind == kind && in[j].index >= 0 && in[j].index <= n) excluded[in[j].index] = -1;
    }
    const i16 form = app.session.ActiveFormFilter;
    if (form >= 0 && kind == kKindLine) {
        for (int i = 1; i <= n; ++i)
            if (f.Lines[i].form != form) excluded[i] = -1;
    }
    return excluded;
}

i16 PickModeOf(PickPurpose purpose) {
    switch (purpose) {
        case PickPurpose::kDrag:
            return kModeDragPick;
        case PickPurpose::kAttribute:
            return kModeEditPick;
        case PickPurpose::kBindPoint:
            return kModeBindPointPick;
        case PickPurpose::kBindTarget:
            return kModeBindTargetPick;
        default:
            return kModeConstructionPick;
    }
}

bool StartPick(App& app, Host& host, Surface& surface, PickPurpose purpose, i16 kind) {
    Session& s = app.session;
    const bool number = kind == kKindNumber || kind == kSlotChosenNumber;
    if (!Begin(s, purpose, number ? i16{kKindNumber} : kind)) return false;
    if (number) {
        // Numbers are not picked on the figure: the pick waits for the number dialog.
        s.CandidateCount = 0;
        s.CurrentCandidate = {kKindNumber, 0};
        s.CurrentPlace = 0;
        SelNumSet(app, host);
        RefreshStatus(app, host);
        return true;
    }
    const Figure& f = app.figure;
    const int n = Count(f, kind);
    EnsureListRoom(s, n);
    if (purpose == PickPurpose::kDrag) {
        // Only the points that may be dragged, in a compacted list.
        s.CandidateCount = 0;
        for (int i = 1; kind == kKindPoint && i <= n; ++i) {
            if (f.Points[i].movable == kTrue)
                s.CandidateList[++s.CandidateCount] = {kKindPoint, static_cast<i16>(i)};
        }
        s.CurrentPlace = s.CandidateCount != 0 ? 1 : 0;
        s.CurrentCandidate = {kind, s.CandidateList[s.CurrentPlace].index};
        return OfferFirst(app, host, surface);
    }
    const std::vector<i16> excluded = ExcludedSet(app, kind);
    int first = 0;
    for (int i = 1; i <= n; ++i) {
        s.CandidateList[i] = {kind, static_cast<i16>(i)};
        if (first == 0 && excluded[i] == 0) first = i;
    }
    s.CandidateCount = n;
    s.CurrentCandidate = {kind, static_cast<i16>(first)};
    s.CurrentPlace = first;
    return OfferFirst(app, host, surface);
}

bool StartVertexPick(App& app, Host& host, Surface& surface, std::span<const i16> vertices) {
    Session& s = app.session;
    if (!Begin(s, PickPurpose::kPolygonVertex, kKindPoint)) return false;
    const int n = Count(app.figure, kKindPoint);
    EnsureListRoom(s, n);
    std::vector<bool> taken(static_cast<size_t>(n) + 1, false);
    for (const i16 v : vertices)
        if (v >= 1 && v <= n) taken[v] = true;
    int first = 0;
    for (int i = 1; i <= n; ++i) {
        s.CandidateList[i] = {kKindPoint, static_cast<i16>(i)};
        if (first == 0 && !taken[i]) first = i;
    }
    s.CandidateCount = n;
    s.CurrentCandidate = {kKindPoint, static_cast<i16>(first)};
    s.CurrentPlace = first;
    return OfferFirst(app, host, surface);
}

bool AwaitingNumber(const App& app) {
    const Session& s = app.session;
    return CurrentMode(s) == kModeConstructionPick &&
           s.PickFor == PickPurpose::kConstructionInput && s.PickKind == kKindNumber;
}

void EndPick(App& app, Host& host, Surface& surface, ObjectRef ref) {
    Session& s = app.session;
    const PickPurpose purpose = s.PickFor;
    s.PickFor = PickPurpose::kNone;
    PopMode(s);
    HandOverPick(app, host, surface, purpose, ref);
}

ObjectRef NearestCandidate(const App& app, double x, double y, const std::vector<i16>& excluded) {
    const Session& s = app.session;
    int best = 0;
    double bestDistance = kFarAway;
    for (int i = 1; i <= s.CandidateCount; ++i) {
        const ObjectRef c = s.CandidateList[i];
        if (IsExcluded(excluded, c)) continue;
        const double d = DistanceTo(app.figure, c, x, y);
        if (std::isnan(d)) continue;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return s.CandidateList[best];
}

void PickAtMouse(App& app, Host& host, Surface& surface, double x, double y) {
    Session& s = app.session;
    // While the number dialog is asked for the next input, the figure offers nothing.
    if (AwaitingNumber(app)) return;
    const std::vector<i16> excluded = ExcludedSet(app, s.CurrentCandidate.kind);
    ObjectRef near = NearestCandidate(app, x, y, excluded);
    // Nothing near keeps the kind of the pick, so later presses still look for that kind.
    if (near.index == 0) near.kind = s.CurrentCandidate.kind;
    if (near.index == s.CurrentCandidate.index) {
        const ObjectRef accepted = s.CurrentCandidate;
        UnhighlightCandidate(app, host, surface, accepted);
        ClearCandidateStatus(host);
        EndPick(app, host, surface, accepted);
    } else {
        UnhighlightCandidate(app, host, surface, s.CurrentCandidate);
        DrawObjectNormal(app, host, surface, s.CurrentCandidate);
        s.CurrentCandidate = near;
        s.CurrentPlace = 0;
        for (int i = 1; i <= s.CandidateCount; ++i) {
            if (s.CandidateList[i] == near) {
                s.CurrentPlace = i;
                break;
            }
        }
        HighlightCandidate(app, host, surface, near);
        ShowCandidateStatus(app, host, near);
    }
    RefreshStatus(app, host);
}

void PickKey(App& app, Host& host, Surface& surface, int key) {
    Session& s = app.session;
    if (AwaitingNumber(app)) return;
    const std::vector<i16> excluded = ExcludedSet(app, s.CurrentCandidate.kind);
    switch (key) {
        case kKeyEnter: {
            UnhighlightCandidate(app, host, surface, s.CurrentCandidate);
            if (s.CurrentPlace >= 0 && s.CurrentPlace <= s.CandidateCount)
                s.CurrentCandidate = s.CandidateList[s.CurrentPlace];
            ClearCandidateStatus(host);
            EndPick(app, host, surface, s.CurrentCandidate);
            break;
        }
        case kKeyUp:
        case kKeyDown: {
            const int n = s.CandidateCount;
            if (n == 0) break;
            const auto step = [&](int place) {
                if (key == kKeyDown) return place % n + 1;
                const int p = (place + n - 1) % n;
                return p == 0 ? n : p;
            };
            // One full turn at most: when every place is left out, the highlight stays.
            int p = step(s.CurrentPlace);
            for (int turns = 1; turns < n && IsExcluded(excluded, s.CandidateList[p]); ++turns)
                p = step(p);
            if (IsExcluded(excluded, s.CandidateList[p])) break;
            UnhighlightCandidate(app, host, surface, s.CurrentCandidate);
            DrawObjectNormal(app, host, surface, s.CurrentCandidate);
            s.CurrentPlace = p;
            s.CurrentCandidate = s.CandidateList[p];
            HighlightCandidate(app, host, surface, s.CurrentCandidate);
            ShowCandidateStatus(app, host, s.CurrentCandidate);
            break;
        }
        case kKeyEsc: {
            UnhighlightCandidate(app, host, surface, s.CurrentCandidate);
            s.CurrentCandidate.index = 0;
            ClearCandidateStatus(host);
            // The purpose decides what a cancel ends: the construction, the rest of a polygon,
            // the drag, the attribute or binding command.
            EndPick(app, host, surface, s.CurrentCandidate);
            break;
        }
        default:
            break;
    }
}

std::string CandidateText(const Figure& f, ObjectRef ref) {
    const char* kindName = "";
    switch (ref.kind) {
        case kKindNumber:
            kindName = "変数";
            break;
        case kKindPoint:
            kindName = "点";
            break;
        case kKindLine:
            kindName = "直線";
            break;
        case kKindCircle:
            kindName = "円";
            break;
        default:
            break;
    }
    if (ref.index < 1 || ref.index > Count(f, ref.kind)) return kindName;
    return kindName + TrimRight(NameOf(f, ref));
}

void ShowCandidateStatus(const App& app, Host& host, ObjectRef ref) {
    host.ShowPickStatus(CandidateText(app.figure, ref));
}

void ClearCandidateStatus(Host& host) {
    host.ShowPickStatus("");
}

void DrawObjectAs(const App& app, const DrawContext& ctx, ObjectRef ref, int mark, int colour,
                  int label) {
    const Figure& f = app.figure;
    if (ref.index < 1 || ref.index > Count(f, ref.kind)) return;
    switch (ref.kind) {
        case kKindPoint: {
            PointRecord p = f.Points[ref.index];
            if (mark >= 0) p.mark = static_cast<i16>(mark);
            if (colour >= 0) p.colour = static_cast<i16>(colour);
            DrawPointMark(p, ctx);
            if (label >= 0) DrawPointLabel(f, ref, label, kSourceCurrent, ctx);
            break;
        }
        case kKindLine: {
            LineRecord l = f.Lines[ref.index];
            if (colour >= 0) l.colour = static_cast<i16>(colour);
            DrawLineRecord(l, ctx);
            break;
        }
        case kKindCircle: {
            CircleRecord c = f.Circles[ref.index];
            if (colour >= 0) c.colour = static_cast<i16>(colour);
            DrawCircleRecord(c, ctx);
            break;
        }
        default:
            break;
    }
}

void HighlightCandidate(App& app, Host& host, Surface& surface, ObjectRef ref) {
    const Painter paint(app, host, surface);
    if (CurrentMode(app.session) == kModeNewPoint) {
        DrawObjectAs(app, paint.ctx, ref, kMarkCircle, kColourBlack);
    } else {
        DrawObjectAs(app, paint.ctx, ref, kMarkCross, kColourRed, kColourRed);
    }
}

void UnhighlightCandidate(App& app, Host& host, Surface& surface, ObjectRef ref) {
    const Painter paint(app, host, surface);
    if (CurrentMode(app.session) == kModeNewPoint) {
        DrawObjectAs(app, paint.ctx, ref, kMarkCircle, kColourNone);
    } else {
        DrawObjectAs(app, paint.ctx, ref, kMarkCross, kColourNone, kColourNone);
    }
}

void MarkPicked(App& app, Host& host, Surface& surface, ObjectRef ref) {
    const Painter paint(app, host, surface);
    DrawObjectAs(app, paint.ctx, ref, kMarkCross, kColourBlue, kColourBlue);
}

void DrawObjectNormal(App& app, Host& host, Surface& surface, ObjectRef ref) {
    // A picture kept in layers still holds the object as the last full redraw drew it: taking
    // the highlight away shows it again. Drawing it once more over itself would darken the
    // blended edges of a smooth picture.
    if (surface.KeepsLayers()) {
        UnhighlightCandidate(app, host, surface, ref);
        return;
    }
    const Figure& f = app.figure;
    if (ref.index < 1 || ref.index > Count(f, ref.kind)) return;
    // What the full redraw leaves out stays out: objects of colour 0 and points whose mark
    // is reserved for the interaction.
    switch (ref.kind) {
        case kKindPoint:
            if (f.Points[ref.index].colour == 0 || f.Points[ref.index].mark >= 10) return;
            break;
        case kKindLine:
            if (f.Lines[ref.index].colour == 0) return;
            break;
        case kKindCircle:
            if (f.Circles[ref.index].colour == 0) return;
            break;
        default:
            return;
    }
    const Painter paint(app, host, surface);
    DrawObject(f, ref, 0, kSourceCurrent, paint.ctx);
}

void DrawAllCandidates(App& app, Host& host, Surface& surface, int colour) {
    const Painter paint(app, host, surface);
    const Session& s = app.session;
    for (int i = 1; i <= s.CandidateCount; ++i)
        DrawObjectAs(app, paint.ctx, s.CandidateList[i], kMarkCircle, colour);
}

}  // namespace kv
