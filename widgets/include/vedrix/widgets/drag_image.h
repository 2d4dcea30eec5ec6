// The drag image of the browsers' drags, and the image-list functions that
// the drags and the tree-list header use.
//
// The functions are taken by name ("ImageList_BeginDrag", ...) from the
// platform's common-controls library at their first use. A function that the
// library lacks stays null, and the operations that need it do nothing and
// report failure.
#pragma once

#include <windows.h>
// commctrl.h needs the base types of windows.h before it.
#include <commctrl.h>

#include <vedrix/framework/geometry.h>
#include <vedrix/framework/imagelist.h>
#include <vedrix/widgets/export.h>

namespace vedrix::widgets {

struct ImageListFunctions {
    BOOL(WINAPI* beginDrag)(HIMAGELIST, int, int, int) = nullptr;
    void(WINAPI* endDrag)() = nullptr;
    BOOL(WINAPI* dragEnter)(HWND, int, int) = nullptr;
    BOOL(WINAPI* dragLeave)(HWND) = nullptr;
    BOOL(WINAPI* dragMove)(int, int) = nullptr;
    BOOL(WINAPI* dragShowNolock)(BOOL) = nullptr;
    BOOL(WINAPI* draw)(HIMAGELIST, int, HDC, int, int, UINT) = nullptr;
    BOOL(WINAPI* getImageInfo)(HIMAGELIST, int, IMAGEINFO*) = nullptr;
};

// Looked up once, at the first call.
VEDRIX_WIDGETS_API const ImageListFunctions& imageListFunctions();

}  // namespace vedrix::widgets

// One drag's image, shown over the desktop and following the cursor. The
// object owns the image list made for the drag (CTreeCtrl::CreateDragImage,
// CListCtrl::CreateDragImage or a list of the dialog's own bitmaps).
class VEDRIX_WIDGETS_API CDragImage {
public:
    // Where the cursor holds the image.
    static constexpr int kHotSpotX = 13;
    static constexpr int kHotSpotY = 11;

    CDragImage() = default;
    CDragImage(const CDragImage&) = delete;
    CDragImage& operator=(const CDragImage&) = delete;
    // Ends a drag still running and deletes its image.
    ~CDragImage();

    // Ends and deletes a drag image left from before, takes `image`, begins
    // the drag with its image 0 at the hot spot and shows it over the
    // desktop window at `point`. False, with nothing shown, when there is no
    // image or the platform refuses it (the image is deleted then).
    bool Begin(CImageList* image, CPoint point);
    // Moves the image to `screenPoint` and hides it while the move is
    // handled; Show shows it again.
    void Move(CPoint screenPoint);
    void Show();
    // Leaves the desktop window, ends the drag and deletes the image. Does
    // nothing without a drag.
    void End();

    bool IsDragging() const { return m_pImage != nullptr; }
    CImageList* GetImage() const { return m_pImage; }

private:
    CImageList* m_pImage = nullptr;
};
