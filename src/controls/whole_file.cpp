#include "controls/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace tamirel {

namespace {

// The folder part of `path`, for the temporary file beside it.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t NewFileMode(const std::string& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes everything or fails: a short write is retried, so one that makes no progress (a
// full disk, a file-size limit) ends in an error number rather than a cut-off file.
int WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace

std::string WriteFailureReason(int errnum) {
    switch (errnum) {
        case EACCES:
        case EPERM:
        case EROFS:
            return "Нямате право да записвате тук.";
        case ENOSPC:
        case EFBIG:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return "Дискът е пълен или файлът е твърде голям.";
        case ENOENT:
        case ENOTDIR:
            return "Папката не съществува.";
        case ENAMETOOLONG:
            return "Името на файла е твърде дълго.";
        default:
            return std::string("Файлът не можа да бъде записан (") + std::strerror(errnum) + ").";
    }
}

std::string WriteWholeFile(const std::string& path, std::string_view bytes) {
    if (NameOf(path).empty()) return WriteFailureReason(EISDIR);
    // A short hidden name, so a long file name cannot make the temporary one too long.
    std::string temporary = FolderOf(path) + "/.tamirel-XXXXXX";
    std::vector<char> buffer(temporary.begin(), temporary.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd < 0) return WriteFailureReason(errno);
    temporary = buffer.data();

    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fchmod(fd, NewFileMode(path)) != 0) error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    // The error is taken before the file is given up, so cleaning up cannot change it.
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return WriteFailureReason(error);
    }
    return {};
}

}  // namespace tamirel
