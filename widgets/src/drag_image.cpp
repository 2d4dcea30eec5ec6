#include <vedrix/widgets/drag_image.h>

namespace vedrix::widgets {
namespace {

// The library that holds the platform's image lists: the one that defines
// ImageList_Create, which the framework's image lists are made with. Found
// from that function's address, so that it is the same library whatever
// name it goes by on the platform; the caller takes no reference.
HMODULE commonControlsLibrary() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(&ImageList_Create), &module)) {
        return nullptr;
    }
    return module;
}

template <class Function>
void take(HMODULE module, const char* name, Function& slot) {
    // Through the generic function pointer type, which converts to any other.
    auto generic = reinterpret_cast<void (*)()>(GetProcAddress(module, name));
    slot = reinterpret_cast<Function>(generic);
}

ImageListFunctions lookUp() {
    ImageListFunctions f;
    HMODULE module = commonControlsLibrary();
    if (module == nullptr) {
        return f;
    }
    take(module, "ImageList_BeginDrag", f.beginDrag);
    take(module, "ImageList_EndDrag", f.endDrag);
    take(module, "ImageList_DragEnter", f.dragEnter);
    take(module, "ImageList_DragLeave", f.dragLeave);
    take(module, "ImageList_DragMove", f.dragMove);
    take(module, "ImageList_DragShowNolock", f.dragShowNolock);
    take(module, "ImageList_Draw", f.draw);
    take(module, "ImageList_GetImageInfo", f.getImageInfo);
    return f;
}

}  // namespace

const ImageListFunctions& imageListFunctions() {
    static const ImageListFunctions functions = lookUp();
    return functions;
}

}  // namespace vedrix::widgets

using vedrix::widgets::imageListFunctions;

CDragImage::~CDragImage() {
    End();
}

bool CDragImage::Begin(CImageList* image, CPoint point) {
    End();
    if (image == nullptr) {
        return false;
    }
    m_pImage = image;
    const auto& f = imageListFunctions();
    if (f.beginDrag == nullptr || f.dragEnter == nullptr ||
        !f.beginDrag(image->GetSafeHandle(), 0, kHotSpotX, kHotSpotY)) {
        delete m_pImage;
        m_pImage = nullptr;
        return false;
    }
    f.dragEnter(GetDesktopWindow(), point.x, point.y);
    return true;
}

void CDragImage::Move(CPoint screenPoint) {
    const auto& f = imageListFunctions();
    if (m_pImage == nullptr || f.dragMove == nullptr || f.dragShowNolock == nullptr) {
        return;
    }
    f.dragMove(screenPoint.x, screenPoint.y);
    f.dragShowNolock(FALSE);
}

void CDragImage::Show() {
    const auto& f = imageListFunctions();
    if (m_pImage != nullptr && f.dragShowNolock != nullptr) {
        f.dragShowNolock(TRUE);
    }
}

void CDragImage::End() {
    if (m_pImage == nullptr) {
        return;
    }
    const auto& f = imageListFunctions();
    if (f.dragLeave != nullptr) {
        f.dragLeave(GetDesktopWindow());
    }
    if (f.endDrag != nullptr) {
        f.endDrag();
    }
    delete m_pImage;
    m_pImage = nullptr;
}
