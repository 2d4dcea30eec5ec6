// CDib: one device-independent bitmap read from a Windows bitmap file: the
// header block (the header and its colour table), the pixel data and a
// logical palette made from the colour table. The rules by which a file is
// read or refused are the bitmap reader's (vedrix/model/dib_reader.h); every
// refusal shows its message ("read error 1", "Invalid bitmap file" or
// "Read error 1") in a message box.
#pragma once

#include <windows.h>

#include <vedrix/framework/cobject.h>
#include <vedrix/widgets/export.h>

class VEDRIX_WIDGETS_API CDib : public CObject {
    // Creatable from its run-time class, as a stored class is; nothing stores
    // a CDib, though.
    DECLARE_DYNCREATE(CDib)

public:
    CDib() = default;
    CDib(const CDib&) = delete;
    CDib& operator=(const CDib&) = delete;
    ~CDib() override;

    // Reads a whole bitmap file from `file`, an open file positioned at its
    // start. On a failure whatever was read stays until the next Read or
    // Empty.
    BOOL Read(HANDLE file);
    // Frees the blocks that Read allocated, deletes the palette and the
    // device bitmap, and sets every member to 0.
    void Empty();
    // The number of colour table entries: the header's colours used when not
    // 0, else 2, 16 or 256 for 1, 4 or 8 bits and 0 for 16, 24 or 32 bits;
    // any other bit count leaves it unchanged.
    void SetColorEntries(int nBitCount);
    // A logical palette of the colour table's entries (those that the header
    // block holds). FALSE without colour entries.
    BOOL MakePalette();

    LPVOID m_pColorTable = nullptr;  // inside the header block, right after the header
    HBITMAP m_hBitmap = nullptr;     // a device bitmap made from this DIB by its user; owned
    LPBYTE m_pImage = nullptr;       // the pixel data
    LPBITMAPINFOHEADER m_pHeader = nullptr;  // the header block
    int m_nHeaderAlloc = 0;                  // 1 when Read allocated the header block
    int m_nImageAlloc = 0;                   // 1 when Read allocated the pixel data
    DWORD m_nImageSize = 0;                  // bytes of pixel data
    int m_nColorEntries = 0;
    HPALETTE m_hPalette = nullptr;  // owned

private:
    DWORD m_nHeaderSize = 0;  // bytes of the header block, which the palette never reads past
};
