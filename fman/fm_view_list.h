// The views of the host's facility-management view file, as both
// facility-management dialogs hold them while they run: a doubly linked list
// of fixed-size records, read once, changed in memory, and written back to
// the view file when the dialog goes away.
//
// Every text enters a record through a bounded copy: a longer text is cut to
// the field's size (less its terminator), never written past it. A view file
// that does not exist or cannot be read gives an empty list; an empty list is
// never written, so such a file is left as it was.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace vedrix::fman {

// Copies at most N - 1 characters of `text` into `field` and zeroes the rest
// of it, so that nothing of an earlier text stays behind; null gives an
// empty text.
template <std::size_t N>
void copyField(char (&field)[N], const char* text) {
    std::size_t n = 0;
    if (text != nullptr) {
        const void* end = std::memchr(text, '\0', N - 1);
        n = end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : N - 1;
        std::memcpy(field, text, n);
    }
    std::memset(field + n, 0, N - n);
}

// One view of the view file.
struct ViewRecord {
    char name[256];                // NameOfView
    char identifier[101];          // UUID
    char codePath[451];            // CodePath; the host's "without path" text when there is none
    char replicationDate[29];      // DateOfReplication
    char originalIdentifier[101];  // UUID_Original; "0" for an original view
    char lockFlag[6];              // LockFlag; "1" for a locked view
    ViewRecord* previous;
    ViewRecord* next;

    bool isOriginal() const { return std::strcmp(originalIdentifier, "0") == 0; }
    bool isLocked() const { return std::strcmp(lockFlag, "1") == 0; }
};

class ViewList {
public:
    ViewList() = default;
    // Frees the records without writing them.
    ~ViewList() { clear(); }
    ViewList(const ViewList&) = delete;
    ViewList& operator=(const ViewList&) = delete;

    // Empties the list and appends one record per entry of the view file, in
    // the file's order.
    void read();
    // Appends a record with the six texts; an empty or null code path becomes
    // the host's "without path" text.
    ViewRecord& append(const char* name, const char* identifier, const char* codePath,
                       const char* replicationDate, const char* originalIdentifier,
                       const char* lockFlag);
    // The first record with `identifier` takes the name and the code path,
    // each only when it is not empty; without such a record, one is appended
    // with replication date "-1" and the original identifier and lock flag
    // given.
    ViewRecord& updateOrAppend(const char* name, const char* identifier, const char* codePath,
                               const char* originalIdentifier, const char* lockFlag);
    // Replaces the view file's entries by the records, in list order (active
    // flag and file-set number "0"), when the list is not empty; then frees
    // every record. False only when a non-empty list could not be written.
    bool writeAndDestroy();
    // Frees every record, writing nothing.
    void clear();

    // The first record whose identifier is `identifier`; null when none is.
    // (A record's identifier is never changed once it is in the list: the
    // list keeps an index of them.)
    ViewRecord* find(const char* identifier) const;

    ViewRecord* head() const { return m_head; }
    ViewRecord* tail() const { return m_tail; }
    bool empty() const { return m_head == nullptr; }

private:
    ViewRecord* m_head = nullptr;
    ViewRecord* m_tail = nullptr;
    // The first record of each identifier, keyed by the record's own
    // identifier field: neither filling nor searching the index copies an
    // identifier.
    std::unordered_map<std::string_view, ViewRecord*> m_firstOf;
};

}  // namespace vedrix::fman
