#include "ui/file_commands.h"

#include "model/text.h"
#include "ui/attributes.h"
#include "ui/command_line.h"
#include "ui/modes.h"
#include "ui/redraw.h"
#include "ui/status.h"

namespace kv {
namespace {

// The reader's and writer's own account of a problem is technical English (it also goes to
// the headless commands' error output); the message states the problem in Japanese and keeps
// that account as its detail.
std::string WithDetail(std::string problem, const FileResult& r) {
    if (!r.error.what.empty()) problem += "\r\n(" + r.error.what + ")";
    return problem;
}

std::string LoadProblem(const FileResult& r) {
    if (r.status == FileStatus::kNotFound) return "ファイルが見つかりません。";
    if (r.error.line > 0) {
        return WithDetail(std::to_string(r.error.line) + "行目が図形ファイルの形式に合いません。",
                          r);
    }
    return WithDetail("ファイルを読み取れません。", r);
}

std::string SaveProblem(const FileResult& r) {
    return WithDetail("ファイルに書き込めません。", r);
}

// Reads the file into the figure; on success it becomes the current file and is drawn.
bool LoadNamedFile(App& app, Host& host, Surface& surface, const std::string& path) {
    const Notifier note = NotifierOf(host);
    const FileResult r = FigureFileIO(path, FileMode::kRead, app.figure, note);
    if (!r.ok()) {
        host.Message(LoadFailureMessage(r, path));
        return false;
    }
    app.session.FigureFileName = path;
    app.session.Redo = {};
    app.colours = {};
    CloseAttributeDialogs(app, host);
    FullRedraw(app, host, surface);
    return true;
}

// Reading a file replaces the figure that a pick, a drag or a construction in progress refers
// to, and saving in the middle of one would write a procedure whose inputs are not chosen yet.
// The menus stay open in those modes and status panel 2 is always clickable, so the file
// commands themselves wait for the resting mode and only beep elsewhere.
bool AtRest(const App& app, Host& host) {
    if (CurrentMode(app.session) == kModeStandard) return true;
    host.Beep();
    return false;
}

}  // namespace

std::string LoadFailureMessage(const FileResult& r, const std::string& path) {
    return "ファイル「" + path + "」を読み込めませんでした。\r\n" + LoadProblem(r);
}

std::string SaveFailureMessage(const FileResult& r, const std::string& path) {
    return "ファイル「" + path + "」に保存できませんでした。\r\n" + SaveProblem(r);
}

void mnuLoad_Click(App& app, Host& host, Surface& surface) {
    if (!AtRest(app, host)) return;
    const bool pushed = PushMode(app.session, kModeLoading);
    RefreshStatus(app, host);
    if (const auto chosen = host.OpenFileName()) {
        const std::string path = Trim(*chosen);
        if (!path.empty()) LoadNamedFile(app, host, surface, path);
    }
    if (pushed) PopMode(app.session);
    RefreshStatus(app, host);
}

void mnuSave_Click(App& app, Host& host, Surface& surface) {
    if (!AtRest(app, host)) return;
    const bool pushed = PushMode(app.session, kModeSaving);
    RefreshStatus(app, host);
    if (const auto chosen = host.SaveFileName()) {
        const std::string path = Trim(*chosen);
        if (!path.empty()) {
            const FileResult r = FigureFileIO(path, FileMode::kWrite, app.figure, NotifierOf(host));
            if (r.ok()) {
                app.session.FigureFileName = path;
            } else if (r.status != FileStatus::kReadOnly) {
                // The read-only case has already shown its own message.
                host.Message(SaveFailureMessage(r, path));
            }
        }
    }
    if (pushed) PopMode(app.session);
    FullRedraw(app, host, surface);
}

bool OpenCommandLineFile(App& app, Host& host, Surface& surface, std::string_view text) {
    const std::string path = CommandLinePath(text);
    if (!IsExistingFile(path)) return false;
    const bool loaded = LoadNamedFile(app, host, surface, path);
    // Opening at start-up ends by taking the start-up mode off the stack; slot 0 keeps the
    // program in "標準".
    PopMode(app.session);
    RefreshStatus(app, host);
    return loaded;
}

}  // namespace kv
