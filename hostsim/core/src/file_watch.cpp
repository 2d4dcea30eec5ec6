#include "file_watch.h"

#include <vedrix/framework/text_file.h>

#if defined(__linux__)
#include <vedrix/headless/file_changes.h>
#include <vedrix/hostsim/host_call.h>

#include <pthread.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <csignal>
#include <unordered_map>
#endif

namespace vedrix::hostsim {

#if defined(__linux__)
namespace {

// The reports that a file's content or readability may have changed.
constexpr unsigned kNameChanges =
    IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
// The reports that the directory itself is gone or no longer where it was.
constexpr unsigned kDirectoryGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT | IN_IGNORED;

std::string LowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// One watched directory: when each name that a ticket was issued for last
// changed, and when the directory as a whole last did, on the watch's
// clock. Only names that were asked about are kept.
struct Directory {
    std::unordered_map<std::string, unsigned long long> changed;
    unsigned long long allChanged = 0;
};

// Set in a child process made by fork: the child shares the parent's
// reports, which it must not take away from it.
volatile sig_atomic_t g_forked = 0;

void NoteFork() {
    g_forked = 1;
}

class Watch {
public:
    Watch() : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        pthread_atfork(nullptr, nullptr, NoteFork);
    }
    ~Watch() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    bool watch(const std::string& directory, const std::string& name, WatchTicket& ticket) {
        startAfreshInChild();
        if (m_fd < 0) {
            return false;
        }
        // What was reported before now was about earlier states of the
        // file, which the coming read no longer sees; and a directory that
        // went away has left the watched ones.
        takeNewReports();
        const int wd = watchDirectory(directory);
        if (wd < 0) {
            return false;
        }
        Directory& watched = m_directories[wd];
        watched.changed.try_emplace(name, 0);
        ticket.directory = wd;
        ticket.name = name;
        ticket.issued = ++m_clock;
        return true;
    }

    bool unchangedSince(const WatchTicket& ticket) {
        startAfreshInChild();
        takeNewReports();
        if (m_lost > ticket.issued) {
            return false;
        }
        const auto directory = m_directories.find(ticket.directory);
        if (directory == m_directories.end() || directory->second.allChanged > ticket.issued) {
            return false;
        }
        const auto name = directory->second.changed.find(ticket.name);
        return name != directory->second.changed.end() && name->second <= ticket.issued;
    }

private:
    // A child of fork leaves the parent's watch to the parent and starts its
    // own; nothing read under the old one is trusted any more.
    void startAfreshInChild() {
        if (g_forked == 0) {
            return;
        }
        g_forked = 0;
        if (m_fd >= 0) {
            close(m_fd);
        }
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        m_directories.clear();
        m_watchedPaths.clear();
        m_lost = ++m_clock;
        m_takenInCall = 0;
    }

    // The watch of the directory at `path`: the one it has while it is still
    // there under that path, else a new one; -1 when none can be had.
    int watchDirectory(const std::string& path) {
        const auto known = m_watchedPaths.find(path);
        if (known != m_watchedPaths.end()) {
            return known->second;
        }
        const int wd = inotify_add_watch(m_fd, path.c_str(),
                                         kNameChanges | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
        if (wd >= 0) {
            m_watchedPaths[path] = wd;
        }
        return wd;
    }

    // Takes in the reports unless none of them can matter: within one host
    // call the reports were taken in at its first look, and a change that
    // the call made since has been counted by the platform's file functions.
    void takeNewReports() {
        const unsigned long long call = CurrentHostCall();
        const std::uint64_t changes = headless::FileChangeSteps();
        if (call != 0 && call == m_takenInCall && changes == m_takenInChanges) {
            return;
        }
        poll();
        m_takenInCall = call;
        m_takenInChanges = changes;
    }

    // Takes in every report the kernel holds; one read when there is none,
    // or when the read left room for another report (the kernel hands out
    // as many as fit).
    void poll() {
        constexpr ssize_t kLargestReport = sizeof(inotify_event) + NAME_MAX + 1;
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t got = read(m_fd, buffer, sizeof buffer);
            if (got <= 0) {
                if (got < 0 && errno == EINTR) {
                    continue;
                }
                return;
            }
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                take(*event);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
            if (got + kLargestReport <= static_cast<ssize_t>(sizeof buffer)) {
                return;
            }
        }
    }

    void take(const inotify_event& event) {
        const unsigned long long now = ++m_clock;
        if ((event.mask & IN_Q_OVERFLOW) != 0) {
            m_lost = now;
            return;
        }
        const auto directory = m_directories.find(event.wd);
        if (directory == m_directories.end()) {
            return;
        }
        if ((event.mask & IN_IGNORED) != 0) {
            // The watch is gone; a ticket of it can never be good again.
            forgetPathOf(event.wd);
            m_directories.erase(directory);
            return;
        }
        if ((event.mask & kDirectoryGone) != 0 || event.len == 0) {
            if ((event.mask & kDirectoryGone) != 0) {
                // The path may name another directory now.
                forgetPathOf(event.wd);
            }
            directory->second.allChanged = now;
            return;
        }
        const auto name = directory->second.changed.find(LowerCase(event.name));
        if (name != directory->second.changed.end()) {
            name->second = now;
        }
    }

    void forgetPathOf(int wd) {
        std::erase_if(m_watchedPaths, [wd](const auto& entry) { return entry.second == wd; });
    }

    int m_fd;
    // The directories watched, by the path they were watched under.
    std::unordered_map<std::string, int> m_watchedPaths;
    // When the reports were last taken in: in which host call (0 outside
    // calls, or not yet), after how many of the process's own changes.
    unsigned long long m_takenInCall = 0;
    std::uint64_t m_takenInChanges = 0;
    unsigned long long m_clock = 0;
    unsigned long long m_lost = 0;
    std::unordered_map<int, Directory> m_directories;
};

Watch& TheWatch() {
    static Watch watch;
    return watch;
}

}  // namespace

bool WatchFile(const std::string& path, WatchTicket& ticket) {
    const std::string native = framework::NativePath(path.c_str());
    const std::size_t slash = native.rfind('/');
    if (native.empty() || native[0] != '/' || slash == std::string::npos ||
        slash + 1 == native.size()) {
        return false;
    }
    const std::string directory = slash == 0 ? "/" : native.substr(0, slash);
    return TheWatch().watch(directory, LowerCase(native.substr(slash + 1)), ticket);
}

bool UnchangedSince(const WatchTicket& ticket) {
    return TheWatch().unchangedSince(ticket);
}

#else

bool WatchFile(const std::string&, WatchTicket&) {
    return false;
}

bool UnchangedSince(const WatchTicket&) {
    return false;
}

#endif

}  // namespace vedrix::hostsim
