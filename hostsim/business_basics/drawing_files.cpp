// Deleting, describing and copying drawing files of the current unit.
#include <zelkar/business_basics.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/drawing_file.h>
#include <vedrix/hostsim/failures.h>
#include <vedrix/hostsim/guard.h>
#include <vedrix/hostsim/table_file.h>
#include <vedrix/hostsim/text_lines.h>
#include <vedrix/hostsim/unit_files.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

using namespace vedrix::hostsim;

namespace {

// The path of a referenced drawing file, or false for a reference that is
// not a drawing file of the current unit.
bool PathOf(const HostConfig& config, const ZelTbRef& tb, std::string& path) {
    return tb.kind == ZEL_TB_REF_KIND && UnitDrawingFile(config, tb.unit, tb.number, path);
}

}  // namespace

int vw_tb_delete(ZelTbRef tb) {
    return Guarded(ZEL_TB_WRITE_FAILED, [&] {
        std::string path;
        if (!PathOf(CurrentHostConfig(), tb, path)) {
            return ZEL_TB_BAD_REFERENCE;
        }
        if (FileIsMissing(path)) {
            return ZEL_TB_NO_RECORD;
        }
        return DeleteDrawingFile(path) ? ZEL_TB_OK : ZEL_TB_WRITE_FAILED;
    });
}

int vw_tb_getinfo(ZelTbRef tb, ZelTbInfo* info) {
    return Guarded(ZEL_TB_UNREADABLE, [&] {
        std::string path;
        if (info == nullptr || !PathOf(CurrentHostConfig(), tb, path)) {
            return ZEL_TB_BAD_REFERENCE;
        }
        DrawingHeader header;
        const int result = ReadHeader(path, header);
        if (result != ZEL_TB_OK) {
            return result;
        }
        info->number = header.number;
        CopyPadded(info->name, header.name, ZEL_TB_NAME_LENGTH);
        info->content = header.content ? 1 : 0;
        info->uuid[0] = header.uuid[0];
        info->uuid[1] = header.uuid[1];
        info->refUuid[0] = header.refUuid[0];
        info->refUuid[1] = header.refUuid[1];
        return ZEL_TB_OK;
    });
}

int vw_tb_copy(ZelTbRef source, ZelTbRef target, const char* name, int withContent) {
    return Guarded(ZEL_TB_WRITE_FAILED, [&] {
        const HostConfig config = CurrentHostConfig();
        int injected = 0;
        if (TakeInjectedFailure(config, "vw_tb_copy", injected)) {
            return injected;
        }
        std::string sourcePath;
        std::string targetPath;
        if (!PathOf(config, source, sourcePath) || !PathOf(config, target, targetPath) ||
            source.number == target.number) {
            return ZEL_TB_BAD_REFERENCE;
        }
        std::vector<char> record(ZEL_TB_RECORD_SIZE);
        std::string content;
        int result =
            ReadDrawingFile(sourcePath, record.data(), withContent != 0 ? &content : nullptr);
        if (result != ZEL_TB_OK) {
            return result;
        }
        DrawingHeader header;
        DecodeHeader(record.data(), header);
        header.number = target.number;
        header.content = withContent != 0 && header.content;
        if (name != nullptr) {
            header.name =
                KeptHeaderName(std::string_view(name, strnlen(name, ZEL_TB_NAME_LENGTH + 1)));
        }
        if (!NewIdentifier(header.uuid)) {
            return ZEL_TB_WRITE_FAILED;
        }
        EncodeHeader(header, record.data());
        result = WriteNewDrawingFile(targetPath, record.data(), content);
        if (result != ZEL_TB_EXISTS) {
            return result;
        }
        // Only a number without a drawing file, with an empty file, or with a
        // drawing file that has no content yet takes a copy.
        DrawingHeader existing;
        result = ReadHeader(targetPath, existing);
        if (result == ZEL_TB_OK && existing.content) {
            return ZEL_TB_EXISTS;
        }
        if (result != ZEL_TB_OK && result != ZEL_TB_NO_RECORD) {
            return result;
        }
        return ReplaceDrawingFile(targetPath, record.data(), content);
    });
}
