#include "new_files.h"

#include <zelkar/file_access.h>

#include <vedrix/hostsim/host_call.h>

#include "file_cache.h"
#include "file_watch.h"

#include <array>
#include <cstring>
#include <unordered_map>

namespace vedrix::hostsim {

namespace {

// Where notes are kept beyond this many files, all are forgotten at once:
// notes serve the files a host call has just written, and forgetting one
// only costs a reading of the file.
constexpr std::size_t kMostNotedFiles = 1024;

struct Noted {
    // Left as it was while no change is reported after `ticket`
    // (`watched`), or while its stamp stays.
    bool watched = false;
    WatchTicket ticket;
    FileStamp stamp;
    bool completesInPlace = false;
    // Written by a host call, whose header is handed back.
    bool byHostCall = false;
    std::array<char, ZEL_TB_RECORD_SIZE> record{};
};

// The host calls its libraries on its user-interface thread only.
std::unordered_map<std::string, Noted>& NotedFiles() {
    static std::unordered_map<std::string, Noted> files;
    return files;
}

// How many of the notes were made by host calls: while there are none, a
// header read looks no note up (an opening reads thousands of headers).
std::size_t g_notesByHostCalls = 0;

using NoteEntry = std::unordered_map<std::string, Noted>::iterator;

void Forget(NoteEntry noted) {
    g_notesByHostCalls -= noted->second.byHostCall ? 1 : 0;
    NotedFiles().erase(noted);
}

// Notes the file at `path` as it is now, right after this process wrote it.
void Note(const std::string& path, const char* record, bool completesInPlace) {
    Noted noted;
    noted.watched = WatchFile(path, noted.ticket);
    ForgetFile(path);
    if (!noted.watched && !StampOf(path, noted.stamp)) {
        return;
    }
    noted.completesInPlace = completesInPlace;
    noted.byHostCall = CurrentHostCall() != 0;
    std::memcpy(noted.record.data(), record, ZEL_TB_RECORD_SIZE);
    auto& files = NotedFiles();
    if (files.size() >= kMostNotedFiles) {
        files.clear();
        g_notesByHostCalls = 0;
    }
    g_notesByHostCalls += noted.byHostCall ? 1 : 0;
    files.emplace(path, std::move(noted));
}

bool LeftAsItWas(const std::string& path, const Noted& noted) {
    if (noted.watched) {
        return UnchangedSince(noted.ticket);
    }
    FileStamp now;
    return StampOf(path, now) && now == noted.stamp;
}

// The note found, or the end, while the file is as it was left; a note of
// a changed file is forgotten.
NoteEntry AsLeftOrForgotten(const std::string& path, NoteEntry found) {
    auto& files = NotedFiles();
    if (found != files.end() && !LeftAsItWas(path, found->second)) {
        Forget(found);
        return files.end();
    }
    return found;
}

}  // namespace

void NoteNewFile(const std::string& path, const char* record) {
    Note(path, record, true);
}

bool TakeNewFile(const std::string& path) {
    const auto noted = AsLeftOrForgotten(path, NotedFiles().find(path));
    if (noted == NotedFiles().end() || !noted->second.completesInPlace) {
        return false;
    }
    noted->second.completesInPlace = false;
    return true;
}

void NoteWrittenHeader(const std::string& path, const char* record) {
    Note(path, record, false);
}

void ForgetFile(const std::string& path) {
    auto& files = NotedFiles();
    const auto found = files.find(path);
    if (found != files.end()) {
        Forget(found);
    }
}

bool KnownHeader(const std::string& path, char* record) {
    // Only a header written by a host call under a watch is handed back; no
    // other note is looked at.
    if (g_notesByHostCalls == 0) {
        return false;
    }
    auto& files = NotedFiles();
    const auto found = files.find(path);
    if (found == files.end() || !found->second.watched || !found->second.byHostCall ||
        AsLeftOrForgotten(path, found) == files.end()) {
        return false;
    }
    std::memcpy(record, found->second.record.data(), ZEL_TB_RECORD_SIZE);
    return true;
}

}  // namespace vedrix::hostsim
