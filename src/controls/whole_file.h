// Writing a file whole or not at all, keeping what the file was.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace tamirel {

// The system calls a save makes that a test may watch or make fail. Each keeps the contract of
// the call it is named after (-1 with errno on failure), except `fallocate`, which returns the
// error number as posix_fallocate does, and `link`, which gives the unnamed file open as `fd`
// the name `path` (linkat) and fails with EEXIST when the name is taken.
struct FileCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*pwrite)(int fd, const void* data, size_t size, off_t offset);
    int (*fallocate)(int fd, off_t offset, off_t length);
    int (*ftruncate)(int fd, off_t length);
    int (*fsync)(int fd);
    int (*link)(int fd, const char* path);
    int (*rename)(const char* from, const char* to);
    int (*fchown)(int fd, uid_t owner, gid_t group);
    int (*fsetxattr)(int fd, const char* name, const void* value, size_t size, int flags);
};

// The real system calls.
const FileCalls& SystemFileCalls();

// Writes `bytes` to the file `path` names, so that afterwards it holds either all of `bytes` or
// exactly what it held before (or nothing, if there was nothing), and stays the file it was:
// - a symbolic link is followed to its target (a dangling one makes the target), and stays a link;
// - an existing file keeps its owner, group, mode, ACLs and extended attributes, and its hard
//   links; a file nobody may write (no write permission bit) is refused, left untouched.
// Where a new file can carry all of that, the bytes go into a new file in the same folder,
// unnamed while it is written where the file system allows it (so a killed program leaves
// nothing), synced to disk, then renamed over the old name. Otherwise (hard links, an owner the
// saver cannot give, a folder closed to new files) the file is rewritten in place: the space is
// reserved first and the old bytes kept, and put back if the write fails.
// A file-size limit makes the save fail with EFBIG's reason: the file-size signal (SIGXFSZ) is
// ignored by the whole process from the first call on.
// Returns "" on success, otherwise the reason in Bulgarian.
std::string WriteWholeFile(const std::string& path, std::string_view bytes);
std::string WriteWholeFile(const std::string& path, std::string_view bytes, const FileCalls& calls);

// The reason in Bulgarian for the error number `errnum`: a sentence of the program's own for
// every cause a user can meet, with the system's text only for the rare others.
std::string WriteFailureReason(int errnum);

}  // namespace tamirel
