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

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

FileBytes ReadFileBytes(const std::string& path, size_t limit) {
    FileBytes out;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        out.status = (e == ENOENT || e == ENOTDIR) ? FileStatus::kNotFound : FileStatus::kFailed;
        out.what = e == ENOENT || e == ENOTDIR ? "no such file" : "cannot open: " + ErrnoText(e);
        return out;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        out.status = FileStatus::kFailed;
        out.what = "is a folder, not a file";
        return out;
    }
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
    if (out.status != FileStatus::kOk) out.bytes.clear();
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
    if (base.size() > kTempBaseBytes) base.resize(kTempBaseBytes);
    std::string temp = (folder / ("." + base + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return Failed(given, FileStatus::kFailed,
                      "cannot create a file in the folder: " + ErrnoText(errno));
    }
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
    const int dirfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirfd >= 0) {
        ::fsync(dirfd);
        ::close(dirfd);
    }
    return {};
}

}  // namespace kv
