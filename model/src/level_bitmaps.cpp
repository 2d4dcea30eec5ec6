// Zel_GM_Root::readBitmap: the level definitions' bitmaps as the images of a
// dialog's tree.
#include <vedrix/framework/ui.h>
#include <vedrix/model/dib_file_source.h>
#include <vedrix/model/dib_reader.h>
#include <vedrix/model/item_data.h>
#include <vedrix/model/root.h>

#include <zelkar/reg.h>

namespace {

using vedrix::model::DibBlocks;
using vedrix::model::DibFileSource;
using vedrix::model::DibProblem;

constexpr UINT kCheckedMaskBitmap = 105;
constexpr COLORREF kTransparentColor = RGB(255, 255, 255);
// Results of one definition.
constexpr int kLoaded = 0;
constexpr int kNotFound = 1;
constexpr int kUnreadable = 2;
// Level numbers that have both an unchecked and a checked slot.
constexpr int kLowestSlotLevel = 0;
constexpr int kHighestSlotLevel = 10;

// The blocks of one read, freed when it goes.
struct ReadBlocks {
    DibBlocks blocks;
    ReadBlocks() = default;
    ReadBlocks(const ReadBlocks&) = delete;
    ReadBlocks& operator=(const ReadBlocks&) = delete;
    ~ReadBlocks() {
        vedrix::model::freeDibBlock(blocks.header);
        vedrix::model::freeDibBlock(blocks.image);
    }
};

class OwnedFileHandle {
public:
    explicit OwnedFileHandle(HANDLE handle) : m_handle(handle) {}
    OwnedFileHandle(const OwnedFileHandle&) = delete;
    OwnedFileHandle& operator=(const OwnedFileHandle&) = delete;
    ~OwnedFileHandle() {
        if (isOpen()) {
            CloseHandle(m_handle);
        }
    }
    bool isOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE handle() const { return m_handle; }

private:
    HANDLE m_handle;
};

// Opens the definition's bitmap: the path it names (its directory ends in a
// separator of its own), else the same file in the host's "ETC" folder.
// `tried` is the last path tried.
HANDLE openLevelBitmap(const Zel_GM_LevelDefinition& definition, CString& tried) {
    tried = CString(definition.bitmapDir.getText()) + definition.bitmapFile.getText();
    HANDLE file = vedrix::model::openBitmapFile(tried);
    if (file != INVALID_HANDLE_VALUE) {
        return file;
    }
    const char* etc = ZSYST_GetTectoraFolderByTag("ETC");
    if (etc == nullptr) {
        return INVALID_HANDLE_VALUE;
    }
    tried = CString(etc) + "\\" + definition.bitmapFile.getText();
    return vedrix::model::openBitmapFile(tried);
}

// Reads the open bitmap file and adds it to the list twice: with white as
// the transparent colour into slot n, with the mask into slot n + 11.
int addLevelImages(HANDLE file, CClientDC* dc, CImageList* imageList, CBitmap& mask, int levelNr,
                   int* images) {
    ReadBlocks read;
    DibFileSource source(file);
    if (vedrix::model::readDib(source, read.blocks) != DibProblem::None) {
        return kUnreadable;
    }
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(read.blocks.header);
    CBitmap bitmap;
    bitmap.Attach(CreateDIBitmap(
        dc != nullptr ? dc->GetSafeHdc() : nullptr, header, CBM_INIT, read.blocks.image,
        reinterpret_cast<const BITMAPINFO*>(read.blocks.header), DIB_RGB_COLORS));
    // A bitmap that the platform cannot turn into a device bitmap, or that
    // the list does not take, counts as unreadable, so that the level keeps
    // the caller's images rather than none.
    if (bitmap.GetSafeHandle() == nullptr) {
        return kUnreadable;
    }
    const int normal = imageList->Add(&bitmap, kTransparentColor);
    if (normal < 0) {
        return kUnreadable;
    }
    const int checked = imageList->Add(&bitmap, &mask);
    images[levelNr] = normal;
    images[levelNr + kImageSlotChecked] = checked >= 0 ? checked : normal;
    return kLoaded;
}

}  // namespace

int Zel_GM_Root::readBitmap(CClientDC* dc, CImageList* imageList, int* images) {
    if (imageList == nullptr || images == nullptr) {
        return kLoaded;
    }
    CBitmap mask;
    mask.LoadBitmap(kCheckedMaskBitmap);
    int result = kLoaded;
    for (const auto& node : m_definitions) {
        const Zel_GM_LevelDefinition& definition = *node.value;
        const int n = definition.levelNr;
        // A level number outside 0 to 10 has no slots in the table: nothing
        // is loaded for it.
        if (n < kLowestSlotLevel || n > kHighestSlotLevel) {
            continue;
        }
        result = kLoaded;
        CString path;
        OwnedFileHandle file(openLevelBitmap(definition, path));
        if (!file.isOpen()) {
            AfxMessageBox("Bitmap <" + path + "> not found !");
            result = kNotFound;
        } else if (addLevelImages(file.handle(), dc, imageList, mask, n, images) != kLoaded) {
            AfxMessageBox("Bitmapfile <" + path + "> empty or not accessible !");
            result = kUnreadable;
        }
        if (result != kLoaded) {
            images[n] = n;
            images[n + kImageSlotChecked] = n + kImageSlotChecked;
        }
    }
    return result;
}
