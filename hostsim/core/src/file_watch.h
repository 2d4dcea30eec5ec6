// Changes to the host's files as the kernel reports them, so that a kept
// file's content can be trusted without looking at the file again on every
// call.
//
// Watching a file watches its directory: every change that the kernel makes
// to a name in it (written, its attributes changed, made, deleted, moved in
// or out) is reported for that name, whoever made the change. Names are
// compared without regard to case, as the platform's file functions look
// them up. The directory itself going away, being moved, or the kernel
// losing reports counts as a change to every file in it.
//
// When a change is known: a change this process made through the platform's
// file functions, at once; any other change, from the first look after the
// call that made it returned, but within one host call (host_call.h) the
// reports are taken in at the call's first look only, so a change made
// while a call runs is known from the next call on. Outside host calls
// every look takes the reports in.
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
