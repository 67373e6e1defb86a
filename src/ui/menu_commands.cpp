#include "ui/menu_commands.h"

#include "ui/activity.h"
#include "ui/attributes.h"
#include "ui/binding.h"
#include "ui/construction.h"
#include "ui/drag.h"
#include "ui/file_commands.h"
#include "ui/locus.h"
#include "ui/menu_tree.h"
#include "ui/new_figure.h"
#include "ui/option_commands.h"
#include "ui/undo.h"
#include "ui/view_commands.h"

namespace kv {

namespace {

// A command that starts something of its own first ends whatever is under way, the way Esc
// would; its menu is enabled, so choosing it must never only beep. `keepDrag`: the command runs
// during a drag and returns to it.
MenuCommand EndingFirst(MenuCommand command, bool keepDrag = false) {
    return [command = std::move(command), keepDrag](App& a, Host& h, Surface& s) {
        if (EndActivity(a, h, s, keepDrag)) command(a, h, s);
    };
}

}  // namespace

MenuCommandTable MenuCommands() {
    MenuCommandTable t;
    t["mnuLoad"] = mnuLoad_Click;
    t["mnuSave"] = mnuSave_Click;
    t["mnuDeform1Pt"] = mnuDeform1Pt_Click;
    // Every construction and measurement item starts the construction of its code.
    for (const MenuEntry& e : MenuTree()) {
        if (e.code.empty()) continue;
        const std::string code(e.code);
        const MenuVariant variant = e.variant;
        t[std::string(e.name)] = [code, variant](App& a, Host& h, Surface& s) {
            RunConstructionMenu(a, h, s, code, variant);
        };
    }
    t["mnuPnewFreeP"] = StartNewPoint;
    t["mnuCredo"] = RepeatLast;
    t["mnuMredo"] = RepeatLast;
    t["mnuZoomDefault"] = mnuZoomDefault_Click;
    t["mnuZoomIn"] = mnuZoomIn_Click;
    t["mnuZoomOut"] = mnuZoomOut_Click;
    t["mnuZoomFit"] = mnuZoomFit_Click;
    t["mnuLocusOn"] = [](App& a, Host& h, Surface&) { mnuLocusOn_Click(a, h); };
    t["mnuLocusOff"] = [](App& a, Host& h, Surface&) { mnuLocusOff_Click(a, h); };
    t["mnuOchrDisp"] = [](App& a, Host& h, Surface&) { mnuOchrDisp_Click(a, h); };
    t["mnuOAxis"] = mnuOAxis_Click;
    t["mnuWidth"] = mnuWidth_Click;
    t["mnuFont"] = mnuFont_Click;
    t["mnuKeta"] = mnuKeta_Click;
    t["mnuEditFigDataView"] = [](App& a, Host& h, Surface&) { mnuEditFigDataView_Click(a, h); };
    t["mnuEcallHis"] = [](App& a, Host& h, Surface&) { mnuEcallHis_Click(a, h); };
    t["mnuVersion"] = [](App&, Host& h, Surface&) { mnuVersion_Click(h); };
    t["mnuBench"] = mnuBench_Click;
    t["mnuLocusReset"] = mnuLocusReset_Click;
    t["mnuCundo"] = mnuCundo_Click;
    t["mnuMundo"] = mnuMundo_Click;
    t["mnuCrestore"] = mnuCrestore_Click;
    t["mnuMrestore"] = mnuMrestore_Click;
    t["mnuEboundedPt"] = mnuEboundedPt_Click;
    t["mnuNew"] = mnuNew_Click;
    // The locus settings open the same attribute dialogs as the edit menu.
    t["mnuEbasicPt"] = mnuEbasicPt_Click;
    t["mnuEbasicLine"] = mnuEbasicLine_Click;
    t["mnuEbasicCircle"] = mnuEbasicCircle_Click;
    t["mnuLocusSetP"] = mnuEbasicPt_Click;
    t["mnuLocusSetL"] = mnuEbasicLine_Click;
    t["mnuLocusSetC"] = mnuEbasicCircle_Click;

    for (const char* name : {"mnuNew", "mnuLoad", "mnuSave", "mnuDeform1Pt", "mnuPnewFreeP",
                             "mnuCredo", "mnuMredo", "mnuCundo", "mnuMundo"})
        t[name] = EndingFirst(t[name]);
    for (const MenuEntry& e : MenuTree())
        if (!e.code.empty()) t[std::string(e.name)] = EndingFirst(t[std::string(e.name)]);
    for (const char* name : {"mnuEbasicPt", "mnuEbasicLine", "mnuEbasicCircle", "mnuLocusSetP",
                             "mnuLocusSetL", "mnuLocusSetC", "mnuEboundedPt"})
        t[name] = EndingFirst(t[name], true);
    return t;
}

}  // namespace kv
