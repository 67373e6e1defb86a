#pragma once
// Figure files: the whole figure (procedure list and object tables) as comma-separated text
// lines in a fixed order, written in UTF-8 with CR LF line ends.
//
// Reading never changes a figure in place: a file is read into a fresh figure and validated
// completely (counts against the lines the file really has, every reference against the
// objects, every value against its syntax) before anything is handed out. Writing goes through
// a temporary file in the target's folder that is renamed over the target only once every byte
// is written, so a failed save leaves the old file as it was.
//
// Nothing here shows anything: results carry what went wrong, and FigureFileIO reports through
// the application's Notifier.
//
// For the window:
//   - load:  `LoadFigureFile(path, figure)` — reset, read, naming pass; on failure the figure is
//            unchanged and the result says why (`status`, `error.Describe()`).
//   - save:  `SaveFigureFile(path, figure)` — naming pass, write; `kReadOnly` means the target
//            is read-only and `kReadOnlyMessage` is the text to show.
//   - or `FigureFileIO(path, FileMode::kRead / kWrite, figure, note)`, which does the same and
//     beeps on every error and shows the read-only message itself.

#include <optional>
#include <string>
#include <string_view>

#include "engine/notifier.h"
#include "model/figure.h"

namespace kv {

inline constexpr const char* kReadOnlyMessage =
    "上書しようとしたファイルは読み取り専用なので,上書できません。"
    "ファイル名を変えて,保存し直してください。";

// Files larger than this, or with more lines, are refused before they are split up; the largest
// figure the tables can hold takes well under half of either.
constexpr size_t kMaxFigureFileBytes = 64u << 20;
constexpr size_t kMaxFigureFileLines = 2u << 20;

struct FileError {
    std::string path;
    int line = 0;      // 1-based line of the file the problem is on; 0 when it is on none
    std::string what;  // what is wrong, in a short sentence without the file name

    // "PATH:LINE: WHAT", or "PATH: WHAT" without a line.
    std::string Describe() const;
};

enum class FileStatus {
    kOk,
    kNotFound,  // reading: the file (or its folder) does not exist
    kReadOnly,  // writing: the target file is read-only; nothing was written
    kFailed,    // anything else: unreadable, malformed, not writable
};

struct FileResult {
    FileStatus status = FileStatus::kOk;
    FileError error;   // filled when status is not kOk
    int revision = 1;  // after a read: 1, or 0 for the older layout without `isVariable` lines
    bool ok() const { return status == FileStatus::kOk; }
};
using LoadResult = FileResult;
using SaveResult = FileResult;

struct ReadResult {
    FileResult result;
    std::optional<Figure> figure;  // the complete figure, only when result is ok
};

// Reads a figure from the bytes of a file. The tables start at `capacity` and grow as the file
// needs. `path` only names the file in errors. The layout with `isVariable` lines is tried
// first; a file that does not fit it is read again in the older layout.
ReadResult ReadFigureText(std::string_view bytes, std::string_view path,
                          int capacity = kStartCapacity);
// The same, taking the bytes over and releasing them once their text is decoded, so that a
// file is never held twice over while it is read.
ReadResult ReadFigureBytes(std::string&& bytes, std::string_view path,
                           int capacity = kStartCapacity);
ReadResult ReadFigureFile(const std::string& path, int capacity = kStartCapacity);

// The whole text of the file for a figure, CR LF line ends.
std::string FigureFileText(const Figure& f);
// Writes the figure to `path` through a temporary file in the same folder.
SaveResult WriteFigureFile(const std::string& path, const Figure& f);

// Reset (with the figure's current capacity), read and naming pass. `f` is replaced only when
// the whole file was read.
LoadResult LoadFigureFile(const std::string& path, Figure& f);
// Naming pass, then write.
SaveResult SaveFigureFile(const std::string& path, Figure& f);

// What FigureFileIO does with the file: load it into the figure, or save the figure to it.
enum class FileMode { kRead, kWrite };

// Loads or saves as `mode` says. Every error sounds the beep first; a read-only target also
// shows kReadOnlyMessage. Other errors are left to the caller, which may show
// `error.Describe()`.
FileResult FigureFileIO(const std::string& path, FileMode mode, Figure& f, const Notifier& note);

}  // namespace kv
