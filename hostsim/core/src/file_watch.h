// Changes to the host's files as the kernel reports them, so that a kept
// file's content can be trusted without looking at the file again on every
// call.
//
// Watching a file watches its directory: every change that the kernel makes
// to a name in it (written, its attributes changed, made, deleted, moved in
// or out) is reported for that name, whoever made the change, and a change
// is known from the moment the call that made it returned. Names are
// compared without regard to case, as the platform's file functions look
// them up. The directory itself going away, being moved, or the kernel
// losing reports counts as a change to every file in it.
//
// What is not seen: a directory above the watched one being moved or
// replaced, so that the same path names another directory (the watch stays
// with the old one). Paths that are not absolute are never watched, since
// the working directory can change under them. Where no watch can be had
// (another system, no path, the kernel's limits reached), WatchFile says so
// and the caller looks at the file itself.
//
// The host calls its libraries on its user-interface thread only, so the
// watch needs no lock.
#pragma once

#include <string>

namespace vedrix::hostsim {

// What a reading of a watched file was made under.
struct WatchTicket {
    int directory = -1;
    std::string name;  // the file's name in lower case
    unsigned long long issued = 0;
};

// Starts watching `path` ("\" separators allowed) before it is read; false
// when it cannot be watched.
bool WatchFile(const std::string& path, WatchTicket& ticket);

// Whether no change to the ticket's file has been reported since it was
// issued.
bool UnchangedSince(const WatchTicket& ticket);

}  // namespace vedrix::hostsim
