// What the person saw of the things that come and go without a script:
// message boxes, popup menus, beeps, help calls and the drag image.
//
// The headless desktop records them as the program asks for them; on a real
// screen the person reads them from the windows shown (a message box's
// caption, text, buttons and icon; a menu's items as it opens). Fields that a
// screen does not show keep their defaults there, as each field says.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace vedrix::automation {

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    // MB_ flags. On a real screen: the buttons, the icon and the default
    // button as shown (MB_TASKMODAL and the other modality flags are not).
    UINT style = 0;
    HWND owner = nullptr;
    int answer = 0;
};

struct MenuItemRecord {
    std::string text;  // "" for separators
    UINT id = 0;       // command identifier; 0 for separators and popups
    UINT state = 0;    // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR, MF_POPUP...
};

struct MenuRecord {
    std::vector<std::string> items;  // item texts in order, "" for separators
    std::vector<MenuItemRecord> entries;
    // Screen coordinates given to TrackPopupMenu; on a real screen the menu
    // window's upper-left corner.
    POINT position{};
    HWND owner = nullptr;
    UINT flags = 0;   // TPM_ flags (headless only: a real screen does not show them)
    UINT chosen = 0;  // the command chosen, 0 when dismissed
};

// A WinHelp call (headless only: on a real screen the help program opens).
struct HelpCall {
    HWND window = nullptr;
    std::string file;
    UINT command = 0;
    ULONG_PTR data = 0;
};

// The image dragged with the ImageList_ drag functions. On a real screen only
// what ImageList_GetDragImage tells is known (dragging, imageList, imageSize,
// hotspot, position); the rest is headless only.
struct DragImageState {
    bool dragging = false;            // between ImageList_BeginDrag and ImageList_EndDrag
    bool locked = false;              // between ImageList_DragEnter and ImageList_DragLeave
    bool shown = false;               // the image is visible (DragEnter, DragShowNolock(TRUE))
    HWND lockWindow = nullptr;        // the window given to DragEnter (null: the desktop)
    HIMAGELIST imageList = nullptr;   // the drag image's own list (ImageList_GetDragImage)
    HIMAGELIST sourceList = nullptr;  // the list and image given to ImageList_BeginDrag
    int sourceImage = -1;
    SIZE imageSize{};          // size of the drag image
    POINT hotspot{};           // hot spot within the image
    POINT position{};          // last position given to DragEnter/DragMove, relative to the
                               // lock window's upper-left corner
    POINT screenPosition{};    // the same position in screen coordinates
    RECT screenRect{};         // where the image stands on the screen
    bool cursorImage = false;  // ImageList_SetDragCursorImage merged a cursor image in
};

}  // namespace vedrix::automation
