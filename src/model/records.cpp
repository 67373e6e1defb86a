#include "model/records.h"

namespace kv {

void InitNumberRecord(NumberRecord& n) {
    n.value = 0.0;
    n.exists = 0;
    n.name.clear();
    n.isVariable = kMeasuredNumber;
    n.formula.clear();
}

void InitPointRecord(PointRecord& p) {
    p.x = p.y = p.param = 0.0;
    p.colour = 7;
    p.exists = 0;
    p.bindKind = 0;
    p.name.clear();
}

void InitLineRecord(LineRecord& l) {
    l.x1 = l.y1 = l.x2 = l.y2 = l.dx = l.dy = 0.0;
    l.exists = 0;
    l.form = 0;
    l.colour = 7;
}

void InitCircleRecord(CircleRecord& c) {
    c.cx = c.cy = c.r = 0.0;
    c.exists = 0;
    c.colour = 7;
}

}  // namespace kv
