#include "ui/macros.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <string>

#include "engine/naming.h"
#include "model/catalogue.h"
#include "model/figure.h"
#include "ui/construction.h"
#include "ui/modes.h"
#include "ui/picking.h"
#include "ui/redraw.h"

namespace kv {

namespace {

constexpr const char* kDivideCode = "PNEQ";
constexpr const char* kAngleCode = "LH2+";
constexpr const char* kRegularCode = "LRGN";
constexpr const char* kPolygonCode = "LPGN";
constexpr const char* kVertexCode = "LPG+";

// A count read from a measured number may carry rounding noise ("3.0000000000004").
constexpr double kWholeTolerance = 1e-9;

// The count typed or chosen for the head row: the number in its first filled number slot.
std::optional<double> HeadCount(const Figure& f, int head) {
    const SlotRow& in = f.ProcInput[head];
    for (int j = 1; j <= kSlots; ++j) {
        const ObjectRef r = in[j];
        if (r.kind == kKindNumber && r.index >= 1 && r.index <= f.ObjectCount[kKindNumber])
            return f.Numbers[r.index].value;
    }
    return std::nullopt;
}

// The count as a whole number within [least, kMaxMacroCount], or nullopt.
std::optional<int> WholeCount(double v, int least) {
    if (!std::isfinite(v)) return std::nullopt;
    const double n = std::round(v);
    if (std::abs(v - n) > kWholeTolerance || n < least || n > kMaxMacroCount) return std::nullopt;
    return static_cast<int>(n);
}

// Grows the tables once for a whole series, so that the series is never cut off half way:
// extra objects of each kind (number, point, line, circle) and extra procedure rows.
bool Reserve(Figure& f, std::array<int, 4> extra, int rows) {
    int objects = 0;
    for (int k = 0; k < 4; ++k) objects = std::max(objects, f.ObjectCount[k] + extra[k]);
    return EnsureCapacity(f, objects, f.ProcedureCount + rows);
}

ObjectRef NewObject(Figure& f, i16 kind) {
    const int index = AppendObject(f, kind);
    if (index == 0) return {};
    const ObjectRef r{kind, static_cast<i16>(index)};
    InitObject(f, r);
    return r;
}

// A number the series reads: fixed, defined and kept out of the on-screen number list.
ObjectRef NewNumber(Figure& f, double value) {
    const ObjectRef r = NewObject(f, kKindNumber);
    if (r.index == 0) return r;
    NumberRecord& n = f.Numbers[r.index];
    n.value = value;
    n.exists = kTrue;
    n.isVariable = kVariableNumber;
    return r;
}

ObjectRef NewPoint(Figure& f, i16 mark) {
    const ObjectRef r = NewObject(f, kKindPoint);
    if (r.index != 0) f.Points[r.index].mark = mark;
    return r;
}

ObjectRef NewLine(Figure& f, i16 form) {
    const ObjectRef r = NewObject(f, kKindLine);
    if (r.index != 0) f.Lines[r.index].form = form;
    return r;
}

ObjectRef PointRef(i16 index) {
    return {kKindPoint, index};
}

// The head row is the last procedure; the command's two modes are on the stack.
void Refuse(App& app, Host& host, Surface& surface) {
    host.Beep();
    CancelConstruction(app, host, surface);
}

// The closing row, which carries the command's code again, ends the series; the command is
// complete.
void CloseSeries(App& app, Host& host, Surface& surface, const std::string& code) {
    AppendProcedure(app.figure, code);
    PopMode(app.session);
    NameMeasuredOutputs(app.figure);
    FullRedraw(app, host, surface);
}

// n − 1 points dividing AB into n equal parts, crosses like every constructed point.
void DivideSegment(Figure& f, int head, int n) {
    const SlotRow head_in = f.ProcInput[head];
    for (int i = 1; i <= n - 1; ++i) {
        const int p = AppendProcedure(f, "PN");
        const ObjectRef ratio1 = NewNumber(f, i);
        const ObjectRef ratio2 = NewNumber(f, n - i);
        const ObjectRef point = NewPoint(f, 1);
        SlotRow& in = f.ProcInput[p];
        in[1] = head_in[1];
        in[2] = head_in[2];
        in[3] = ratio1;
        in[4] = ratio2;
        f.ProcOutput[p][1] = point;
    }
}

// n − 1 half-lines from the vertex dividing the angle into n equal sectors.
void DivideAngle(Figure& f, int head, int n) {
    const SlotRow head_in = f.ProcInput[head];
    for (int i = 1; i <= n - 1; ++i) {
        const int p = AppendProcedure(f, "LH2");
        const ObjectRef parts = NewNumber(f, n);
        const ObjectRef which = NewNumber(f, i);
        const ObjectRef line = NewLine(f, 2);
        SlotRow& in = f.ProcInput[p];
        for (int j = 1; j <= 3; ++j) in[j] = head_in[j];
        in[4] = parts;
        in[5] = which;
        f.ProcOutput[p][1] = line;
    }
}

// A regular n-gon on the side AB: each new vertex is the vertex before the previous one turned
// about the previous one by the interior angle, then the n sides, the last one back to A.
void RegularPolygon(Figure& f, int head, int n) {
    const SlotRow head_in = f.ProcInput[head];
    std::vector<i16> v(static_cast<size_t>(n) + 2, 0);
    v[1] = head_in[2].index;
    v[2] = head_in[3].index;
    v[n + 1] = v[1];
    i16 r = v[1];
    i16 c = v[2];
    const double interior = 180.0 - 360.0 / n;
    for (int k = 1; k <= n - 2; ++k) {
        const int p = AppendProcedure(f, "PT1");
        const ObjectRef angle = NewNumber(f, interior);
        const ObjectRef q = NewPoint(f, 0);
        SlotRow& in = f.ProcInput[p];
        in[1] = PointRef(r);
        in[2] = PointRef(c);
        in[3] = angle;
        f.ProcOutput[p][1] = q;
        v[k + 2] = q.index;
        r = c;
        c = q.index;
    }
    for (int k = 1; k <= n; ++k) {
        const int p = AppendProcedure(f, "L1");
        const ObjectRef side = NewLine(f, 1);
        f.ProcInput[p][1] = PointRef(v[k]);
        f.ProcInput[p][2] = PointRef(v[k + 1]);
        f.ProcOutput[p][1] = side;
    }
}

// Row p becomes the side from point a to point b; false when no line can be added.
bool MakeSide(Figure& f, int p, i16 a, i16 b) {
    const ObjectRef side = NewLine(f, 1);
    if (side.index == 0) return false;
    SetProcedureCode(f, p, "L1");
    f.ProcInput[p] = SlotRow{};
    f.ProcInput[p][1] = PointRef(a);
    f.ProcInput[p][2] = PointRef(b);
    f.ProcOutput[p] = SlotRow{};
    f.ProcOutput[p][1] = side;
    return true;
}

void ForgetPolygon(Session& s) {
    s.PolygonVertexCount = 0;
    s.PolygonVertexNo = 0;
    s.PolygonVertices.clear();
}

void CancelPolygon(App& app, Host& host, Surface& surface);

void StartPolygon(App& app, Host& host, Surface& surface, int head) {
    Figure& f = app.figure;
    Session& s = app.session;
    const double v = HeadCount(f, head).value_or(0);
    if (std::isnan(v)) {
        Refuse(app, host, surface);
        return;
    }
    const double rounded = std::nearbyint(v);  // halves to the even neighbour
    if (rounded > f.ObjectCount[kKindPoint]) {
        // Not enough points for so many vertices: the command ends without a word.
        CancelConstruction(app, host, surface);
        return;
    }
    // Below three vertices the "polygon" is a doubled segment or a point.
    if (rounded < 3 || rounded > kMaxMacroCount) {
        Refuse(app, host, surface);
        return;
    }
    const int n = static_cast<int>(rounded);
    // The head, one row per vertex being picked, the closing side and the closing row.
    if (!Reserve(f, {0, 0, n, 0}, n + 2)) {
        Refuse(app, host, surface);
        return;
    }
    s.PolygonVertexCount = static_cast<i16>(n);
    s.PolygonVertices.assign(static_cast<size_t>(n) + 1, 0);
    s.PolygonVertexNo = 1;
    AppendProcedure(f, kVertexCode);
    if (!StartVertexPick(app, host, surface, {})) CancelPolygon(app, host, surface);
}

// Cancelling during the pick of vertex k: the row waiting for it goes. With sides built the
// open polygon is closed off as a series; with none, its vertex rows and head go as well.
void CancelPolygon(App& app, Host& host, Surface& surface) {
    Figure& f = app.figure;
    Session& s = app.session;
    const int k = s.PolygonVertexNo;
    if (k <= 2) {
        // k = 1: the first vertex row and the head; k = 2: also the row of the second vertex.
        for (int i = 0; i <= k; ++i) RemoveLastProcedure(f);
        ForgetPolygon(s);
        PopMode(s);
        FullRedraw(app, host, surface);
        return;
    }
    RemoveLastProcedure(f);
    ForgetPolygon(s);
    CloseSeries(app, host, surface, kPolygonCode);
}

}  // namespace

void ExpandMacro(App& app, Host& host, Surface& surface) {
    Figure& f = app.figure;
    if (!Constructing(app.session) || f.ProcedureCount < 1) return;
    const int head = f.ProcedureCount;
    const std::string code = CodeOf(f, head);
    if (code == kPolygonCode) {
        StartPolygon(app, host, surface, head);
        return;
    }
    const int least = code == kRegularCode ? 3 : 1;
    const std::optional<int> count = WholeCount(HeadCount(f, head).value_or(0), least);
    if (!count) {
        Refuse(app, host, surface);
        return;
    }
    const int n = *count;
    bool room = false;
    if (code == kDivideCode) {
        room = Reserve(f, {2 * (n - 1), n - 1, 0, 0}, n);
    } else if (code == kAngleCode) {
        room = Reserve(f, {2 * (n - 1), 0, n - 1, 0}, n);
    } else if (code == kRegularCode) {
        room = Reserve(f, {n - 2, n - 2, n, 0}, 2 * n - 1);
    }
    if (!room) {
        Refuse(app, host, surface);
        return;
    }
    if (code == kDivideCode) DivideSegment(f, head, n);
    if (code == kAngleCode) DivideAngle(f, head, n);
    if (code == kRegularCode) RegularPolygon(f, head, n);
    CloseSeries(app, host, surface, code);
}

void AcceptVertex(App& app, Host& host, Surface& surface, ObjectRef ref) {
    Figure& f = app.figure;
    Session& s = app.session;
    if (!Constructing(s) || f.ProcedureCount < 1 || CodeOf(f, f.ProcedureCount) != kVertexCode)
        return;
    const int n = s.PolygonVertexCount;
    const int k = s.PolygonVertexNo;
    if (k < 1 || k > n || static_cast<int>(s.PolygonVertices.size()) <= n) return;
    if (ref.index == 0) {
        CancelPolygon(app, host, surface);
        return;
    }
    if (ref.kind != kKindPoint || ref.index < 1 || ref.index > f.ObjectCount[kKindPoint]) return;

    MarkPicked(app, host, surface, ref);
    std::vector<i16>& v = s.PolygonVertices;
    v[k] = ref.index;
    if (k >= 2) {
        if (!MakeSide(f, f.ProcedureCount, v[k - 1], v[k])) {
            host.Beep();
            CancelPolygon(app, host, surface);
            return;
        }
        if (k != n) FullRedraw(app, host, surface);
    }
    if (k != n) {
        AppendProcedure(f, kVertexCode);
        s.PolygonVertexNo = static_cast<i16>(k + 1);
        if (!StartVertexPick(app, host, surface, std::span<const i16>(v).subspan(1, k)))
            CancelPolygon(app, host, surface);
        return;
    }
    // The room for the closing side was reserved when the polygon started; should it still be
    // missing, the polygon stays open rather than half built.
    const int p = AppendProcedure(f, "L1");
    if (p == 0 || !MakeSide(f, p, v[n], v[1])) {
        if (p != 0) RemoveLastProcedure(f);
        host.Beep();
    }
    ForgetPolygon(s);
    CloseSeries(app, host, surface, kPolygonCode);
}

}  // namespace kv
