#include "framework/safe_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace curvelo {
namespace {

void SetError(std::string* error, const char* what, int err) {
    if (error) *error = std::string(what) + ": " + std::strerror(err);
}

// Writes everything or fails; a short write (file-size limit, full disk) is a failure.
bool WriteAll(int fd, const std::uint8_t* data, std::size_t size, int& err) {
    std::size_t done = 0;
    while (done < size) {
        std::size_t chunk = size - done;
        if (chunk > (std::size_t(1) << 30)) chunk = std::size_t(1) << 30;
        ssize_t n = ::write(fd, data + done, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        if (n == 0) {
            err = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Longest name of one directory entry on the file systems in use.
constexpr std::size_t kMaxNameBytes = 255;
constexpr std::size_t kRandomSuffix = 6;  // the "XXXXXX" of mkstemp

// Opens without blocking on a named pipe, then accepts only a regular file; the reads that
// follow block as usual. cut: a file longer than maxBytes is read up to there.
ReadFileStatus ReadRegular(const std::string& path, std::vector<std::uint8_t>& out, std::size_t maxBytes,
                           bool cut) {
    out.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return ReadFileStatus::CannotOpen;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadFileStatus::NotRegular;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (st.st_size < 0 || (!cut && static_cast<std::uint64_t>(st.st_size) > maxBytes)) {
        ::close(fd);
        return ReadFileStatus::TooLarge;
    }
    out.resize(static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(st.st_size), maxBytes)));
    std::size_t done = 0;
    // Read until end of file: the size may change while reading; never beyond the bound.
    for (;;) {
        if (done == out.size()) {
            if (out.size() >= maxBytes) {
                if (cut) break;
                std::uint8_t probe;
                ssize_t n = ::read(fd, &probe, 1);
                if (n > 0) {
                    ::close(fd);
                    out.clear();
                    return ReadFileStatus::TooLarge;
                }
                break;
            }
            out.resize(std::min(maxBytes, out.size() + 65536));
        }
        ssize_t n = ::read(fd, out.data() + done, out.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            out.clear();
            return ReadFileStatus::ReadError;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    out.resize(done);
    return ReadFileStatus::Ok;
}

}  // namespace

std::string TemporaryNamePrefix(const std::string& targetPath) {
    std::string base = BaseOf(targetPath);
    const std::size_t room = kMaxNameBytes - 2 - kRandomSuffix;
    if (base.size() > room) {
        std::size_t n = room;
        // Cut before a UTF-8 continuation byte, so the name stays readable text.
        while (n > 0 && (static_cast<unsigned char>(base[n]) & 0xC0) == 0x80) --n;
        base.resize(n);
    }
    return FolderOf(targetPath) + "/." + base + ".";
}

bool WriteFileSafely(const std::string& pathIn, const std::uint8_t* data, std::size_t size,
                     std::string* error) {
    if (pathIn.empty()) {
        SetError(error, "empty file name", ENOENT);
        return false;
    }
    std::string path = pathIn;
    // Saving through a symbolic link replaces the file it points to, not the link; only a
    // link of our own is followed, so another user's link in a shared folder such as /tmp
    // cannot steer a save onto one of our files.
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (st.st_uid != ::geteuid()) {
            SetError(error, "target is a link of another user", EPERM);
            return false;
        }
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved)) path = resolved;
    }
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        SetError(error, "target is not a regular file", EISDIR);
        return false;
    }
    if (exists && ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) {
        SetError(error, "target is write-protected", EACCES);
        return false;
    }

    std::string tmpl = TemporaryNamePrefix(path) + std::string(kRandomSuffix, 'X');
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        SetError(error, "cannot create temporary file", errno);
        return false;
    }
    const std::string tmp(name.data());
    auto fail = [&](const char* what, int err) {
        if (fd >= 0) ::close(fd);
        ::unlink(tmp.c_str());
        SetError(error, what, err);
        return false;
    };

    // The new file gets the old file's permissions, or the usual ones for a new file.
    mode_t mode;
    if (exists) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) return fail("cannot set permissions", errno);

    int err = 0;
    if (!WriteAll(fd, data, size, err)) return fail("write failed", err);
    if (::fsync(fd) != 0) return fail("flush failed", errno);
    int closeResult = ::close(fd);
    fd = -1;
    if (closeResult != 0) return fail("close failed", errno);

    // The length on disk must be what was written before the old file is replaced.
    struct stat written {};
    if (::stat(tmp.c_str(), &written) != 0 || written.st_size != static_cast<off_t>(size))
        return fail("written length differs", EIO);
    if (::rename(tmp.c_str(), path.c_str()) != 0) return fail("cannot replace target", errno);

    int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);  // best effort: makes the rename itself durable
        ::close(dir);
    }
    return true;
}

ReadFileStatus ReadFileBounded(const std::string& path, std::vector<std::uint8_t>& out,
                               std::size_t maxBytes) {
    return ReadRegular(path, out, maxBytes, false);
}

ReadFileStatus ReadFileHead(const std::string& path, std::vector<std::uint8_t>& out, std::size_t maxBytes) {
    return ReadRegular(path, out, maxBytes, true);
}

}  // namespace curvelo
