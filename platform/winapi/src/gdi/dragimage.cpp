// The drag image (ImageList_BeginDrag and the rest). There is one drag image
// on the desktop; its state is kept here and shown to tests and the
// automation through vedrix::headless::dragImageState(). Nothing is painted:
// the state says where the image would stand.
//
// Results in each state, where the platform leaves them open:
// - BeginDrag copies the image into a list of its own; a BeginDrag during a
//   drag ends the old drag first (its image list is destroyed).
// - DragEnter, DragMove, DragShowNolock and DragLeave fail (FALSE) when no drag
//   has begun; DragEnter also fails while a window is already locked.
// - DragMove before DragEnter only moves the (hidden) image.
// - DragLeave unlocks and hides whatever window it is given.
// - EndDrag without a drag does nothing.
// - SetDragCursorImage merges the given image into the drag image so that its
//   hot spot falls on the drag image's hot spot; the combined hot spot stays
//   on the same pixel of the drag image.
#include "gdi/imagelist.h"

#include "gdi/gdi.h"

namespace {

using vedrix::winapi::gdi::imageListOf;
using vedrix::winapi::gdi::ListImage;

struct Drag {
    bool dragging = false;
    bool locked = false;
    bool shown = false;
    HWND lockWindow = nullptr;
    HIMAGELIST list = nullptr;
    HIMAGELIST source = nullptr;
    int sourceImage = -1;
    POINT hotspot{0, 0};
    POINT position{0, 0};
    bool cursorImage = false;
};

Drag& drag() {
    static Drag d;
    return d;
}

}  // namespace

namespace vedrix::headless {

DragImageState dragImageState() {
    const Drag& d = drag();
    DragImageState s;
    s.dragging = d.dragging;
    s.locked = d.locked;
    s.shown = d.shown;
    s.lockWindow = d.lockWindow;
    s.imageList = d.list;
    s.sourceList = d.source;
    s.sourceImage = d.sourceImage;
    s.hotspot = d.hotspot;
    s.position = d.position;
    s.cursorImage = d.cursorImage;
    int cx = 0;
    int cy = 0;
    if (d.list != nullptr) {
        ImageList_GetIconSize(d.list, &cx, &cy);
    }
    s.imageSize = SIZE{cx, cy};
    POINT origin{0, 0};
    RECT wr;
    if (d.lockWindow != nullptr && GetWindowRect(d.lockWindow, &wr)) {
        origin = POINT{wr.left, wr.top};
    }
    s.screenPosition = POINT{origin.x + d.position.x, origin.y + d.position.y};
    LONG left = s.screenPosition.x - d.hotspot.x;
    LONG top = s.screenPosition.y - d.hotspot.y;
    s.screenRect = RECT{left, top, left + cx, top + cy};
    return s;
}

void resetDrawing() {
    clearDrawingRecord();
    setRecordMemoryDCs(false);
    ImageList_EndDrag();
}

}  // namespace vedrix::headless

WINCOMMCTRLAPI void WINAPI ImageList_EndDrag(void) {
    Drag& d = drag();
    if (d.list != nullptr) {
        ImageList_Destroy(d.list);
    }
    d = Drag{};
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot,
                                               int dyHotspot) {
    ListImage image;
    if (!vedrix::winapi::gdi::readListImage(himlTrack, iTrack, image)) {
        return FALSE;
    }
    ImageList_EndDrag();
    HIMAGELIST list = vedrix::winapi::gdi::listOfOne(image, imageListOf(himlTrack)->flags);
    if (list == nullptr) {
        return FALSE;
    }
    Drag& d = drag();
    d.dragging = true;
    d.list = list;
    d.source = himlTrack;
    d.sourceImage = iTrack;
    d.hotspot = POINT{dxHotspot, dyHotspot};
    return TRUE;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_DragEnter(HWND hwndLock, int x, int y) {
    Drag& d = drag();
    if (!d.dragging || d.locked) {
        return FALSE;
    }
    d.locked = true;
    d.shown = true;
    d.lockWindow = hwndLock;
    d.position = POINT{x, y};
    return TRUE;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_DragLeave(HWND /*hwndLock*/) {
    Drag& d = drag();
    if (!d.dragging) {
        return FALSE;
    }
    d.locked = false;
    d.shown = false;
    d.lockWindow = nullptr;
    return TRUE;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_DragMove(int x, int y) {
    Drag& d = drag();
    if (!d.dragging) {
        return FALSE;
    }
    d.position = POINT{x, y};
    return TRUE;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_DragShowNolock(BOOL fShow) {
    Drag& d = drag();
    if (!d.dragging) {
        return FALSE;
    }
    d.shown = fShow != FALSE;
    return TRUE;
}

WINCOMMCTRLAPI BOOL WINAPI ImageList_SetDragCursorImage(HIMAGELIST himlDrag, int iDrag,
                                                        int dxHotspot, int dyHotspot) {
    Drag& d = drag();
    ListImage cursor;
    if (!d.dragging || !vedrix::winapi::gdi::readListImage(himlDrag, iDrag, cursor)) {
        return FALSE;
    }
    int offsetX = d.hotspot.x - dxHotspot;
    int offsetY = d.hotspot.y - dyHotspot;
    HIMAGELIST merged = ImageList_Merge(d.list, 0, himlDrag, iDrag, offsetX, offsetY);
    if (merged == nullptr) {
        return FALSE;
    }
    ImageList_Destroy(d.list);
    d.list = merged;
    d.hotspot.x -= std::min(0, offsetX);
    d.hotspot.y -= std::min(0, offsetY);
    d.cursorImage = true;
    return TRUE;
}

WINCOMMCTRLAPI HIMAGELIST WINAPI ImageList_GetDragImage(POINT* ppt, POINT* pptHotspot) {
    Drag& d = drag();
    if (!d.dragging) {
        return nullptr;
    }
    if (ppt != nullptr) {
        *ppt = d.position;
    }
    if (pptHotspot != nullptr) {
        *pptHotspot = d.hotspot;
    }
    return d.list;
}
