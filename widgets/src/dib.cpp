#include <vedrix/framework/winapp.h>
#include <vedrix/model/dib_file_source.h>
#include <vedrix/model/dib_reader.h>
#include <vedrix/widgets/dib.h>

#include <cstring>
#include <vector>

using vedrix::model::DibBlocks;
using vedrix::model::DibProblem;

IMPLEMENT_DYNCREATE(CDib, CObject)

CDib::~CDib() {
    Empty();
}

BOOL CDib::Read(HANDLE file) {
    Empty();
    vedrix::model::DibFileSource source(file);
    DibBlocks blocks;
    const DibProblem problem = vedrix::model::readDib(source, blocks);
    if (blocks.header != nullptr) {
        m_pHeader = reinterpret_cast<LPBITMAPINFOHEADER>(blocks.header);
        m_nHeaderSize = blocks.headerSize;
        m_nHeaderAlloc = 1;
        m_nImageAlloc = 1;
    }
    m_pImage = blocks.image;
    m_nImageSize = blocks.imageSize;
    if (problem != DibProblem::None) {
        AfxMessageBox(vedrix::model::dibProblemMessage(problem));
        return FALSE;
    }
    m_pColorTable = blocks.header + blocks.colorTableOffset;
    SetColorEntries(m_pHeader->biBitCount);
    MakePalette();
    return TRUE;
}

void CDib::Empty() {
    if (m_nHeaderAlloc == 1) {
        vedrix::model::freeDibBlock(reinterpret_cast<std::uint8_t*>(m_pHeader));
    }
    if (m_nImageAlloc == 1) {
        vedrix::model::freeDibBlock(m_pImage);
    }
    if (m_hPalette != nullptr) {
        DeleteObject(m_hPalette);
    }
    if (m_hBitmap != nullptr) {
        DeleteObject(m_hBitmap);
    }
    m_pColorTable = nullptr;
    m_hBitmap = nullptr;
    m_pImage = nullptr;
    m_pHeader = nullptr;
    m_nHeaderAlloc = 0;
    m_nImageAlloc = 0;
    m_nImageSize = 0;
    m_nColorEntries = 0;
    m_hPalette = nullptr;
    m_nHeaderSize = 0;
}

void CDib::SetColorEntries(int nBitCount) {
    const DWORD colorsUsed = m_pHeader != nullptr ? m_pHeader->biClrUsed : 0;
    const int entries = nBitCount < 0 ? -1
                                      : vedrix::model::dibColorEntries(
                                            static_cast<unsigned>(nBitCount), colorsUsed);
    if (entries >= 0) {
        m_nColorEntries = entries;
    }
}

BOOL CDib::MakePalette() {
    if (m_nColorEntries <= 0 || m_pColorTable == nullptr) {
        return FALSE;
    }
    if (m_hPalette != nullptr) {
        DeleteObject(m_hPalette);
        m_hPalette = nullptr;
    }
    // Only the entries that lie in the header block, and only as many as a
    // palette counts.
    const auto* table = static_cast<const BYTE*>(m_pColorTable);
    const std::size_t offset =
        static_cast<std::size_t>(table - reinterpret_cast<const BYTE*>(m_pHeader));
    std::size_t count = static_cast<std::size_t>(m_nColorEntries);
    const std::size_t held =
        offset < m_nHeaderSize ? (m_nHeaderSize - offset) / sizeof(RGBQUAD) : 0;
    if (count > held) {
        count = held;
    }
    if (count > 0xFFFF) {
        count = 0xFFFF;
    }
    if (count == 0) {
        return FALSE;
    }
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + (count - 1) * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (std::size_t i = 0; i < count; ++i) {
        RGBQUAD quad;
        std::memcpy(&quad, table + i * sizeof(RGBQUAD), sizeof quad);
        palette->palPalEntry[i].peRed = quad.rgbRed;
        palette->palPalEntry[i].peGreen = quad.rgbGreen;
        palette->palPalEntry[i].peBlue = quad.rgbBlue;
        palette->palPalEntry[i].peFlags = 0;
    }
    m_hPalette = CreatePalette(palette);
    return m_hPalette != nullptr ? TRUE : FALSE;
}
