// The names of directories, read once and kept for case-insensitive lookups.
//
// A path that does not exist under its exact name is looked up among its
// directory's names without regard to case. Reading the directory for each
// such path would make every operation on a missing file cost a whole
// directory, so each directory's names are kept in an index by their folded
// form. The file functions tell the index of the names they add and remove;
// a directory that changes in any other way (another process, a library
// that bypasses these functions) is noticed by its change time, which the
// file system moves with every entry added, removed or renamed, and by its
// identity (device and inode), and is read again.
#pragma once

#include <sys/stat.h>

#include <string>

namespace vedrix::winapi::kernel {

// The entry of `dir` whose name equals `name` case-insensitively (the
// byte-wise smallest if several do); "" when there is none or the directory
// cannot be read. `dirStatus`, when given, is the stat() of `dir` just taken
// by the caller, which spares taking it again.
std::string FindEntryNoCase(const std::string& dir, const std::string& name,
                            const struct stat* dirStatus = nullptr);

// One name of a directory that the file functions are about to add or
// remove. Made before the change: it notes whether the directory's index is
// still current; told after the change succeeded, it brings the index up to
// date, or drops it when it was not current. Destroyed untold, it takes the
// change to have failed, perhaps halfway, and drops the index.
class NameChange {
public:
    // `dirStatus`, when given, is the stat() of the path's directory just
    // taken by the caller, which the check of the index is made against.
    explicit NameChange(const std::string& nativePath, const struct stat* dirStatus = nullptr);
    ~NameChange();
    NameChange(const NameChange&) = delete;
    NameChange& operator=(const NameChange&) = delete;

    // The name now exists in its directory.
    void Added();
    // The name no longer exists in its directory.
    void Removed();

private:
    void Apply(bool added);

    std::string m_directory;
    std::string m_name;
    bool m_current = false;
};

}  // namespace vedrix::winapi::kernel
