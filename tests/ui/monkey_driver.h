#pragma once
// A random user: long sessions of menu commands, presses, moves, keys and dialog answers on
// one App with the scripted host, with the figure's invariants checked after every step.
// Every action carries all its random choices (positions, typed answers, file names), so a
// session can be replayed from its list of actions, and shortened while it still fails.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fake_host.h"
#include "io/figure_file.h"
#include "io/report.h"
#include "model/catalogue.h"
#include "render/surface.h"
#include "render/view_transform.h"
#include "ui/attributes.h"
#include "ui/binding.h"
#include "ui/construction.h"
#include "ui/drag.h"
#include "ui/file_commands.h"
#include "ui/input_dispatch.h"
#include "ui/locus.h"
#include "ui/menu_commands.h"
#include "ui/menu_tree.h"
#include "ui/modes.h"
#include "ui/new_figure.h"
#include "ui/number_dialog.h"
#include "ui/option_commands.h"
#include "ui/picking.h"
#include "ui/session.h"
#include "ui/undo.h"
#include "ui/view_commands.h"

namespace kv::test::monkey {

// splitmix64: small, fast and the same on every machine.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : s_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<unsigned>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    double Uniform(double lo, double hi) {
        return lo + (hi - lo) * static_cast<double>(Next() >> 11) / 9007199254740992.0;
    }
    template <class T>
    const T& Pick(const std::vector<T>& v) {
        return v[static_cast<size_t>(Below(static_cast<int>(v.size())))];
    }

  private:
    std::uint64_t s_;
};

using Answer = std::optional<std::string>;

enum class Act {
    kMenu,       // text: menu name
    kPress,      // a: buttons, b: shift, x, y
    kMove,       // a: buttons, b: shift, x, y
    kKey,        // a: key, b: shift
    kNumberOK,   // a: row
    kNumberNew,  // text
    kNumberCancel,
    kAttrOK,      // a: kind, answer
    kAttrCancel,  // a: kind
    kBindKind,    // a: kind
    kBindCancel,
    kNewYes,
    kNewOther,  // "保存しておく" or "キャンセル": the confirmation only closes
    kPanel,     // a: panel
};

struct Action {
    Act act = Act::kKey;
    std::string text;
    int a = 0, b = 0;
    double x = 0, y = 0;
    AttributeAnswer attr;
    // What the host answers while the action runs.
    std::vector<Answer> inputs, opens, saves;

    std::string Describe() const {
        std::ostringstream o;
        o.precision(17);
        switch (act) {
            case Act::kMenu:
                o << "menu " << text;
                break;
            case Act::kPress:
                o << "press buttons=" << a << " shift=" << b << " at " << x << "," << y;
                break;
            case Act::kMove:
                o << "move buttons=" << a << " shift=" << b << " to " << x << "," << y;
                break;
            case Act::kKey:
                o << "key " << a << " shift=" << b;
                break;
            case Act::kNumberOK:
                o << "number dialog OK row " << a;
                break;
            case Act::kNumberNew:
                o << "number dialog new '" << text << "'";
                break;
            case Act::kNumberCancel:
                o << "number dialog cancel";
                break;
            case Act::kAttrOK:
                o << "attribute dialog " << a << " set name='" << attr.name
                  << "' colour=" << attr.colour << " locus=" << attr.locusColour
                  << " form=" << attr.form << " indep=" << attr.independent;
                break;
            case Act::kAttrCancel:
                o << "attribute dialog " << a << " cancel";
                break;
            case Act::kBindKind:
                o << "binding dialog OK kind " << a;
                break;
            case Act::kBindCancel:
                o << "binding dialog cancel";
                break;
            case Act::kNewYes:
                o << "new confirmation yes";
                break;
            case Act::kNewOther:
                o << "new confirmation closed";
                break;
            case Act::kPanel:
                o << "status panel " << a;
                break;
        }
        auto list = [&](const char* what, const std::vector<Answer>& v) {
            if (v.empty()) return;
            o << " " << what << "=[";
            for (const Answer& s : v) o << (s ? "'" + *s + "'" : "cancel") << ";";
            o << "]";
        };
        list("inputs", inputs);
        list("opens", opens);
        list("saves", saves);
        return o.str();
    }
};

// The fake host, also keeping track of which modeless dialogs are on show (a dialog's buttons
// can only be pressed while it is), and forgetting its records now and then.
class MonkeyHost : public FakeHost {
  public:
    bool numberShown = false;
    NumberDialogView numberView;
    std::array<bool, 4> attributeShown{};
    std::array<AttributeDialogView, 4> attributeView{};
    bool bindingShown = false;
    bool newShown = false;
    std::map<std::string, bool, std::less<>> enabled;  // menu name -> enabled, from the status

    void ShowNumberDialog(const NumberDialogView& view) override {
        numberShown = true;
        numberView = view;
    }
    void ShowAttributeDialog(const AttributeDialogView& view) override {
        if (view.kind < 1 || view.kind > 3) return;
        attributeShown[view.kind] = true;
        attributeView[view.kind] = view;
    }
    void HideAttributeDialog(i16 kind) override {
        if (kind >= 1 && kind <= 3) attributeShown[kind] = false;
    }
    void ShowBindingDialog(int) override { bindingShown = true; }
    void HideNumberDialog() override { numberShown = false; }
    void HideBindingDialog() override { bindingShown = false; }
    void ShowNewConfirmation() override { newShown = true; }
    void ShowStatus(const StatusView& status) override {
        for (const MenuSetting& e : status.enabling) enabled[std::string(e.menu)] = e.on;
        lastStatus = status;
    }
    void Forget() {
        messages.clear();
        inputs.clear();
        statuses.clear();
        statusAtDialog.clear();
        viewerTexts.clear();
        pickStatuses.clear();
        numberDialogs.clear();
        bindingDialogs.clear();
        attributeDialogs.clear();
        attributeHides.clear();
    }
    StatusView lastStatus;
};

struct Config {
    std::vector<std::string> files;  // figure files offered by the open dialog
    std::string tempDir;             // where saves go
    int roundTripEvery = 7;          // a save-and-read-back check every so many steps
};

// One random user's session: the App, the host, the surface it draws on, and the actions done so
// far.
class Monkey {
  public:
    Monkey(Surface& surface, const Config& config, std::uint64_t seed)
        : surface_(surface), config_(config), rng_(seed) {
        SetScreen(app_.view, surface_);
        BuildCommands();
        for (const MenuEntry& e : MenuTree()) host_.enabled[std::string(e.name)] = !e.disabled;
        saved_ = {config_.tempDir + "/m1.kvf", config_.tempDir + "/m2.kvf"};
    }

    App& app() { return app_; }
    MonkeyHost& host() { return host_; }
    const std::vector<Action>& done() const { return done_; }

    // Draws the next action from the random stream, against the state as it is now.
    Action Generate() {
        Action a;
        const int r = rng_.Below(100);
        if (r < 4 && host_.numberShown) return NumberAnswer();
        if (r < 7 && AnyAttributeShown()) return AttributeAnswerAction();
        if (r < 10 && host_.bindingShown) {
            a.act = rng_.Chance(80) ? Act::kBindKind : Act::kBindCancel;
            a.a = rng_.Below(5) - 1;
            return a;
        }
        if (r < 12 && host_.newShown) {
            a.act = rng_.Chance(60) ? Act::kNewYes : Act::kNewOther;
            return a;
        }
        if (r < 40) {
            a.act = Act::kMenu;
            a.text = ReachableMenu();
            Script(a);
            return a;
        }
        if (r < 65) {
            a.act = Act::kPress;
            const int b = rng_.Below(20);
            a.a = b < 15 ? kButtonLeft : b < 18 ? kButtonRight : b < 19 ? kButtonMiddle : 3;
            a.b = rng_.Chance(10) ? 1 : 0;
            Position(a);
            if (rng_.Chance(3)) Script(a);
            return a;
        }
        if (r < 78) {
            a.act = Act::kMove;
            a.a = rng_.Chance(85) ? kButtonLeft : rng_.Below(4);
            Position(a);
            return a;
        }
        if (r < 98) {
            a.act = Act::kKey;
            static const int keys[] = {kKeyEnter, kKeyEsc,  kKeyLeft,  kKeyUp,
                                       kKeyRight, kKeyDown, kKeyEnter, 65};
            a.a = keys[rng_.Below(8)];
            a.b = rng_.Chance(10) ? 1 : 0;
            if (rng_.Chance(3)) Script(a);
            return a;
        }
        a.act = Act::kPanel;
        a.a = 1 + rng_.Below(4);
        Script(a);
        return a;
    }

    // Does one action as the window would. Dialog answers come only while their dialog is
    // on show, as its buttons can only be pressed then.
    void Apply(const Action& a) {
        done_.push_back(a);
        for (const Answer& s : a.inputs) host_.inputAnswers.push_back(s);
        for (const Answer& s : a.opens) host_.openAnswers.push_back(s);
        for (const Answer& s : a.saves) host_.saveAnswers.push_back(s);
        App& p = app_;
        switch (a.act) {
            case Act::kMenu: {
                const auto it = commands_.find(a.text);
                if (it != commands_.end() && Reachable(a.text)) it->second();
                break;
            }
            case Act::kPress:
                Form_MouseDown(p, host_, surface_, a.a, a.b, a.x, a.y);
                break;
            case Act::kMove:
                Form_MouseMove(p, host_, surface_, a.a, a.b, a.x, a.y);
                break;
            case Act::kKey:
                Form_KeyDown(p, host_, surface_, a.a, a.b);
                break;
            case Act::kNumberOK:
                if (!host_.numberShown) break;
                host_.numberShown = false;
                Cmd_OK_Click(p, host_, surface_, a.a);
                break;
            case Act::kNumberNew:
                if (!host_.numberShown) break;
                host_.numberShown = false;
                NewNumOK_Click(p, host_, surface_, a.text);
                break;
            case Act::kNumberCancel:
                if (!host_.numberShown) break;
                host_.numberShown = false;
                Cmd_Cancel_Click(p, host_, surface_);
                break;
            case Act::kAttrOK:
                if (a.a < 1 || a.a > 3 || !host_.attributeShown[a.a]) break;
                host_.attributeShown[a.a] = false;
                CommandOK_Click(p, host_, surface_, static_cast<i16>(a.a), a.attr);
                break;
            case Act::kAttrCancel:
                if (a.a < 1 || a.a > 3 || !host_.attributeShown[a.a]) break;
                host_.attributeShown[a.a] = false;
                CommandCancel_Click(p, host_, surface_, static_cast<i16>(a.a));
                break;
            case Act::kBindKind:
                if (!host_.bindingShown) break;
                host_.bindingShown = false;
                BindKindChosen(p, host_, surface_, a.a);
                break;
            case Act::kBindCancel:
                if (!host_.bindingShown) break;
                host_.bindingShown = false;
                BindCancel_Click(p, host_, surface_);
                break;
            case Act::kNewYes:
                if (!host_.newShown) break;
                host_.newShown = false;
                CommandYes_Click(p, host_, surface_);
                break;
            case Act::kNewOther:
                host_.newShown = false;
                break;
            case Act::kPanel:
                KVStatus1_PanelClick(p, host_, surface_, a.a);
                break;
        }
        // Answers the step did not ask for are not kept for a later one.
        host_.inputAnswers.clear();
        host_.openAnswers.clear();
        host_.saveAnswers.clear();
        if (host_.statuses.size() + host_.messages.size() > 2000) host_.Forget();
    }

    // Everything that must hold between two steps; the first broken rule, or "".
    std::string Check() {
        const kv::Session& s = app_.session;
        std::ostringstream o;
        if (s.ModeDepth < 0 || s.ModeDepth >= kModeSlots) return "mode stack depth out of range";
        if (s.ModeStack[0] != kModeStandard) return "bottom mode slot is not 2";
        for (int i = 0; i <= s.ModeDepth; ++i)
            if (!KnownModeText(s.ModeStack[i])) {
                o << "unknown mode " << s.ModeStack[i] << " in slot " << i;
                return o.str();
            }
        const Figure& f = app_.figure;
        const size_t objs = static_cast<size_t>(f.Capacity) + 1;
        const size_t procs = 2 * static_cast<size_t>(f.Capacity) + 1;
        if (f.Numbers.size() != objs || f.Points.size() != objs || f.Lines.size() != objs ||
            f.Circles.size() != objs || f.SavedNumbers.size() != objs ||
            f.SavedPoints.size() != objs || f.SavedLines.size() != objs ||
            f.SavedCircles.size() != objs)
            return "object tables do not match the capacity";
        if (f.ProcCode.size() != procs || f.ProcInput.size() != procs ||
            f.ProcOutput.size() != procs || f.ProcState.size() != procs ||
            f.SwapFlag.size() != procs)
            return "procedure tables do not match the capacity";
        for (int k = 0; k <= 3; ++k)
            if (f.ObjectCount[k] < 0 || f.ObjectCount[k] > f.Capacity) {
                o << "ObjectCount[" << k << "] = " << f.ObjectCount[k] << " beyond capacity "
                  << f.Capacity;
                return o.str();
            }
        if (f.ProcedureCount < 0 || static_cast<size_t>(f.ProcedureCount) >= procs)
            return "ProcedureCount beyond the procedure tables";
        auto valid = [&](ObjectRef r) {
            return r.kind >= 0 && r.kind <= 3 && r.index >= 1 && r.index <= f.ObjectCount[r.kind];
        };
        // A procedure is built only while its construction is on the stack; the free-point
        // mode's procedure has its point from the start.
        bool constructing = false;
        for (int i = 1; i <= s.ModeDepth; ++i)
            constructing = constructing || s.ModeStack[i] == kModeConstructing;
        const bool placing = CurrentMode(s) == kModeNewPoint;
        for (int i = 1; i <= f.ProcedureCount; ++i) {
            // The procedure being built has slots waiting for their objects.
            const bool building = (constructing || placing) && i == f.ProcedureCount;
            for (int j = 1; j <= kSlots; ++j) {
                const ObjectRef in = f.ProcInput[i][j];
                const ObjectRef out = f.ProcOutput[i][j];
                const bool inOk = in.IsEmpty() || valid(in) ||
                                  (in.index == 0 && in.kind == kSlotMacroStep) ||
                                  (in.index == 0 && building);
                if (!inOk) {
                    o << "procedure " << i << " " << CodeOf(f, i) << " input " << j << " = ("
                      << in.kind << "," << in.index << ")";
                    return o.str();
                }
                if (!(out.IsEmpty() || valid(out) || (out.index == 0 && building))) {
                    o << "procedure " << i << " " << CodeOf(f, i) << " output " << j << " = ("
                      << out.kind << "," << out.index << ")";
                    return o.str();
                }
            }
        }
        if (!constructing && f.ProcedureCount > 0 && NextInputSlot(f) != 0) {
            o << "half-built procedure " << f.ProcedureCount << " " << CodeOf(f, f.ProcedureCount)
              << " left in mode " << CurrentMode(s);
            return o.str();
        }
        // A pick runs only in its own selection mode, and a dialog that asks is on show only
        // while its request is under way.
        if (s.PickFor != PickPurpose::kNone && CurrentMode(s) != PickModeOf(s.PickFor))
            return "a pick is noted while its mode is not on top";
        if (host_.bindingShown && CurrentMode(s) != kModeBinding)
            return "the binding dialog is on show while no binding waits for it";
        // A construction waiting for its number can only go on through the dialog.
        if (AwaitingNumber(app_) && !host_.numberShown)
            return "a construction waits for a number while no number dialog is on show";
        // Every field of every record, defined or not: a non-finite value would show in the
        // report and could not be saved as it is.
        auto finite = [](std::initializer_list<double> vs) {
            return std::all_of(vs.begin(), vs.end(), [](double v) { return std::isfinite(v); });
        };
        for (int i = 1; i <= f.ObjectCount[kKindNumber]; ++i)
            if (!finite({f.Numbers[i].value})) {
                o << "number " << i << " not finite";
                return o.str();
            }
        for (int i = 1; i <= f.ObjectCount[kKindPoint]; ++i) {
            const PointRecord& p = f.Points[i];
            if (!finite({p.x, p.y, p.param})) {
                o << "point " << i << " not finite (position or parameter)";
                return o.str();
            }
        }
        for (int i = 1; i <= f.ObjectCount[kKindLine]; ++i) {
            const LineRecord& l = f.Lines[i];
            if (!finite({l.x1, l.y1, l.x2, l.y2, l.dx, l.dy})) {
                o << "line " << i << " not finite";
                return o.str();
            }
        }
        for (int i = 1; i <= f.ObjectCount[kKindCircle]; ++i) {
            const CircleRecord& c = f.Circles[i];
            if (!finite({c.cx, c.cy, c.r})) {
                o << "circle " << i << " not finite";
                return o.str();
            }
        }
        return "";
    }

    // The figure as it is, written and read back, must report the same text.
    std::string CheckRoundTrip() {
        const std::string text = FigureFileText(app_.figure);
        ReadResult back = ReadFigureText(text, "round-trip");
        if (!back.result.ok())
            return "a written figure does not read back: " + back.result.error.Describe();
        const std::string before = ConstructionReport(app_.figure, "x");
        const std::string after = ConstructionReport(*back.figure, "x");
        if (before != after)
            return "the figure read back reports differently:\n" + FirstDifference(before, after);
        return "";
    }

    static std::string FirstDifference(const std::string& a, const std::string& b) {
        std::istringstream ia(a), ib(b);
        std::string la, lb;
        int n = 1;
        while (true) {
            const bool ea = !std::getline(ia, la), eb = !std::getline(ib, lb);
            if (ea && eb) return "(no difference found)";
            if (ea || eb || la != lb) {
                std::ostringstream o;
                o << "line " << n << ":\n  before: " << (ea ? "<end>" : la)
                  << "\n  after:  " << (eb ? "<end>" : lb);
                return o.str();
            }
            ++n;
        }
    }

    int RoundTripEvery() const { return config_.roundTripEvery; }

  private:
    bool AnyAttributeShown() const {
        return host_.attributeShown[1] || host_.attributeShown[2] || host_.attributeShown[3];
    }

    Action NumberAnswer() {
        Action a;
        const int r = rng_.Below(10);
        if (r < 5) {
            a.act = Act::kNumberOK;
            a.a = rng_.Below(static_cast<int>(host_.numberView.lines.size()) + 2) - 1;
        } else if (r < 9) {
            a.act = Act::kNumberNew;
            a.text = TypedNumber();
        } else {
            a.act = Act::kNumberCancel;
        }
        return a;
    }

    // A name as a user may type it: a few chosen ones, or up to a dozen characters of any a
    // keyboard gives, the file format's own ("@" between a number's name and formula, quotes,
    // commas) and full-width ones included.
    std::string TypedName() {
        static const std::vector<std::string> chosen = {
            "",   "A", "Ｐ点", "long name here!", "x,y\"z", "あいうえおかきくけこさしすせそ",
            "P@", "@"};
        if (rng_.Chance(30)) return rng_.Pick(chosen);
        static const std::vector<std::string> wide = {"＠", "＂", "，", "点",
                                                      "Ｐ", "ｱ",  "円", "　"};
        std::string name;
        for (int n = rng_.Below(13); n > 0; --n) {
            if (rng_.Chance(25))
                name += rng_.Pick(wide);
            else
                name += static_cast<char>(' ' + rng_.Below(95));  // printable ASCII
        }
        return name;
    }

    Action AttributeAnswerAction() {
        Action a;
        std::vector<int> shown;
        for (int k = 1; k <= 3; ++k)
            if (host_.attributeShown[k]) shown.push_back(k);
        a.a = rng_.Pick(shown);
        if (rng_.Chance(20)) {
            a.act = Act::kAttrCancel;
            return a;
        }
        a.act = Act::kAttrOK;
        a.attr.name = rng_.Chance(50) ? host_.attributeView[a.a].name : TypedName();
        a.attr.colour = rng_.Below(10) - 1;
        a.attr.locusColour = rng_.Below(10) - 1;
        a.attr.form = rng_.Below(8) - 1;
        a.attr.independent = rng_.Below(3) - 1;
        return a;
    }

    std::string TypedNumber() {
        static const std::vector<std::string> typed = {
            "3",      "5",   "1",   "2",   "0",    "-1",   "2.5",   "1e308", "-1e308",
            "abc",    "",    "7",   "12",  "1000", "1001", "32767", "32768", "4",
            "1e-300", "  6", "nan", "inf", "3a",   "-0",   "100000"};
        return rng_.Pick(typed);
    }

    // Host answers a command may ask for, drawn now so that a replay gives the same ones.
    void Script(Action& a) {
        for (int i = 0, n = rng_.Below(3); i < n; ++i)
            a.inputs.push_back(rng_.Chance(15) ? Answer{} : Answer{TypedNumber()});
        if (rng_.Chance(90)) {
            Answer open;
            const int r = rng_.Below(10);
            if (r < 6 && !config_.files.empty())
                open = rng_.Pick(config_.files);
            else if (r < 8)
                open = rng_.Pick(saved_);
            else if (r < 9)
                open = config_.tempDir + "/missing.kvf";
            a.opens.push_back(open);
        }
        if (rng_.Chance(90)) {
            Answer save;
            const int r = rng_.Below(10);
            if (r < 8)
                save = rng_.Pick(saved_);
            else if (r < 9)
                save = config_.tempDir + "/no-such-folder/x.kvf";
            a.saves.push_back(save);
        }
    }

    // A position at an object (a point, a point of a line, a circle's centre or rim), or
    // anywhere on or just off the picture.
    void Position(Action& a) {
        const Figure& f = app_.figure;
        std::vector<std::pair<double, double>> at;
        for (int i = 1; i <= f.ObjectCount[kKindPoint]; ++i)
            if (f.Points[i].exists) at.emplace_back(f.Points[i].x, f.Points[i].y);
        for (int i = 1; i <= f.ObjectCount[kKindLine]; ++i)
            if (f.Lines[i].exists) at.emplace_back(f.Lines[i].x1, f.Lines[i].y1);
        for (int i = 1; i <= f.ObjectCount[kKindCircle]; ++i)
            if (f.Circles[i].exists)
                at.emplace_back(f.Circles[i].cx + f.Circles[i].r, f.Circles[i].cy);
        // A mouse on the window is always at a finite place.
        std::erase_if(
            at, [](const auto& p) { return !std::isfinite(p.first) || !std::isfinite(p.second); });
        if (!at.empty() && rng_.Chance(50)) {
            const auto& p = at[static_cast<size_t>(rng_.Below(static_cast<int>(at.size())))];
            const double j = rng_.Chance(50) ? 0.0 : 0.3;
            a.x = p.first + rng_.Uniform(-j, j);
            a.y = p.second + rng_.Uniform(-j, j);
            return;
        }
        const double w = app_.view.HalfWidth * 1.1, h = app_.view.HalfHeight * 1.1;
        a.x = rng_.Uniform(-w, w);
        a.y = rng_.Uniform(-h, h);
        if (rng_.Chance(1)) a.x = 1e12;
    }

    // A menu item the user can reach now: not greyed, and in menus that are not greyed. The
    // window's items beyond the tree are reached as the tree item they follow.
    bool Reachable(const std::string& name) const {
        static const std::map<std::string, std::string, std::less<>> kAdded = {
            {"mnuCrestore", "mnuCundo"}, {"mnuMrestore", "mnuMundo"}, {"mnuZoomFit", "mnuZoomOut"}};
        if (const auto added = kAdded.find(name); added != kAdded.end())
            return Reachable(added->second);
        const std::span<const MenuEntry> tree = MenuTree();
        for (size_t i = 0; i < tree.size(); ++i) {
            if (tree[i].name != name) continue;
            int level = tree[i].level;
            for (size_t k = i + 1; k-- > 0;) {
                if (k != i && tree[k].level >= level) continue;
                level = tree[k].level;
                const auto e = host_.enabled.find(tree[k].name);
                if (e != host_.enabled.end() && !e->second) return false;
                if (level == 0) break;
            }
            return true;
        }
        return false;
    }

    std::string ReachableMenu() {
        std::vector<std::string> ok;
        for (const auto& [name, f] : commands_)
            if (Reachable(name)) ok.push_back(name);
        if (ok.empty()) return "mnuZoomIn";
        return rng_.Pick(ok);
    }

    // The window's command table ("終了" aside, which would end the run).
    void BuildCommands() {
        for (auto& [name, command] : MenuCommands()) {
            commands_[name] = [this, command] { command(app_, host_, surface_); };
        }
    }

    Surface& surface_;
    Config config_;
    Rng rng_;
    App app_;
    MonkeyHost host_;
    std::map<std::string, std::function<void()>, std::less<>> commands_;
    std::vector<std::string> saved_;
    std::vector<Action> done_;
};

struct Outcome {
    std::string failure;  // "" when every check held
    int step = 0;         // the step after which it was found
    std::vector<Action> actions;
};

// Runs `steps` random actions (or replays `script` when given), checking after each.
inline Outcome RunSession(Surface& surface, const Config& config, std::uint64_t seed, int steps,
                          const std::vector<Action>* script = nullptr) {
    Monkey s(surface, config, seed);
    Outcome out;
    const int n = script ? static_cast<int>(script->size()) : steps;
    for (int i = 0; i < n; ++i) {
        const Action a = script ? (*script)[static_cast<size_t>(i)] : s.Generate();
        s.Apply(a);
        std::string bad = s.Check();
        if (bad.empty() && config.roundTripEvery > 0 && (i + 1) % config.roundTripEvery == 0)
            bad = s.CheckRoundTrip();
        if (!bad.empty()) {
            out.failure = bad;
            out.step = i + 1;
            out.actions = s.done();
            return out;
        }
    }
    return out;
}

// The first line of a failure message: what a shorter session must still break.
inline std::string Headline(const std::string& failure) {
    std::string h = failure.substr(0, failure.find('\n'));
    // Object numbers may change as the session shrinks; compare the words only.
    std::string w;
    for (char c : h)
        if (!(c >= '0' && c <= '9')) w += c;
    return w;
}

// Shortens a failing session by dropping actions while the same kind of failure remains.
inline std::vector<Action> Minimise(Surface& surface, Config config, std::uint64_t seed,
                                    std::vector<Action> actions, const std::string& failure) {
    config.roundTripEvery = 1;
    const std::string want = Headline(failure);
    auto fails = [&](const std::vector<Action>& v) {
        const Outcome o = RunSession(surface, config, seed, 0, &v);
        return !o.failure.empty() && Headline(o.failure) == want;
    };
    if (!fails(actions)) return actions;
    for (size_t chunk = actions.size() / 2; chunk >= 1; chunk /= 2) {
        for (size_t start = 0; start < actions.size();) {
            std::vector<Action> v(actions.begin(), actions.begin() + static_cast<long>(start));
            v.insert(v.end(),
                     actions.begin() + static_cast<long>(std::min(actions.size(), start + chunk)),
                     actions.end());
            if (fails(v))
                actions = v;
            else
                start += chunk;
        }
        if (chunk == 1) break;
    }
    return actions;
}

}  // namespace kv::test::monkey
