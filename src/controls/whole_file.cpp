#include "controls/whole_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/xattr.h>
#endif

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace tamirel {

namespace {

// Causes of a failed save beyond the system's error numbers (which are all positive).
enum : int {
    kReadOnlyFile = -1,    // nobody may write the file: no write permission bit
    kNotAFile = -2,        // a folder, device or pipe has the name
    kFolderClosed = -3,    // no new file may be made in the folder
    kFileClosed = -4,      // the saver may not change the file
    kCannotCarry = -5,     // a new file cannot take the old one's place; write in place instead
    kRetryNamed = -6,      // the unnamed file could not be given a name; write a named one instead
};

// The kernel follows at most 40 symbolic links in one name.
constexpr int kMaxLinks = 40;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links from `path` to the file they end at, relative ones from their own
// folder; a name that does not exist ends the walk. Returns 0 or an error number (ELOOP past
// kMaxLinks links). Like the kernel's protection of shared folders, a link in a sticky folder
// that anyone may write is followed only when it is the saver's or the folder owner's, so a
// link another user left in /tmp cannot turn the save onto the saver's own files (EACCES).
int ResolveLinks(std::string& path) {
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode)) return 0;
        if (links == kMaxLinks) return ELOOP;
        struct stat folder {};
        if (::stat(FolderOf(path).c_str(), &folder) != 0) return errno;
        if ((folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH) && st.st_uid != ::geteuid() &&
            st.st_uid != folder.st_uid)
            return EACCES;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) return errno;
        if (static_cast<std::size_t>(n) == target.size()) return ENAMETOOLONG;
        target.resize(static_cast<std::size_t>(n));
        path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
    }
}

// A hidden name in `folder` for a file that is being written: short, so that a long file name
// cannot make it too long.
std::string HiddenName(const std::string& folder) {
    static std::mt19937 random{std::random_device{}()};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name = folder + "/.tamirel-";
    for (int i = 0; i < 8; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

// Writes all of `bytes` at `offset`: a short write is retried, so one that makes no progress
// (a full disk, a file-size limit) ends in an error number rather than a cut-off file.
int WriteAll(const FileCalls& calls, int fd, std::string_view bytes, off_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = calls.pwrite(fd, bytes.data() + done, bytes.size() - done, offset + off_t(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int ReadAll(int fd, std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, off_t(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) break;   // shorter than it was a moment ago
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return 0;
}

// Makes a new file's name lasting once the rename or link has been made. The save has then
// happened whatever this returns, so a failure here is not reported as a failed save.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Extended attribute names of `fd`, each ending in '\0'; empty where the file system has none.
std::vector<char> AttributeNames(int fd) {
#ifdef __linux__
    for (;;) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size <= 0) return {};
        std::vector<char> names(static_cast<std::size_t>(size));
        const ssize_t got = ::flistxattr(fd, names.data(), names.size());
        if (got >= 0) {
            names.resize(static_cast<std::size_t>(got));
            return names;
        }
        if (errno != ERANGE) return {};
    }
#else
    (void)fd;
    return {};
#endif
}

// Gives `to` exactly the extended attributes of `from`, the access ACL (system.posix_acl_access)
// among them; one the folder's default ACL gave the new file is taken away. False when the file
// system or the saver's rights do not allow it.
bool CopyAttributes(const FileCalls& calls, int from, int to) {
#ifdef __linux__
    const std::vector<char> names = AttributeNames(from);
    for (const char* name = names.data(); name < names.data() + names.size(); name += std::strlen(name) + 1) {
        const ssize_t size = ::fgetxattr(from, name, nullptr, 0);
        if (size < 0) return false;
        std::vector<char> value(static_cast<std::size_t>(size));
        const ssize_t got = ::fgetxattr(from, name, value.data(), value.size());
        if (got < 0 || calls.fsetxattr(to, name, value.data(), static_cast<std::size_t>(got), 0) != 0) return false;
    }
    const std::vector<char> now = AttributeNames(to);
    for (const char* name = now.data(); name < now.data() + now.size(); name += std::strlen(name) + 1) {
        bool kept = false;
        for (const char* old = names.data(); old < names.data() + names.size() && !kept; old += std::strlen(old) + 1)
            kept = std::strcmp(old, name) == 0;
        if (!kept && ::fremovexattr(to, name) != 0) return false;
    }
    return true;
#else
    (void)calls;
    return AttributeNames(from).empty() && AttributeNames(to).empty();
#endif
}

// Gives the new file `fd` the owner, group, mode and extended attributes of the old file `oldFd`
// (`old` its status). Returns 0 or kCannotCarry.
int CarryOver(const FileCalls& calls, int fd, int oldFd, const struct stat& old) {
    struct stat now {};
    if (::fstat(fd, &now) != 0) return kCannotCarry;
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && calls.fchown(fd, old.st_uid, old.st_gid) != 0)
        return kCannotCarry;
    // After the owner: a change of owner clears the set-user-ID and set-group-ID bits.
    if (::fchmod(fd, old.st_mode & 07777) != 0) return kCannotCarry;
    if (!CopyAttributes(calls, oldFd, fd)) return kCannotCarry;
    if (::fstat(fd, &now) != 0 || now.st_uid != old.st_uid || now.st_gid != old.st_gid || now.st_mode != old.st_mode)
        return kCannotCarry;
    return 0;
}

// Opens a new file in `folder` with `mode` (less the umask): unnamed where the file system has
// them and `unnamed` is set, leaving `name` empty; otherwise under a new hidden `name`.
// Returns the descriptor, or -1 with errno.
int OpenBeside(const FileCalls& calls, const std::string& folder, mode_t mode, bool unnamed, std::string& name) {
    name.clear();
#ifdef O_TMPFILE
    if (unnamed) {
        const int fd = calls.open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
        // Older kernels and some file systems have no unnamed files: they say so in these ways.
        if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
    }
#else
    (void)unnamed;
#endif
    for (int tries = 0; tries < 100; ++tries) {
        name = HiddenName(folder);
        const int fd = calls.open(name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            if (fd < 0) name.clear();
            return fd;
        }
    }
    name.clear();
    errno = EEXIST;
    return -1;
}

// Gives the written file its name `target`: the unnamed file `fd` by a link (beside it first and
// then renamed when `target` exists, since a link never replaces a name), the named one `name`
// by a rename. Returns 0 or an error number; kRetryNamed when an unnamed file cannot be linked.
int Publish(const FileCalls& calls, int fd, const std::string& name, const std::string& target, bool replace) {
    if (!name.empty()) return calls.rename(name.c_str(), target.c_str()) == 0 ? 0 : errno;
    if (!replace) {
        if (calls.link(fd, target.c_str()) == 0) return 0;
        return errno == EEXIST ? EEXIST : kRetryNamed;
    }
    for (int tries = 0; tries < 100; ++tries) {
        const std::string hidden = HiddenName(FolderOf(target));
        if (calls.link(fd, hidden.c_str()) != 0) {
            if (errno == EEXIST) continue;
            return kRetryNamed;
        }
        if (calls.rename(hidden.c_str(), target.c_str()) == 0) return 0;
        const int error = errno;
        ::unlink(hidden.c_str());
        return error;
    }
    return EEXIST;
}

// Writes `bytes` into a new file in the folder of `target` and gives it that name. With an old
// file (`oldFd`, its status `old`), the new file takes its owner, mode and attributes first, and
// kCannotCarry says it could not, nothing written. Returns 0 or an error number.
int WriteBeside(const FileCalls& calls, const std::string& target, std::string_view bytes, int oldFd,
                const struct stat* old, bool unnamed = true) {
    std::string name;
    const int fd = OpenBeside(calls, FolderOf(target), old ? 0600 : 0666, unnamed, name);
    if (fd < 0) {
        if (errno == EACCES || errno == EPERM) return old ? kCannotCarry : kFolderClosed;
        return errno;
    }
    int error = old ? CarryOver(calls, fd, oldFd, *old) : 0;
    if (error == 0) error = WriteAll(calls, fd, bytes, 0);
    if (error == 0 && calls.fsync(fd) != 0) error = errno;
    if (error == 0) {
        error = Publish(calls, fd, name, target, old != nullptr);
        // A sticky folder, or a name that is a mount point, may refuse the rename itself.
        if (old && (error == EACCES || error == EPERM || error == EBUSY)) error = kCannotCarry;
    }
    ::close(fd);   // synced already: closing can lose nothing
    if (error != 0 && !name.empty()) ::unlink(name.c_str());
    if (error == kRetryNamed) return WriteBeside(calls, target, bytes, oldFd, old, false);
    if (error == 0) SyncFolder(FolderOf(target));
    return error;
}

// Rewrites the open file `fd` (status `old`) to hold `bytes`: more room reserved first, so a
// full disk or a file-size limit stops the save before a byte changes; should a write still
// fail, the old bytes are put back. Returns 0 or an error number; `restored` false when the
// old bytes could not be put back.
int WriteInPlace(const FileCalls& calls, int fd, const struct stat& old, std::string_view bytes, bool& restored) {
    std::string before(static_cast<std::size_t>(old.st_size), '\0');
    if (const int error = ReadAll(fd, before)) return error;
    const off_t oldSize = off_t(before.size()), newSize = off_t(bytes.size());
    int error = 0;
    if (newSize > oldSize) {
        error = calls.fallocate(fd, 0, newSize);
        if (error != 0) {
            struct stat now {};
            // Where the system has no reservation of its own, posix_fallocate writes the room
            // out, and may have made the file longer before it failed.
            if (::fstat(fd, &now) == 0 && now.st_size != oldSize) calls.ftruncate(fd, oldSize);
            return error;
        }
    }
    error = WriteAll(calls, fd, bytes, 0);
    if (error == 0 && newSize < oldSize && calls.ftruncate(fd, newSize) != 0) error = errno;
    if (error == 0 && calls.fsync(fd) != 0) error = errno;
    if (error != 0) {
        // The old bytes are back once written; syncing them is all that can still be tried.
        restored = WriteAll(calls, fd, before, 0) == 0 && calls.ftruncate(fd, oldSize) == 0;
        calls.fsync(fd);
    }
    return error;
}

// The reason for `code`: an error number or one of the causes above.
std::string Reason(int code) {
    switch (code) {
        case 0:
            return {};
        case kReadOnlyFile:
            return "Файлът е само за четене. Изберете друго име или махнете защитата му.";
        case kNotAFile:
            return "Под това име има папка или устройство, а не файл.";
        case kFolderClosed:
            return "Нямате право да създавате файлове в тази папка.";
        case kFileClosed:
            return "Нямате право да променяте този файл.";
        default:
            return WriteFailureReason(code);
    }
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

int LinkUnnamed(int fd, const char* path) {
#ifdef __linux__
    // Through /proc any process may link its unnamed file; the empty name needs more rights.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path, AT_SYMLINK_FOLLOW) == 0) return 0;
    const int error = errno;
    if (error != EEXIST && ::linkat(fd, "", AT_FDCWD, path, AT_EMPTY_PATH) == 0) return 0;
    errno = error;
    return -1;
#else
    (void)fd;
    (void)path;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

int SetAttribute(int fd, const char* name, const void* value, size_t size, int flags) {
#ifdef __linux__
    return ::fsetxattr(fd, name, value, size, flags);
#else
    (void)fd, (void)name, (void)value, (void)size, (void)flags;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

}  // namespace

const FileCalls& SystemFileCalls() {
    static const FileCalls calls{
        [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
        ::pwrite,
        ::posix_fallocate,
        ::ftruncate,
        ::fsync,
        LinkUnnamed,
        ::rename,
        ::fchown,
        SetAttribute,
    };
    return calls;
}

std::string WriteFailureReason(int errnum) {
    switch (errnum) {
        case EACCES:
        case EPERM:
            return "Нямате право да записвате тук.";
        case EROFS:
            return "Дискът е само за четене: на него не може да се записва.";
        case ELOOP:
            return "Името води през връзки, които сочат една към друга в кръг, и не стига до файл.";
        case ENOSPC:
            return "Няма достатъчно място на диска.";
#ifdef EDQUOT
        case EDQUOT:
            return "Мястото, отредено ви на диска, е изчерпано.";
#endif
        case EFBIG:
            return "Файлът е твърде голям: системата не разрешава толкова голям файл тук.";
        case ENOENT:
        case ENOTDIR:
            return "Папката не съществува.";
        case EISDIR:
            return "Под това име има папка, а не файл.";
        case ENAMETOOLONG:
            return "Името на файла е твърде дълго.";
        case EIO:
            return "Дискът не можа да запише данните: може би е повреден или изваден.";
        case ETXTBSY:
        case EBUSY:
            return "Файлът се използва от друга програма.";
        default:
            return std::string("Файлът не можа да бъде записан (") + std::strerror(errnum) + ").";
    }
}

std::string WriteWholeFile(const std::string& path, std::string_view bytes) {
    return WriteWholeFile(path, bytes, SystemFileCalls());
}

std::string WriteWholeFile(const std::string& path, std::string_view bytes, const FileCalls& calls) {
    std::signal(SIGXFSZ, SIG_IGN);
    if (NameOf(path).empty()) return Reason(EISDIR);
    std::string target = path;
    if (const int error = ResolveLinks(target)) return Reason(error);

    const int fd = calls.open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT) return Reason(WriteBeside(calls, target, bytes, -1, nullptr));
        if (error == EACCES || error == EPERM) {
            struct stat st {};
            const bool readOnly = ::stat(target.c_str(), &st) == 0 && (st.st_mode & 0222) == 0;
            return Reason(readOnly ? kReadOnlyFile : kFileClosed);
        }
        return Reason(error);
    }
    const Descriptor file(fd);
    struct stat old {};
    if (::fstat(fd, &old) != 0) return Reason(errno);
    if (!S_ISREG(old.st_mode)) return Reason(kNotAFile);
    // The owner (or root) could write it, but the file says nobody should.
    if ((old.st_mode & 0222) == 0) return Reason(kReadOnlyFile);

    int error = kCannotCarry;
    if (old.st_nlink == 1) error = WriteBeside(calls, target, bytes, fd, &old);
    bool restored = true;
    if (error == kCannotCarry) error = WriteInPlace(calls, fd, old, bytes, restored);
    if (!restored) return Reason(error) + " Старото съдържание на файла не можа да бъде върнато.";
    return Reason(error);
}

}  // namespace tamirel
