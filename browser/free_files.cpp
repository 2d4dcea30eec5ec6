#include "free_files.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace vedrix::browser {

namespace {

constexpr int kOneFileDragBitmap = 110;
constexpr int kFilesDragBitmap = 106;
constexpr COLORREF kDragMaskColor = RGB(0xC0, 0xC0, 0xC0);

// The number in characters 2 to 7 of a drawing file's name, read as atoi
// reads it, without taking the characters out first: every drawing file of
// the project directory is named so.
int numberOfFileName(const CString& fileName) {
    char digits[7] = {};
    const char* name = fileName.GetString();
    for (int i = 0; i < 6 && i + 2 < fileName.GetLength(); ++i) {
        digits[i] = name[i + 2];
    }
    return std::atoi(digits);
}

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
    m_numbers.reserve(static_cast<std::size_t>(names.GetCount()));
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
            m_numbers.push_back(number);
        }
    }
    std::sort(m_numbers.begin(), m_numbers.end());
}

bool UsedNumbers::contains(int number) const {
    return std::binary_search(m_numbers.begin(), m_numbers.end(), number);
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
        visit(fileName, numberOfFileName(fileName));
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
