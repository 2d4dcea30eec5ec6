// A batch of drawing-file copies for a variant view: every copy gets its own
// free number, and its header's reference identifier links it to its source.
// A batch that fails deletes every copy it made.
#include <vedrix/fman/tb_copy.h>

#include <vedrix/fman/free_tb_number.h>
#include <vedrix/fman/tb_number_table.h>

#include <zelkar/business_basics.h>
#include <zelkar/data_resource.h>
#include <zelkar/file_access.h>
#include <zelkar/utility_general.h>

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

// A batch and the number table it works in.
struct Batch {
    const int* sources;
    int* copies;
    int count;
    int mode;
    int unit;
    TbNumberSlot* table;
};

bool HasSlot(int number) {
    return number >= 1 && number < kTbNumberTableSize;
}

// Marks the sources taken, so that none becomes the number of a copy, and
// notes the drawing files the host has loaded.
void MarkSourcesAndLoaded(const Batch& batch) {
    for (int i = 0; i < batch.count; ++i) {
        batch.table[batch.sources[i]].taken = kTbTakenBySource;
    }
    int numbers[ZEL_TB_LOADED_MAX] = {};
    int kinds[ZEL_TB_LOADED_MAX] = {};
    int loaded = 0;
    if (kg_GetTbLoadedList(ZEL_TB_REF_KIND, numbers, kinds, 0, &loaded) != ZEL_TB_OK) {
        return;
    }
    for (int i = 0; i < loaded && i < ZEL_TB_LOADED_MAX; ++i) {
        if (HasSlot(numbers[i]) && (kinds[i] == 2 || kinds[i] == 3)) {
            batch.table[numbers[i]].loadedKind = static_cast<std::uint8_t>(kinds[i]);
        }
    }
}

// Hands each source a free number and notes the identifier its copy will
// refer to. -1 (after telling the user) when a number or a source header is
// missing; 0 otherwise.
int AllocateCopyNumbers(const Batch& batch, int start) {
    char record[ZEL_TB_RECORD_SIZE];
    for (int i = 0; i < batch.count; ++i) {
        const int source = batch.sources[i];
        const int number = GetNextFreeTbNr(start, batch.table);
        if (number == -1) {
            MessageBoxA(nullptr, "Sorry, no free Tb available!!!", "", MB_OK | MB_ICONINFORMATION);
            return -1;
        }
        if (read_teilbild_rec(batch.unit, source, record) != ZEL_TB_OK) {
            char caption[32];
            std::snprintf(caption, sizeof caption, "TB: %d", source);
            MessageBoxA(nullptr,
                        batch.mode == kTbCopyKeepRefUuid ? "No RefUUID in TB-header!!!"
                                                         : "No UUID in TB-header!!!",
                        caption, MB_OK | MB_ICONSTOP);
            return -1;
        }
        TbNumberSlot& slot = batch.table[source];
        const int first =
            batch.mode == kTbCopyKeepRefUuid ? ZEL_TB_REC_REFUUID_FIRST : ZEL_TB_REC_UUID_FIRST;
        const int second =
            batch.mode == kTbCopyKeepRefUuid ? ZEL_TB_REC_REFUUID_SECOND : ZEL_TB_REC_UUID_SECOND;
        slot.carriedUuid[0] = ZelTbRecordDouble(record, first);
        slot.carriedUuid[1] = ZelTbRecordDouble(record, second);
        slot.copyNumber = number;
        batch.table[number].taken = kTbTakenByCopy;
    }
    return 0;
}

// The copy's name into `name` (ZEL_TB_NAME_LENGTH + 1 bytes): the source's
// drawing-file name (or its number) joined with the name text in the order
// of the naming type, blank padded.
void MakeCopyName(int unit, int source, const char* text, int namingType, char* name) {
    ZelTbInfo info = {};
    char sourceName[ZEL_TB_NAME_LENGTH + 1] = {};
    if (vw_tb_getinfo(ZelMakeTbRef(unit, source), &info) == ZEL_TB_OK) {
        std::memcpy(sourceName, info.name, ZEL_TB_NAME_LENGTH);
        TrimRight(sourceName);
    }
    if (sourceName[0] == '\0') {
        std::snprintf(sourceName, sizeof sourceName, "%d", source);
    }
    // Longer than the field: whatever lies past it is cut anyway.
    char joined[2 * ZEL_TB_NAME_LENGTH + 8];
    if (text[0] == '\0') {
        std::snprintf(joined, sizeof joined, "%s", sourceName);
    } else if (namingType == 1) {
        std::snprintf(joined, sizeof joined, "%.*s - %s", ZEL_TB_NAME_LENGTH, text, sourceName);
    } else {
        std::snprintf(joined, sizeof joined, "%s - %.*s", sourceName, ZEL_TB_NAME_LENGTH, text);
    }
    CopyAndAddEndingSpaces(name, joined, ZEL_TB_NAME_LENGTH);
}

// Copies each source to its number and makes the copy refer to the carried
// identifier. 0, or the first failing host result.
int CopySources(const Batch& batch, const char* text) {
    const int namingType = text != nullptr ? getScenarioTbNameType() : 0;
    char name[ZEL_TB_NAME_LENGTH + 1];
    char record[ZEL_TB_RECORD_SIZE];
    for (int i = 0; i < batch.count; ++i) {
        const int source = batch.sources[i];
        TbNumberSlot& slot = batch.table[source];
        const int number = slot.copyNumber;
        const bool named = namingType != 0;
        if (named) {
            MakeCopyName(batch.unit, source, text, namingType, name);
        }
        int result = vw_tb_copy(ZelMakeTbRef(batch.unit, source), ZelMakeTbRef(batch.unit, number),
                                named ? name : nullptr, 1);
        batch.copies[i] = result == ZEL_TB_OK ? number : 0;
        slot.copied = 1;
        if (result != ZEL_TB_OK) {
            return result;
        }
        result = read_teilbild_rec(batch.unit, number, record);
        if (result != ZEL_TB_OK) {
            return result;
        }
        ZelTbRecordSetDouble(record, ZEL_TB_REC_REFUUID_FIRST, slot.carriedUuid[0]);
        ZelTbRecordSetDouble(record, ZEL_TB_REC_REFUUID_SECOND, slot.carriedUuid[1]);
        result = update_teilbild_rec(batch.unit, record);
        if (result != ZEL_TB_OK) {
            return result;
        }
    }
    return 0;
}

// Deletes the copy of every drawing file whose copy was attempted.
void DeleteCopies(const Batch& batch) {
    for (int number = 1; number < kTbNumberTableSize; ++number) {
        if (batch.table[number].copied == 1) {
            vw_tb_delete(ZelMakeTbRef(batch.unit, batch.table[number].copyNumber));
        }
    }
}

void PlayInformationSound() {
    MessageBeep(MB_ICONASTERISK);
}

}  // namespace

int CopyTbsToFreeNumbers(const int* sources, int* copies, int count, int mode, int start,
                         const char* name) {
    if (count <= 0) {
        return 0;
    }
    if (sources == nullptr || copies == nullptr) {
        return -1;
    }
    for (int i = 0; i < count; ++i) {
        if (!HasSlot(sources[i])) {
            return -1;
        }
    }
    const std::unique_ptr<TbNumberSlot[]> table = NewTbNumberTable();
    if (!table) {
        return -1;
    }
    const Batch batch{sources, copies, count, mode, kgunit(), table.get()};
    MarkSourcesAndLoaded(batch);
    int result = AllocateCopyNumbers(batch, start);
    if (result == 0) {
        result = CopySources(batch, name);
    }
    if (result != 0) {
        DeleteCopies(batch);
    }
    return result;
}

int CopyTbsKeepingUuid(const int* sources, int* copies, int count, int start, const char* name) {
    if (sources == nullptr || copies == nullptr || count <= 0) {
        return -1;
    }
    std::memset(copies, 0, sizeof(int) * static_cast<std::size_t>(count));
    const int result = CopyTbsToFreeNumbers(sources, copies, count, kTbCopyKeepUuid, start, name);
    if (result == 0) {
        PlayInformationSound();
    }
    return result;
}

int CopyTbsKeepingRefUuid(const int* sources, int* copies, int count, int start, const char* name) {
    if (sources == nullptr || copies == nullptr || count <= 0) {
        return -1;
    }
    const int result =
        CopyTbsToFreeNumbers(sources, copies, count, kTbCopyKeepRefUuid, start, name);
    if (result == 0) {
        PlayInformationSound();
    }
    return result;
}
