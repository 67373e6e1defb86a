#pragma once
// Whole-file reading and the safe replacement of a file.

#include <string>
#include <string_view>

#include "io/figure_file.h"

namespace kv {

struct FileBytes {
    FileStatus status = FileStatus::kOk;
    std::string bytes;
    std::string what;  // why it failed
};

// The bytes of a file, refusing folders and anything longer than `limit` bytes.
FileBytes ReadFileBytes(const std::string& path, size_t limit);

// Whether `path` names an existing file that is read-only: nobody may write it, or the
// caller may not. A file without any write permission counts as read-only even for a
// superuser, who could otherwise write it anyway.
bool IsReadOnlyFile(const std::string& path);

// Writes the bytes to a temporary file in the folder of `path` and renames it over `path` only
// when everything was written and flushed; on any failure the temporary file is removed and the
// old file stays as it was. A read-only target gives kReadOnly without writing anything. An
// existing target keeps its permissions; a symbolic link keeps pointing at the file it names,
// which is the one replaced.
FileResult ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace kv
