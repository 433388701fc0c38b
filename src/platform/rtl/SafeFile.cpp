#include "platform/rtl/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace zel {

namespace {

std::string Reason(int err) { return std::strerror(err); }

// The folder part of a path, without its trailing '/' ("." when there is none).
std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The file a path names once symbolic links are followed; the path itself when it is no link or the
// link leads nowhere.
std::string ResolveLinks(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return path;
    std::string result(real);
    std::free(real);
    return result;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);  // best effort: the rename is already done
    ::close(fd);
}

}  // namespace

TSafeFileFaults& SafeFileFaults() {
    static TSafeFileFaults faults;
    return faults;
}

TSafeFileWriter::TSafeFileWriter(const std::string& fileName) : fileName_(fileName), target_(ResolveLinks(fileName)) {
    auto refuse = [&](int err) -> void {
        throw EInOutError("Cannot create file \"" + fileName_ + "\": " + Reason(err), err);
    };
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) refuse(EISDIR);
    if (exists && ::access(target_.c_str(), W_OK) != 0) refuse(errno);

    std::string name = target_ + ".tmp-XXXXXX";
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0 && errno == ENAMETOOLONG) {
        // The target's name leaves no room for the suffix: a short hidden name in the same folder.
        name = FolderOf(target_) + "/.tmp-XXXXXX";
        fd = ::mkostemp(name.data(), O_CLOEXEC);
    }
    if (fd < 0) refuse(errno);
    handle_ = fd;
    tempName_ = name;

    if (exists) {
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
            if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
                // Not allowed to give the file away: it keeps our owner, as a newly created file would.
            }
        }
        (void)::fchmod(fd, st.st_mode & 07777);
    } else {
        (void)::fchmod(fd, 0666 & ~CurrentUmask());
    }
}

TSafeFileWriter::~TSafeFileWriter() {
    if (!committed_) Discard();
}

std::int64_t TSafeFileWriter::Write(const void* buffer, std::int64_t count) {
    const std::int64_t limit = SafeFileFaults().FailWriteAfter;
    if (limit >= 0 && count > 0 && written_ + count > limit) {
        const std::int64_t allowed = limit > written_ ? limit - written_ : 0;
        if (allowed > 0) written_ += THandleStream::Write(buffer, allowed);
        throw EWriteError(std::string(SWriteError) + " (" + Reason(ENOSPC) + ")");
    }
    const std::int64_t n = THandleStream::Write(buffer, count);
    written_ += n;
    return n;
}

void TSafeFileWriter::Fail(const std::string& what, int err) {
    Discard();
    throw EInOutError(what + " \"" + fileName_ + "\": " + Reason(err), err);
}

void TSafeFileWriter::Commit() {
    if (committed_) return;
    if (handle_ < 0) throw EInOutError("Cannot write file \"" + fileName_ + "\": the save was abandoned", 0);

    const TSafeFileFaults faults = SafeFileFaults();
    if (faults.FailSync) Fail("Cannot write file", EIO);
    if (::fsync(handle_) != 0) Fail("Cannot write file", errno);
    const int fd = handle_;
    handle_ = -1;
    if (::close(fd) != 0 && errno != EINTR) Fail("Cannot write file", errno);

    if (faults.FailRename) Fail("Cannot replace file", EACCES);
    if (::rename(tempName_.c_str(), target_.c_str()) != 0) Fail("Cannot replace file", errno);
    tempName_.clear();
    committed_ = true;
    SyncFolder(FolderOf(target_));
}

void TSafeFileWriter::Discard() {
    if (handle_ >= 0) {
        ::close(handle_);
        handle_ = -1;
    }
    if (!tempName_.empty()) {
        ::unlink(tempName_.c_str());
        tempName_.clear();
    }
}

void SafeWriteFile(const std::string& fileName, const std::function<void(TStream&)>& writer) {
    TSafeFileWriter out(fileName);
    writer(out);
    out.Commit();
}

}  // namespace zel
