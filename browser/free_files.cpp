#include "free_files.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "drawing_file_number.h"

namespace vedrix::browser {

namespace {

constexpr int kOneFileDragBitmap = 110;
constexpr int kFilesDragBitmap = 106;
constexpr COLORREF kDragMaskColor = RGB(0xC0, 0xC0, 0xC0);

}  // namespace

void insertFreeListColumns(CListCtrl& list, CImageList* images) {
    CString heading;
    heading.LoadString(2007);
    CRect rect;
    list.GetWindowRect(&rect);
    const int width = rect.Width() - 4;
    list.SetImageList(images, LVSIL_SMALL);
    list.InsertColumn(0, heading, LVCFMT_LEFT, width * 2 / 5);
    heading.LoadString(2008);
    list.InsertColumn(1, heading, LVCFMT_LEFT, width * 3 / 5);
}

UsedNumbers::UsedNumbers(CList<CString, CString>& names) {
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr;) {
        const CString& name = names.GetNext(pos);
        const char* first = name.GetString();
        const char* last = first + name.GetLength();
        int number = 0;
        const auto [end, error] = std::from_chars(first, last, number);
        if (error != std::errc() || end != last) {
            continue;
        }
        // The number counts only when the text is its decimal text as
        // written back (no leading zeros, no "-0").
        char text[16];
        const auto written = std::to_chars(text, text + sizeof text, number);
        if (std::string_view(text, static_cast<std::size_t>(written.ptr - text)) ==
            std::string_view(first, static_cast<std::size_t>(last - first))) {
            m_numbers.insert(number);
        }
    }
}

void forEachDrawingFile(const CString& directoryPrefix, const char* closeFailure,
                        const std::function<void(const CString& fileName, int number)>& visit) {
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(directoryPrefix + "tb0*.zdw", &found);
    if (search == INVALID_HANDLE_VALUE || search == nullptr) {
        return;
    }
    do {
        CString fileName(found.cFileName);
        fileName.MakeLower();
        visit(fileName, drawingFileNumberOf(fileName.GetString(),
                                            static_cast<std::size_t>(fileName.GetLength())));
    } while (::FindNextFileA(search, &found));
    if (!::FindClose(search)) {
        std::fputs(closeFailure, stdout);
    }
}

int addFreeRow(CListCtrl& list, const CString& fileName, const CString& name, TBItemData* record,
               int image) {
    CString text = fileName;
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = list.GetItemCount();
    item.pszText = text.GetBuffer();
    item.iImage = image;
    item.lParam = reinterpret_cast<LPARAM>(record);
    const int row = list.InsertItem(&item);
    text.ReleaseBuffer();
    if (row < 0) {
        delete record;
        return -1;
    }
    list.SetItemText(row, 1, name);
    return row;
}

int addFreeDrawingFile(CListCtrl& list, const CString& fileName, int number, const CString& name,
                       int image) {
    return addFreeRow(
        list, fileName, name,
        new TBItemData(TBItemData::kDrawingFile, 0, static_cast<unsigned long>(number), 0), image);
}

void splitDrawingFileText(const CString& text, CString& fileName, CString& name) {
    fileName = text;
    name.Empty();
    const int blank = text.Find(' ');
    if (blank >= 0) {
        fileName = text.Left(blank);
        name = text.Mid(blank);
        name.TrimLeft(' ');
    }
}

void collectSelectedRows(const CListCtrl& list, CUIntArray& rows) {
    rows.RemoveAll();
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = list.GetNextItem(row, LVNI_SELECTED)) {
        rows.Add(static_cast<UINT>(row));
    }
}

CImageList* freeRowsDragImage(INT_PTR count) {
    auto* image = new CImageList;
    if (!image->Create(count == 1 ? kOneFileDragBitmap : kFilesDragBitmap, 24, 1, kDragMaskColor)) {
        delete image;
        return nullptr;
    }
    return image;
}

}  // namespace vedrix::browser
