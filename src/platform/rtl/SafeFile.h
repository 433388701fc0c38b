#pragma once
// Safe saving: a file is written to a temporary file beside it and renamed over it only when every byte
// was written and flushed to the disk, so a failed save never destroys the old file.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/rtl/Streams.h"

namespace zel {

// A stream over a fresh temporary file in the target's folder (the target's name plus ".tmp-XXXXXX").
// Commit() flushes it to the disk and renames it over the target; destroying the writer without a
// successful Commit() removes the temporary file and leaves the target untouched.
//
// A target that is a symbolic link is resolved first, so the file it points to is replaced and the link
// stays. An existing target keeps its permission bits (and, where allowed, its owner and group); a new
// file gets 0666 less the umask. A target that exists but is not writable is refused, as creating it
// over would be.
class TSafeFileWriter : public THandleStream {
public:
    // Raises EInOutError "Cannot create file \"name\": reason" when the temporary file cannot be made.
    explicit TSafeFileWriter(const std::string& fileName);
    ~TSafeFileWriter() override;
    std::string ClassName() const override { return "TSafeFileWriter"; }

    std::int64_t Write(const void* buffer, std::int64_t count) override;

    // Flushes, closes and renames over the target. Raises EInOutError (the temporary file removed, the
    // target untouched) on failure. A second call does nothing.
    void Commit();
    // Closes and removes the temporary file without touching the target.
    void Discard();

    const std::string& FileName() const { return fileName_; }      // the target as given
    const std::string& TempFileName() const { return tempName_; }  // empty once committed or discarded

private:
    void Fail(const std::string& what, int err);

    std::string fileName_;
    std::string target_;
    std::string tempName_;
    std::int64_t written_ = 0;
    bool committed_ = false;
};

// Writes fileName through a TSafeFileWriter: writer fills the stream, then the file is committed.
// When writer throws, its exception propagates and the old file is unchanged; a failure of the file
// system raises EInOutError (EWriteError from a write) with the same guarantee.
void SafeWriteFile(const std::string& fileName, const std::function<void(TStream&)>& writer);

// Test hook: simulated failures of the file system for the safe writer. Tests set the fields and reset
// them afterwards (TSafeFileFaultsGuard); the program never touches them.
struct TSafeFileFaults {
    std::int64_t FailWriteAfter = -1;  // >= 0: bytes past this many fail as on a full disk (ENOSPC)
    bool FailSync = false;             // the flush to the disk fails (EIO)
    bool FailRename = false;           // the rename over the target fails (EACCES)
};
TSafeFileFaults& SafeFileFaults();

// Sets faults for a scope and clears them at its end.
class TSafeFileFaultsGuard {
public:
    explicit TSafeFileFaultsGuard(const TSafeFileFaults& faults) { SafeFileFaults() = faults; }
    ~TSafeFileFaultsGuard() { SafeFileFaults() = TSafeFileFaults{}; }
    TSafeFileFaultsGuard(const TSafeFileFaultsGuard&) = delete;
    TSafeFileFaultsGuard& operator=(const TSafeFileFaultsGuard&) = delete;
};

}  // namespace zel
