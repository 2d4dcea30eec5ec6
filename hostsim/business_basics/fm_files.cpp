// The project's facility-management view file and drawing-file information
// file, each an item table held in memory until it is written.
#include <zelkar/business_basics.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/fm_columns.h>
#include <vedrix/hostsim/guard.h>
#include <vedrix/hostsim/table_file.h>

#include <new>
#include <string>
#include <vector>

using namespace vedrix::hostsim;

namespace {

enum ViewColumn : std::size_t {
    kActiveFlag,
    kNameOfView,
    kViewUuid,
    kFileSetNumber,
    kCodePath,
    kDateOfReplication,
    kUuidOriginal,
    kLockFlag,
};

enum TbColumn : std::size_t { kTbNumber, kParentId, kUuidTb, kUuidRef, kInsertFlag, kFernoFlag };

// The file a class reads: the given path, else the project's file.
std::string FileOf(const char* path, const char* projectFileName) {
    return path != nullptr ? std::string(path) : ProjectFile(CurrentHostConfig(), projectFileName);
}

const char* FieldOf(const ItemFile* items, std::size_t column) {
    return items != nullptr ? items->field(column) : "";
}

void SetFieldOf(ItemFile* items, std::size_t column, const char* text) {
    Guarded([&] {
        if (items != nullptr) {
            items->setField(column, text);
        }
    });
}

}  // namespace

// Both classes hold their table in an ItemFile; a table that could not even
// be made (no memory) leaves the pointer null and the class empty.
struct CfmViewInfo::Items : ItemFile {
    using ItemFile::ItemFile;
};

struct CfmTbInfo::Items : ItemFile {
    using ItemFile::ItemFile;
};

// --- CfmViewInfo -----------------------------------------------------------

CfmViewInfo::CfmViewInfo(const char* path)
    : m_pItems(Guarded(static_cast<Items*>(nullptr), [&] {
          return new (std::nothrow) Items(FileOf(path, kViewFileName), ViewColumns());
      })) {}

CfmViewInfo::~CfmViewInfo() {
    delete m_pItems;
}

const char* CfmViewInfo::cs_withoutPath() {
    return kWithoutCodePath;
}

const char* CfmViewInfo::cs_DATWA() {
    return kDataMaintenanceDate;
}

bool CfmViewInfo::MoveToFirstItem() {
    return Guarded(false, [&] { return m_pItems != nullptr && m_pItems->moveToFirst(); });
}

bool CfmViewInfo::MoveToNextItem() {
    return m_pItems != nullptr && m_pItems->moveToNext();
}

const char* CfmViewInfo::ActiveFlag() const {
    return FieldOf(m_pItems, kActiveFlag);
}
const char* CfmViewInfo::NameOfView() const {
    return FieldOf(m_pItems, kNameOfView);
}
const char* CfmViewInfo::UUID() const {
    return FieldOf(m_pItems, kViewUuid);
}
const char* CfmViewInfo::FileSetNumber() const {
    return FieldOf(m_pItems, kFileSetNumber);
}
const char* CfmViewInfo::CodePath() const {
    return FieldOf(m_pItems, kCodePath);
}
const char* CfmViewInfo::DateOfReplication() const {
    return FieldOf(m_pItems, kDateOfReplication);
}
const char* CfmViewInfo::UUID_Original() const {
    return FieldOf(m_pItems, kUuidOriginal);
}
const char* CfmViewInfo::LockFlag() const {
    return FieldOf(m_pItems, kLockFlag);
}

void CfmViewInfo::ActiveFlag(const char* text) {
    SetFieldOf(m_pItems, kActiveFlag, text);
}
void CfmViewInfo::NameOfView(const char* text) {
    SetFieldOf(m_pItems, kNameOfView, text);
}
void CfmViewInfo::UUID(const char* text) {
    SetFieldOf(m_pItems, kViewUuid, text);
}
void CfmViewInfo::FileSetNumber(const char* text) {
    SetFieldOf(m_pItems, kFileSetNumber, text);
}
void CfmViewInfo::CodePath(const char* text) {
    SetFieldOf(m_pItems, kCodePath, text);
}
void CfmViewInfo::DateOfReplication(const char* text) {
    SetFieldOf(m_pItems, kDateOfReplication, text);
}
void CfmViewInfo::UUID_Original(const char* text) {
    SetFieldOf(m_pItems, kUuidOriginal, text);
}
void CfmViewInfo::LockFlag(const char* text) {
    SetFieldOf(m_pItems, kLockFlag, text);
}

void CfmViewInfo::ClearFmViewInfo() {
    if (m_pItems != nullptr) {
        m_pItems->clear();
    }
}

void CfmViewInfo::InsertItem() {
    Guarded([&] {
        if (m_pItems != nullptr) {
            m_pItems->insert();
        }
    });
}

bool CfmViewInfo::WriteFmViewInfoFile() {
    return Guarded(false, [&] { return m_pItems != nullptr && m_pItems->write(); });
}

// --- CfmTbInfo -------------------------------------------------------------

CfmTbInfo::CfmTbInfo(const char* path)
    : m_pItems(Guarded(static_cast<Items*>(nullptr), [&] {
          return new (std::nothrow) Items(FileOf(path, kTbInfoFileName), TbColumns());
      })) {
    MoveToFirstItem();
}

CfmTbInfo::~CfmTbInfo() {
    delete m_pItems;
}

bool CfmTbInfo::MoveToFirstItem() {
    return Guarded(false, [&] { return m_pItems != nullptr && m_pItems->moveToFirst(); });
}

bool CfmTbInfo::MoveToNextItem() {
    return m_pItems != nullptr && m_pItems->moveToNext();
}

const char* CfmTbInfo::TBNumber() const {
    return FieldOf(m_pItems, kTbNumber);
}
const char* CfmTbInfo::ParentID() const {
    return FieldOf(m_pItems, kParentId);
}
const char* CfmTbInfo::UUID_Tb() const {
    return FieldOf(m_pItems, kUuidTb);
}
const char* CfmTbInfo::UUID_Ref() const {
    return FieldOf(m_pItems, kUuidRef);
}
const char* CfmTbInfo::InsertFlag() const {
    return FieldOf(m_pItems, kInsertFlag);
}
const char* CfmTbInfo::FernoFlag() const {
    return FieldOf(m_pItems, kFernoFlag);
}

void CfmTbInfo::TBNumber(const char* text) {
    SetFieldOf(m_pItems, kTbNumber, text);
}
void CfmTbInfo::ParentID(const char* text) {
    SetFieldOf(m_pItems, kParentId, text);
}
void CfmTbInfo::UUID_Tb(const char* text) {
    SetFieldOf(m_pItems, kUuidTb, text);
}
void CfmTbInfo::UUID_Ref(const char* text) {
    SetFieldOf(m_pItems, kUuidRef, text);
}
void CfmTbInfo::InsertFlag(const char* text) {
    SetFieldOf(m_pItems, kInsertFlag, text);
}
void CfmTbInfo::FernoFlag(const char* text) {
    SetFieldOf(m_pItems, kFernoFlag, text);
}

void CfmTbInfo::ClearFmTbInfo() {
    if (m_pItems != nullptr) {
        m_pItems->clear();
    }
}

void CfmTbInfo::InsertItem() {
    Guarded([&] {
        if (m_pItems != nullptr) {
            m_pItems->insert();
        }
    });
}

bool CfmTbInfo::WriteFmTbInfoFile(bool always) {
    return Guarded(false, [&] {
        if (m_pItems == nullptr || !m_pItems->readable()) {
            return false;
        }
        return (!always && !m_pItems->changed()) || m_pItems->write();
    });
}
