// Copies of drawing files to free numbers for a variant view, linked to
// their sources through the reference identifier in the copies' headers.
#pragma once

// What a copy's reference identifier becomes.
enum TbCopyMode {
    // The source's own identifier.
    kTbCopyKeepUuid = 0,
    // The source's reference identifier.
    kTbCopyKeepRefUuid = 1,
};

// Copies the `count` drawing files `sources` to free numbers from `start`
// on, in order; `copies[i]` becomes the number of the copy of `sources[i]`.
// With a `name` text and a host naming type other than 0, each copy is named
// after its source and the name text. 0 on success (and at once, touching
// nothing, for a count of 0 or less); -1 when a source number has no slot
// in the number table, the table cannot be allocated, no free number is
// left or a source's header cannot be read (the last two with a message
// box); otherwise the failing host result. A batch that fails leaves no copy.
int CopyTbsToFreeNumbers(const int* sources, int* copies, int count, int mode, int start,
                         const char* name);

// The two ways the facility-management browser makes variants: copies whose
// reference identifier is the source's own identifier (the output array is
// cleared first), and copies that keep the source's reference identifier.
// -1 without sources, output array or a positive count; otherwise the result
// of CopyTbsToFreeNumbers, with the system's information sound on success.
int CopyTbsKeepingUuid(const int* sources, int* copies, int count, int start, const char* name);
int CopyTbsKeepingRefUuid(const int* sources, int* copies, int count, int start, const char* name);
