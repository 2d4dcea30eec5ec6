// The browsers' list of free drawing files: its two columns, the drawing
// files of the project directory, one row per drawing file with its record,
// and the rows that a drag takes.
#pragma once

#include <vedrix/framework/ui.h>

#include <vedrix/framework/carray.h>
#include <vedrix/model/item_data.h>

#include <functional>

#include "number_set.h"

namespace vedrix::browser {

// Headings 2007 and 2008, two fifths and three fifths of the list's width,
// and `images` as the rows' images.
void insertFreeListColumns(CListCtrl& list, CImageList* images);

// The name texts of the structure's drawing-file entries, asked whether one
// is a number's decimal text. Only a text that is some number's decimal
// text can be, so those numbers are kept in a number set.
class UsedNumbers {
public:
    explicit UsedNumbers(CList<CString, CString>& names);
    bool contains(int number) const { return m_numbers.contains(number); }

private:
    NumberSet m_numbers;
};

// Calls `visit` with the lower-case file name and the number of every
// "tb0*.zdw" in the directory `directoryPrefix` (which ends in "\"), in the
// order the file system gives them. A search handle that does not close
// prints `closeFailure` (no line end).
void forEachDrawingFile(const CString& directoryPrefix, const char* closeFailure,
                        const std::function<void(const CString& fileName, int number)>& visit);

// A row at the end of the list with the file name, `image`, `record` as its
// parameter and `name` in column 1. The row's index; -1, with the record
// deleted, when the list refuses the row.
int addFreeRow(CListCtrl& list, const CString& fileName, const CString& name, TBItemData* record,
               int image);

// A row for free drawing file `number` (a new record of type 10 with that
// number) with `name` in column 1; as addFreeRow.
int addFreeDrawingFile(CListCtrl& list, const CString& fileName, int number, const CString& name,
                       int image);

// A drawing file's tree text split into its file name (up to the first
// blank) and its drawing-file name (the rest, leading blanks dropped).
void splitDrawingFileText(const CString& text, CString& fileName, CString& name);

// The selected rows of `list`, ascending, into `rows` (emptied first).
void collectSelectedRows(const CListCtrl& list, CUIntArray& rows);

// The drag image of `count` free drawing files: bitmap 110 for one, 106 for
// several; null when it cannot be made. The caller owns it.
CImageList* freeRowsDragImage(INT_PTR count);

}  // namespace vedrix::browser
