// Free drawing-file numbers for variants: the search for a number that is
// not used in any way in the project, and the start number of the variants
// kept in the host's settings.
#pragma once

#include <vedrix/fman/tb_number_table.h>

class CWnd;

// The settings key of the variants' start number (host settings section 1)
// and the start number when none is stored.
inline constexpr const char* kVariantStartTbNrKey = "Settings\\FM_NextTBNr4VariantCreation";
inline constexpr int kVariantStartTbNrSection = 1;
inline constexpr int kDefaultVariantStartTbNr = 100;

// The first number n with max(start, 1) <= n < kTbNumberEnd that is free:
// not marked taken in `table` (null: nothing marked), not used by a drawing,
// without a drawing file that has content or a header that cannot be read,
// and whose file, where there is one, can be opened for writing. -1 when
// there is none. Every number passed over for a reason of the project is
// reported through the host's diagnostic print. No file is created or
// changed.
int GetNextFreeTbNr(int start, const TbNumberSlot* table);

// The start number for variants: a `number` of 0 is first replaced by the
// stored start number (kDefaultVariantStartTbNr when none is stored), then
// by the first free number from there. 1 with `number` set to that free
// number; 0 with `number` -1 when there is none; 0 with `number` unchanged
// when the number table cannot be allocated, after telling the user in a
// message box owned by `dialog`'s parent.
int GetVariantStartTbNr(int& number, CWnd* dialog);
