#include "ui/status.h"

#include "model/version.h"
#include "ui/modes.h"
#include "ui/prompt.h"

namespace kv {

std::string FileNamePart(std::string_view path) {
    const auto cut = path.find_last_of("\\/");
    if (cut == std::string_view::npos) return std::string(path);
    return std::string(path.substr(cut + 1));
}

std::vector<MenuSetting> MenuEnabledSet(int mode) {
    if (mode == kModeStandard) {
        return {{"mnuFile", true},    {"mnuDeform", true}, {"mnuConstruction", true},
                {"mnuMeasure", true}, {"mnuOption", true}, {"mnuHelp", true},
                {"mnuZom", true}};
    }
    if (mode == kModeDeform) {
        return {{"mnuFile", false},    {"mnuDeform", false}, {"mnuConstruction", false},
                {"mnuMeasure", false}, {"mnuOption", false}, {"mnuHelp", true},
                {"mnuZom", true}};
    }
    return {};
}

StatusView StatusOf(const App& app) {
    StatusView s;
    const std::string file = FileNamePart(app.session.FigureFileName);
    s.caption = "[" + file + "] " + TitleWithVersion();
    const int mode = CurrentMode(app.session);
    if (const auto text = KnownModeText(mode)) {
        s.panel1 = std::string(*text);
    } else {
        s.panel1 = std::string(kUnknownModeText);
        s.unknownMode = true;
    }
    s.panel2 = file;
    const bool locus = app.session.LocusOn != 0;
    s.panel3 = locus ? "軌" : "×軌";
    s.checks = {{"mnuLocusOn", locus},
                {"mnuLocusOff", !locus},
                {"mnuOchrDisp", app.view.LabelsHidden == 0},
                {"mnuOAxis", app.view.ShowAxes != 0},
                {"mnuSmooth", app.view.Smooth}};
    s.enabling = MenuEnabledSet(mode);
    s.prompt = PromptOf(app);
    return s;
}

void RefreshStatus(const App& app, Host& host) {
    const StatusView s = StatusOf(app);
    if (s.unknownMode) host.Beep();
    host.ShowStatus(s);
}

}  // namespace kv
