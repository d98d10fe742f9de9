// The save path over the ways files are really kept: links, owners, modes, ACLs, read-only
// files, closed folders, file-size limits, full disks and a killed program.
#include "controls/whole_file.h"

#include <gtest/gtest.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tamirel {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;
const bool kRoot = geteuid() == 0;

const std::string kOld(12000, 'o');   // what the file held
const std::string kNew(20000, 'n');   // what the save writes
constexpr rlim_t kLimit = 16384;      // between the two sizes

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(missing)";
}

void Write(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
    std::ofstream(path, std::ios::binary) << bytes;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

void Own(const std::string& path, uid_t owner, gid_t group) { ASSERT_EQ(::lchown(path.c_str(), owner, group), 0) << path; }

struct stat Stat(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

// The saver of the rows that need an ordinary user: nobody when the test runs as root.
uid_t SaverUid() { return kRoot ? kNobody : getuid(); }
gid_t SaverGid() { return kRoot ? kNogroup : getgid(); }

// A POSIX access ACL as the system.posix_acl_access attribute holds it: owner rw, the user
// nobody rw, owning group r, mask rw, others nothing (mode 0660).
std::string AclGivingNobodyWrite() {
    std::string acl;
    const auto put = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) acl += char((value >> (8 * i)) & 0xff);
    };
    put(2, 4);   // version
    const std::uint32_t none = 0xffffffff;
    for (const auto& [tag, perm, id] : {std::tuple{0x01u, 6u, none}, std::tuple{0x02u, 6u, std::uint32_t(kNobody)},
                                        std::tuple{0x04u, 4u, none}, std::tuple{0x10u, 6u, none}, std::tuple{0x20u, 0u, none}}) {
        put(tag, 2);
        put(perm, 2);
        put(id, 4);
    }
    return acl;
}

std::string Attribute(const std::string& path, const char* name) {
    char value[512];
    const ssize_t n = ::lgetxattr(path.c_str(), name, value, sizeof value);
    return n < 0 ? "(none)" : std::string(value, std::size_t(n));
}

// Mounts a 64 KiB tmpfs on `folder`, in a mount namespace of this test process's own, so the
// disk is gone when the process ends. False where the test may not (not root, no namespaces).
bool SmallDisk(const std::string& folder) {
    static const bool own = kRoot && ::unshare(CLONE_NEWNS) == 0 &&
                            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return own && ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
}

// Fills the disk of `folder` to the last byte.
void Fill(const std::string& folder) {
    const int fd = ::open((folder + "/filler").c_str(), O_CREAT | O_WRONLY, 0644);
    const std::string block(4096, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    while (::write(fd, "f", 1) > 0) {
    }
    ::close(fd);
}

// Saves in a child process (as the ordinary saver when `ordinary`, under the file-size limit
// `limit` when not 0) and returns the reason, or a note of the child's own end.
std::string SaveInChild(const std::string& path, const std::string& bytes, bool ordinary, rlim_t limit,
                        const FileCalls& calls = SystemFileCalls()) {
    int channel[2];
    if (::pipe(channel) != 0) return "(no pipe)";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::umask(022);
        if (ordinary && kRoot && (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0))
            ::_exit(3);
        const rlimit limited{limit, limit};
        if (limit != 0 && ::setrlimit(RLIMIT_FSIZE, &limited) != 0) ::_exit(4);
        const std::string reason = WriteWholeFile(path, bytes, calls);
        ::_exit(::write(channel[1], reason.data(), reason.size()) == ssize_t(reason.size()) ? 0 : 5);
    }
    ::close(channel[1]);
    std::string reason;
    char buffer[512];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) reason.append(buffer, std::size_t(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) return "(killed by signal " + std::to_string(WTERMSIG(status)) + ")";
    if (WEXITSTATUS(status) != 0) return "(child ended " + std::to_string(WEXITSTATUS(status)) + ")";
    return reason;
}

class Folder {
public:
    Folder() {
        std::string name = (fs::temp_directory_path() / "tamirel-save-XXXXXX").string();
        path_ = ::mkdtemp(name.data());
        ::chmod(path_.c_str(), 0755);   // the ordinary saver passes through
    }
    ~Folder() {
        for (const fs::directory_entry& e : fs::directory_iterator(path_)) ::umount2(e.path().c_str(), MNT_DETACH);
        std::error_code ignored;
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(path_))
            if (!e.is_symlink() && e.is_directory()) fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

enum class Inode { kSame, kNew };

struct Row {
    const char* what;
    // Makes the row's files in its own folder `d`; returns false to skip the row, saying why.
    std::function<bool(const std::string& d, std::string& why)> setup;
    const char* save;                   // the name given to the save
    const char* file;                   // where the bytes are, past any links
    std::string reason;                 // "" for a save that holds
    Inode inode;                        // of `file`, against before the save
    mode_t mode;                        // of `file` afterwards
    std::set<std::string> names;        // everything in the folder afterwards
    bool ordinary = false;              // saved by an ordinary user (nobody when run as root)
    rlim_t limit = 0;                   // a file-size limit for the save
    std::vector<const char*> sameFile = {};  // other names that stay `file` itself (hard links)
    uid_t owner = uid_t(-1);            // the owner `file` keeps, when not the saver's
};

bool AsRoot(std::string& why, const char* because = "to make files of another owner") {
    why = std::string("needs root ") + because + " (CI runs as root)";
    return kRoot;
}

TEST(WholeFile, KeepsWhatTheFileWasOrSaysWhy) {
    const std::string readOnly = "Файлът е само за четене. Изберете друго име или махнете защитата му.";
    const std::string mine = "Нямате право да променяте този файл.";
    const std::string closedFolder = "Нямате право да създавате файлове в тази папка.";
    const std::vector<Row> rows = {
        {"a new file", [](auto&, auto&) { return true; }, "new.png", "new.png", "", Inode::kNew, 0644, {"new.png"}},
        {"a plain file: replaced by rename, mode kept",
         [](const std::string& d, auto&) { Write(d + "/a.png", kOld, 0640); return true; },
         "a.png", "a.png", "", Inode::kNew, 0640, {"a.png"}},
        {"a symbolic link: the target gets the bytes, the link stays",
         [](const std::string& d, auto&) {
             fs::create_directory(d + "/real");
             Write(d + "/real/drawing.png", kOld, 0600);
             fs::create_symlink("real/drawing.png", d + "/link.png");
             return true;
         },
         "link.png", "real/drawing.png", "", Inode::kNew, 0600, {"link.png", "real"}},
        {"another user's link in a shared sticky folder is not followed",
         [](const std::string& d, std::string& why) {
             Write(d + "/mine.png", kOld, 0644);
             fs::create_symlink("mine.png", d + "/trap.png");
             ::chmod(d.c_str(), 01777);
             if (kRoot) Own(d + "/trap.png", kNobody, kNogroup);
             return AsRoot(why);
         },
         "trap.png", "mine.png", WriteFailureReason(EACCES), Inode::kSame, 0644, {"mine.png", "trap.png"}},
        {"a dangling link makes its target",
         [](const std::string& d, auto&) { fs::create_symlink("made.png", d + "/link.png"); return true; },
         "link.png", "made.png", "", Inode::kNew, 0644, {"link.png", "made.png"}},
        {"a loop of links",
         [](const std::string& d, auto&) {
             fs::create_symlink("b.png", d + "/a.png");
             fs::create_symlink("a.png", d + "/b.png");
             return true;
         },
         "a.png", "a.png", WriteFailureReason(ELOOP), Inode::kSame, 0, {"a.png", "b.png"}},
        {"a hard-linked file: written in place, the names stay one file",
         [](const std::string& d, auto&) { Write(d + "/a.png", kOld); fs::create_hard_link(d + "/a.png", d + "/b.png"); return true; },
         "a.png", "a.png", "", Inode::kSame, 0644, {"a.png", "b.png"}, false, 0, {"b.png"}},
        {"a read-only file of the saver's, saved by root",
         [](const std::string& d, std::string& why) { Write(d + "/a.png", kOld, 0444); return AsRoot(why, "to be the saver the mode alone stops"); },
         "a.png", "a.png", readOnly, Inode::kSame, 0444, {"a.png"}},
        {"a read-only file of the saver's, saved by an ordinary user",
         [](const std::string& d, auto&) { Write(d + "/a.png", kOld, 0444); Own(d + "/a.png", SaverUid(), SaverGid()); return true; },
         "a.png", "a.png", readOnly, Inode::kSame, 0444, {"a.png"}, true},
        {"another's file the saver may not write",
         [](const std::string& d, std::string& why) { Write(d + "/a.png", kOld, 0644); ::chmod(d.c_str(), 0777); return AsRoot(why); },
         "a.png", "a.png", mine, Inode::kSame, 0644, {"a.png"}, true},
        {"a writable file in a folder closed to new files: written in place",
         [](const std::string& d, auto&) {
             Write(d + "/a.png", kOld, 0644);
             Own(d + "/a.png", SaverUid(), SaverGid());
             Own(d, SaverUid(), SaverGid());
             ::chmod(d.c_str(), 0555);
             return true;
         },
         "a.png", "a.png", "", Inode::kSame, 0644, {"a.png"}, true},
        {"a new file in a folder closed to new files",
         [](const std::string& d, auto&) { Own(d, SaverUid(), SaverGid()); ::chmod(d.c_str(), 0555); return true; },
         "a.png", "a.png", closedFolder, Inode::kSame, 0, {}, true},
        {"root over another's file: owner and group kept",
         [](const std::string& d, std::string& why) {
             Write(d + "/a.png", kOld, 0664);
             if (kRoot) Own(d + "/a.png", kNobody, kNogroup);
             return AsRoot(why);
         },
         "a.png", "a.png", "", Inode::kNew, 0664, {"a.png"}, false, 0, {}, kNobody},
        {"a pupil over the class folder's group-writable file: written in place, owner kept",
         [](const std::string& d, std::string& why) {
             Write(d + "/a.png", kOld, 0664);
             if (kRoot) Own(d + "/a.png", 0, kNogroup), Own(d, 0, kNogroup);
             ::chmod(d.c_str(), 0775);
             return AsRoot(why);
         },
         "a.png", "a.png", "", Inode::kSame, 0664, {"a.png"}, true, 0, {}, 0},
        {"a group-writable file of another in a sticky folder: written in place",
         [](const std::string& d, std::string& why) {
             Write(d + "/a.png", kOld, 0664);
             if (kRoot) Own(d + "/a.png", 0, kNogroup);
             ::chmod(d.c_str(), 01777);
             return AsRoot(why);
         },
         "a.png", "a.png", "", Inode::kSame, 0664, {"a.png"}, true, 0, {}, 0},
        {"a file with an ACL and an extended attribute",
         [](const std::string& d, std::string& why) {
             Write(d + "/a.png", kOld, 0660);
             const std::string acl = AclGivingNobodyWrite();
             why = "the temporary folder's file system keeps no ACLs or user attributes";
             return ::setxattr((d + "/a.png").c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0 &&
                    ::setxattr((d + "/a.png").c_str(), "user.lesson", "урок 5", std::strlen("урок 5"), 0) == 0;
         },
         "a.png", "a.png", "", Inode::kNew, 0660, {"a.png"}},
        {"a file of a folder with a default ACL does not take it up",
         [](const std::string& d, std::string& why) {
             Write(d + "/a.png", kOld, 0640);
             const std::string acl = AclGivingNobodyWrite();
             why = "the temporary folder's file system keeps no ACLs";
             return ::setxattr(d.c_str(), "system.posix_acl_default", acl.data(), acl.size(), 0) == 0;
         },
         "a.png", "a.png", "", Inode::kNew, 0640, {"a.png"}},
        {"a read-only mount",
         [](const std::string& d, std::string& why) {
             why = "needs root to mount a small tmpfs";
             if (!SmallDisk(d)) return false;
             Write(d + "/a.png", kOld);
             return ::mount(nullptr, d.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
         },
         "a.png", "a.png", WriteFailureReason(EROFS), Inode::kSame, 0644, {"a.png"}},
        {"a file-size limit, new file", [](auto&, auto&) { return true; },
         "a.png", "a.png", WriteFailureReason(EFBIG), Inode::kSame, 0, {}, false, kLimit},
        {"a file-size limit over a file",
         [](const std::string& d, auto&) { Write(d + "/a.png", kOld); return true; },
         "a.png", "a.png", WriteFailureReason(EFBIG), Inode::kSame, 0644, {"a.png"}, false, kLimit},
        {"a file-size limit over a hard-linked file",
         [](const std::string& d, auto&) { Write(d + "/a.png", kOld); fs::create_hard_link(d + "/a.png", d + "/b.png"); return true; },
         "a.png", "a.png", WriteFailureReason(EFBIG), Inode::kSame, 0644, {"a.png", "b.png"}, false, kLimit, {"b.png"}},
        {"a full disk over a file",
         [](const std::string& d, std::string& why) {
             why = "needs root to mount a small tmpfs (the file-size limit rows stand in)";
             if (!SmallDisk(d)) return false;
             Write(d + "/a.png", kOld);
             Fill(d);
             return true;
         },
         "a.png", "a.png", WriteFailureReason(ENOSPC), Inode::kSame, 0644, {"a.png", "filler"}},
        {"a full disk over a hard-linked file",
         [](const std::string& d, std::string& why) {
             why = "needs root to mount a small tmpfs (the file-size limit rows stand in)";
             if (!SmallDisk(d)) return false;
             Write(d + "/a.png", kOld);
             fs::create_hard_link(d + "/a.png", d + "/b.png");
             Fill(d);
             return true;
         },
         "a.png", "a.png", WriteFailureReason(ENOSPC), Inode::kSame, 0644, {"a.png", "b.png", "filler"}, false, 0, {"b.png"}},
    };

    Folder top;
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string d = top.path() + "/row" + std::to_string(++n);
        fs::create_directory(d);
        std::string why;
        if (!row.setup(d, why)) {
            std::cout << "[  SKIPPED ] " << row.what << ": " << why << "\n";
            continue;
        }
        const std::string file = d + "/" + row.file;
        const struct stat before = Stat(file);
        const std::string acl = Attribute(file, "system.posix_acl_access"), note = Attribute(file, "user.lesson");
        std::error_code loop;
        const bool existed = fs::exists(file, loop);

        EXPECT_EQ(SaveInChild(d + "/" + row.save, kNew, row.ordinary, row.limit), row.reason);

        ::chmod(d.c_str(), 0755);   // to read back a closed folder as an ordinary user too
        const struct stat after = Stat(file);
        EXPECT_EQ(Read(file), row.reason.empty() ? kNew : existed ? kOld : "(missing)");
        if (existed) {
            EXPECT_EQ(after.st_ino == before.st_ino, row.inode == Inode::kSame) << "inode";
            EXPECT_EQ(after.st_uid, before.st_uid) << "owner";
            EXPECT_EQ(after.st_gid, before.st_gid) << "group";
            EXPECT_EQ(Attribute(file, "system.posix_acl_access"), acl);
            EXPECT_EQ(Attribute(file, "user.lesson"), note);
        }
        if (row.owner != uid_t(-1)) {
            EXPECT_EQ(after.st_uid, row.owner);
        }
        if (row.mode != 0) {
            EXPECT_EQ(after.st_mode & 07777, row.mode) << std::oct << (after.st_mode & 07777);
        }
        for (const char* other : row.sameFile) EXPECT_EQ(Stat(d + "/" + other).st_ino, after.st_ino) << other;
        if (std::string(row.save) != row.file) {
            EXPECT_TRUE(fs::is_symlink(d + "/" + row.save)) << "the link stays a link";
        }
        EXPECT_EQ(Names(d), row.names) << "nothing left over";
        if (std::string(row.file).find('/') != std::string::npos) {
            EXPECT_EQ(Names(fs::path(file).parent_path().string()), std::set<std::string>{fs::path(file).filename().string()});
        }
    }
}

// What the seam saw: each call with its descriptor and names.
struct Event {
    std::string call;
    int fd;
    std::string from, to;
};
std::vector<Event> events;
std::map<std::string, int> openedNames;
int failWriteNumber = 0;   // the n-th write of a save fails with ENOSPC, after the first writes half
int writes = 0;

FileCalls Watched() {
    FileCalls calls = SystemFileCalls();
    calls.open = [](const char* path, int flags, mode_t mode) {
        const int fd = SystemFileCalls().open(path, flags, mode);
        if (fd >= 0 && (flags & O_CREAT)) openedNames[path] = fd;
        return fd;
    };
    calls.pwrite = [](int fd, const void* data, size_t size, off_t offset) -> ssize_t {
        events.push_back({"write", fd, {}, {}});
        if (++writes == 1 && failWriteNumber > 1) size /= 2;
        if (writes == failWriteNumber) {
            errno = ENOSPC;
            return -1;
        }
        return ::pwrite(fd, data, size, offset);
    };
    calls.fsync = [](int fd) {
        events.push_back({"fsync", fd, {}, {}});
        return ::fsync(fd);
    };
    calls.link = [](int fd, const char* path) {
        events.push_back({"link", fd, {}, path});
        openedNames[path] = fd;
        return SystemFileCalls().link(fd, path);
    };
    calls.rename = [](const char* from, const char* to) {
        events.push_back({"rename", openedNames.count(from) ? openedNames[from] : -1, from, to});
        return ::rename(from, to);
    };
    return calls;
}

// True when every file got its name only after its last write was synced, and every file
// written was synced in the end.
void ExpectSyncedBeforeNamed(const char* what) {
    std::map<int, bool> unsynced;
    bool named = false;
    for (const Event& e : events) {
        if (e.call == "write") unsynced[e.fd] = true;
        if (e.call == "fsync") unsynced[e.fd] = false;
        if (e.call == "link" || e.call == "rename") {
            EXPECT_NE(e.fd, -1) << what << ": " << e.from << " was not opened by the save";
            EXPECT_FALSE(unsynced[e.fd]) << what << ": " << e.call << " to " << e.to << " before the file was synced";
            named = true;
        }
    }
    for (const auto& [fd, left] : unsynced) EXPECT_FALSE(left) << what << ": written and never synced";
    EXPECT_TRUE(named || std::string(what).find("in place") != std::string::npos) << what;
}

TEST(WholeFile, EachFileIsSyncedBeforeItTakesTheName) {
    Folder d;
    const std::string a = d.path() + "/a.png";
    FileCalls calls = Watched();
    const auto save = [&](const char* what, const FileCalls& with) {
        events.clear();
        openedNames.clear();
        writes = 0;
        EXPECT_EQ(WriteWholeFile(a, kNew, with), "") << what;
        EXPECT_EQ(Read(a), kNew) << what;
        ExpectSyncedBeforeNamed(what);
    };
    save("a new file", calls);
    save("a replaced file", calls);
    FileCalls named = calls;   // a file system without unnamed files
    named.open = [](const char* path, int flags, mode_t mode) {
        if ((flags & O_TMPFILE) == O_TMPFILE) {
            errno = EOPNOTSUPP;
            return -1;
        }
        return Watched().open(path, flags, mode);
    };
    save("a replaced file, through a named temporary", named);
    fs::create_hard_link(a, d.path() + "/b.png");
    save("a hard-linked file, in place", calls);
    EXPECT_EQ(Names(d.path()), (std::set<std::string>{"a.png", "b.png"}));
}

TEST(WholeFile, AFailedWriteOrSyncPutsTheOldBytesBack) {
    Folder d;
    const std::string a = d.path() + "/a.png", b = d.path() + "/b.png";
    FileCalls calls = Watched();
    calls.fsync = [](int) {
        errno = EIO;
        return -1;
    };
    for (const bool linked : {false, true}) {
        Write(a, kOld);
        if (linked) fs::create_hard_link(a, b);
        EXPECT_EQ(WriteWholeFile(a, kNew, calls), WriteFailureReason(EIO)) << linked;
        EXPECT_EQ(Read(a), kOld) << linked;
    }
    calls = Watched();   // in place: half the bytes written, then the disk is full
    writes = 0;
    failWriteNumber = 2;
    EXPECT_EQ(WriteWholeFile(a, kNew, calls), WriteFailureReason(ENOSPC));
    failWriteNumber = 0;
    EXPECT_EQ(Read(b), kOld);
    EXPECT_EQ(Names(d.path()), (std::set<std::string>{"a.png", "b.png"}));
}

TEST(WholeFile, AProgramKilledWhileSavingLeavesNothing) {
    Folder d;
    const std::string old = d.path() + "/old.png";
    Write(old, kOld);
    FileCalls calls = SystemFileCalls();
    calls.fsync = [](int) {
        ::raise(SIGKILL);
        return 0;
    };
    EXPECT_EQ(SaveInChild(old, kNew, false, 0, calls), "(killed by signal 9)");
    EXPECT_EQ(SaveInChild(d.path() + "/new.png", kNew, false, 0, calls), "(killed by signal 9)");
    EXPECT_EQ(Read(old), kOld);
    EXPECT_EQ(Names(d.path()), std::set<std::string>{"old.png"}) << "no temporary file, named or not";
}

TEST(WholeFile, UsualCausesHaveTheirOwnWords) {
    for (const int cause : {EACCES, EROFS, ELOOP, ENOSPC, EDQUOT, EFBIG, ENOENT, ENAMETOOLONG, EISDIR, EIO}) {
        const std::string reason = WriteFailureReason(cause);
        EXPECT_EQ(reason.find('('), std::string::npos) << reason << ": no system text";
        EXPECT_EQ(reason.find(std::strerror(cause)), std::string::npos) << reason;
    }
    EXPECT_EQ(WriteFailureReason(EXDEV).rfind("Файлът не можа да бъде записан (", 0), 0u) << "the rare others";
}

}  // namespace
}  // namespace tamirel
