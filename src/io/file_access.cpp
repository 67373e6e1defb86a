#include "io/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace kv {

namespace {

constexpr size_t kTempBaseBytes = 64;

std::string ErrnoText(int e) {
    return std::strerror(e);
}

FileResult Failed(const std::string& path, FileStatus status, std::string what) {
    FileResult r;
    r.status = status;
    r.error = {path, 0, std::move(what)};
    return r;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void OpenFailure(int e, FileBytes& out) {
    const bool missing = e == ENOENT || e == ENOTDIR;
    out.status = missing ? FileStatus::kNotFound : FileStatus::kFailed;
    out.what = missing ? "no such file" : "cannot open: " + ErrnoText(e);
}

// Whether `name` is a temporary file that a save of the target named `base` makes.
bool IsTemporaryOf(std::string_view name, std::string_view base) {
    constexpr size_t kUnique = 6;  // the characters mkstemp puts in place of XXXXXX
    if (name.size() != base.size() + 2 + kUnique || name[0] != '.' ||
        name.substr(1, base.size()) != base || name[base.size() + 1] != '.')
        return false;
    for (char c : name.substr(base.size() + 2)) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum) return false;
    }
    return true;
}

bool Before(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// Removes the temporary files of earlier saves of the same target that never got renamed into
// place (a save killed halfway leaves its temporary file, of the figure's full size). Only
// plain files of this user that were last written before the current save began are taken,
// so a save of the same file running at this moment in another window keeps its own.
void RemoveStaleTemporaries(const std::filesystem::path& folder, std::string_view base,
                            const timespec& began) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::filesystem::path& entry = it->path();
        if (!IsTemporaryOf(entry.filename().string(), base)) continue;
        struct stat st {};
        if (::lstat(entry.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
            !Before(st.st_mtim, began))
            continue;
        ::unlink(entry.c_str());
    }
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

FileBytes ReadFileBytes(const std::string& path, size_t limit) {
    FileBytes out;
    // Opening a named pipe for reading waits for a writer, and reading a device or a pipe may
    // never end, so what the path names is looked at before it is opened; the open itself does
    // not wait either, in case the path is replaced in between, and the opened file is looked
    // at once more.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        OpenFailure(errno, out);
        return out;
    }
    auto refuse = [&out](const struct stat& s) {
        if (S_ISREG(s.st_mode)) return false;
        out.status = FileStatus::kFailed;
        out.what = S_ISDIR(s.st_mode) ? "is a folder, not a file"
                                      : "is not a plain file (a pipe or a device is not read)";
        return true;
    };
    if (refuse(st)) return out;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        OpenFailure(errno, out);
        return out;
    }
    if (::fstat(fd, &st) != 0 || refuse(st)) {
        if (out.what.empty()) {
            out.status = FileStatus::kFailed;
            out.what = "cannot open: " + ErrnoText(errno);
        }
        ::close(fd);
        return out;
    }
    if (static_cast<unsigned long long>(st.st_size) > limit) {
        ::close(fd);
        out.status = FileStatus::kFailed;
        out.what = "the file is too large";
        return out;
    }
    // Room for the whole file at once: growing the buffer as it fills would hold up to twice it.
    out.bytes.reserve(static_cast<size_t>(st.st_size) + 1);
    char buf[65536];
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            out.status = FileStatus::kFailed;
            out.what = "cannot read: " + ErrnoText(errno);
            break;
        }
        if (out.bytes.size() + static_cast<size_t>(n) > limit) {
            out.status = FileStatus::kFailed;
            out.what = "the file is too large";
            break;
        }
        out.bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    if (out.status != FileStatus::kOk) std::string().swap(out.bytes);
    return out;
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    return ::access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS);
}

FileResult ReplaceFile(const std::string& given, std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(given);
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    const std::string path = target.string();

    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return Failed(given, FileStatus::kFailed, "is a folder, not a file");
    // Renaming over a device or a pipe would put a plain file in its place.
    if (exists && !S_ISREG(st.st_mode))
        return Failed(given, FileStatus::kFailed, "is not a plain file");
    if (exists && IsReadOnlyFile(path)) return Failed(given, FileStatus::kReadOnly, "read-only");

    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    if (!fs::is_directory(folder, ec))
        return Failed(given, FileStatus::kFailed, "the folder does not exist");

    // The temporary name must stay within the file-name limit even for a target near it.
    std::string base = target.filename().string();
    const bool cut = base.size() > kTempBaseBytes;
    if (cut) base.resize(kTempBaseBytes);
    std::string temp = (folder / ("." + base + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return Failed(given, FileStatus::kFailed,
                      "cannot create a file in the folder: " + ErrnoText(errno));
    }
    struct stat created {};
    const bool dated = ::fstat(fd, &created) == 0;
    const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
    bool ok = WriteAll(fd, bytes);
    int e = ok ? 0 : errno;
    // A folder that cannot keep permissions still gets a complete file.
    if (ok) (void)::fchmod(fd, mode);
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        e = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        e = errno;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        e = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return Failed(given, FileStatus::kFailed, "cannot write: " + ErrnoText(e));
    }
    // A cut name is shared by every target that begins the same way, so only whole names are
    // cleaned up after.
    if (dated && !cut) RemoveStaleTemporaries(folder, base, created.st_mtim);
    const int dirfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirfd >= 0) {
        ::fsync(dirfd);
        ::close(dirfd);
    }
    return {};
}

}  // namespace kv
