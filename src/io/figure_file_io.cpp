// Figure files on disk: reading, saving, and the load and save sequences around them.

#include "engine/naming.h"
#include "io/figure_file.h"
#include "io/file_access.h"

namespace kv {

ReadResult ReadFigureFile(const std::string& path, int capacity) {
    FileBytes file = ReadFileBytes(path, kMaxFigureFileBytes);
    if (file.status != FileStatus::kOk) {
        ReadResult r;
        r.result.status = file.status;
        r.result.error = {path, 0, std::move(file.what)};
        return r;
    }
    return ReadFigureBytes(std::move(file.bytes), path, capacity);
}

SaveResult WriteFigureFile(const std::string& path, const Figure& f) {
    return ReplaceFile(path, FigureFileText(f));
}

LoadResult LoadFigureFile(const std::string& path, Figure& f) {
    ReadResult r = ReadFigureFile(path, f.Capacity);
    if (!r.result.ok()) return r.result;
    NameMeasuredOutputs(*r.figure);
    f = std::move(*r.figure);
    return r.result;
}

SaveResult SaveFigureFile(const std::string& path, Figure& f) {
    NameMeasuredOutputs(f);
    return WriteFigureFile(path, f);
}

FileResult FigureFileIO(const std::string& path, FileMode mode, Figure& f, const Notifier& note) {
    const FileResult r =
        mode == FileMode::kWrite ? SaveFigureFile(path, f) : LoadFigureFile(path, f);
    if (!r.ok()) note.Beep();
    if (r.status == FileStatus::kReadOnly) note.Message(kReadOnlyMessage);
    return r;
}

}  // namespace kv
