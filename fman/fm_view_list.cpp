#include "fm_view_list.h"

#include <zelkar/business_basics.h>

namespace vedrix::fman {

void ViewList::read() {
    clear();
    CfmViewInfo file(nullptr);
    if (!file.MoveToFirstItem()) {
        return;
    }
    do {
        append(file.NameOfView(), file.UUID(), file.CodePath(), file.DateOfReplication(),
               file.UUID_Original(), file.LockFlag());
    } while (file.MoveToNextItem());
}

ViewRecord& ViewList::append(const char* name, const char* identifier, const char* codePath,
                             const char* replicationDate, const char* originalIdentifier,
                             const char* lockFlag) {
    auto* record = new ViewRecord;
    copyField(record->name, name);
    copyField(record->identifier, identifier);
    const bool noPath = codePath == nullptr || codePath[0] == '\0';
    copyField(record->codePath, noPath ? CfmViewInfo::cs_withoutPath() : codePath);
    copyField(record->replicationDate, replicationDate);
    copyField(record->originalIdentifier, originalIdentifier);
    copyField(record->lockFlag, lockFlag);
    record->previous = m_tail;
    record->next = nullptr;
    if (m_tail != nullptr) {
        m_tail->next = record;
    } else {
        m_head = record;
    }
    m_tail = record;
    m_firstOf.emplace(record->identifier, record);
    return *record;
}

ViewRecord& ViewList::updateOrAppend(const char* name, const char* identifier, const char* codePath,
                                     const char* originalIdentifier, const char* lockFlag) {
    ViewRecord* record = find(identifier);
    if (record == nullptr) {
        return append(name, identifier, codePath, "-1", originalIdentifier, lockFlag);
    }
    if (name != nullptr && name[0] != '\0') {
        copyField(record->name, name);
    }
    if (codePath != nullptr && codePath[0] != '\0') {
        copyField(record->codePath, codePath);
    }
    return *record;
}

bool ViewList::writeAndDestroy() {
    bool written = true;
    if (!empty()) {
        CfmViewInfo file(nullptr);
        file.ClearFmViewInfo();
        for (const ViewRecord* record = m_head; record != nullptr; record = record->next) {
            file.InsertItem();
            file.ActiveFlag("0");
            file.NameOfView(record->name);
            file.UUID(record->identifier);
            file.FileSetNumber("0");
            file.CodePath(record->codePath);
            file.DateOfReplication(record->replicationDate);
            file.UUID_Original(record->originalIdentifier);
            file.LockFlag(record->lockFlag);
        }
        written = file.WriteFmViewInfoFile();
    }
    clear();
    return written;
}

void ViewList::clear() {
    m_firstOf.clear();
    while (m_head != nullptr) {
        ViewRecord* next = m_head->next;
        delete m_head;
        m_head = next;
    }
    m_tail = nullptr;
}

ViewRecord* ViewList::find(const char* identifier) const {
    if (identifier == nullptr) {
        return nullptr;
    }
    const auto found = m_firstOf.find(std::string_view(identifier));
    return found != m_firstOf.end() ? found->second : nullptr;
}

}  // namespace vedrix::fman
