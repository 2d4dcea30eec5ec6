// What the person sees and answers, over the headless desktop: every call
// goes to <vedrix/headless/desktop.h> and <vedrix/headless/drawing.h>, whose
// records are copied into the automation layer's own.
#include "screen.h"

#include <vedrix/headless/desktop.h>
#include <vedrix/headless/drawing.h>

#include <utility>
#include <vector>

namespace vedrix::automation::screen {

DragImageState dragImage() {
    headless::DragImageState h = headless::dragImageState();
    DragImageState d;
    d.dragging = h.dragging;
    d.locked = h.locked;
    d.shown = h.shown;
    d.lockWindow = h.lockWindow;
    d.imageList = h.imageList;
    d.sourceList = h.sourceList;
    d.sourceImage = h.sourceImage;
    d.imageSize = h.imageSize;
    d.hotspot = h.hotspot;
    d.position = h.position;
    d.screenPosition = h.screenPosition;
    d.screenRect = h.screenRect;
    d.cursorImage = h.cursorImage;
    return d;
}

void setModalHook(ModalHook hook) {
    headless::setModalHook(std::move(hook));
}

int modalDepth() {
    return static_cast<int>(headless::modalDialogs().size());
}

void queueMessageBoxAnswer(int answer) {
    headless::queueMessageBoxAnswer(answer);
}

std::vector<MessageBoxRecord> messageBoxes() {
    std::vector<MessageBoxRecord> out;
    for (const headless::MessageBoxRecord& h : headless::messageBoxes()) {
        out.push_back({h.text, h.caption, h.style, h.owner, h.answer});
    }
    return out;
}

void queueMenuAnswer(UINT command) {
    headless::queueMenuAnswer(command);
}

std::vector<MenuRecord> menus() {
    std::vector<MenuRecord> out;
    for (const headless::MenuRecord& h : headless::menus()) {
        MenuRecord m;
        m.items = h.items;
        for (const headless::MenuItemRecord& e : h.entries) {
            m.entries.push_back({e.text, e.id, e.state});
        }
        m.position = h.position;
        m.owner = h.owner;
        m.flags = h.flags;
        m.chosen = h.chosen;
        out.push_back(std::move(m));
    }
    return out;
}

std::vector<UINT> beeps() {
    return headless::beeps();
}

std::vector<HelpCall> helpCalls() {
    std::vector<HelpCall> out;
    for (const headless::HelpCall& h : headless::helpCalls()) {
        out.push_back({h.window, h.file, h.command, h.data});
    }
    return out;
}

void resetRecords() {
    headless::resetRecords();
}

void forget() {
    // The headless desktop's reset has forgotten everything already.
    headless::resetRecords();
}

// The headless desktop records what is drawn (<vedrix/headless/drawing.h>)
// and keeps no pixels to take a picture of.
Picture windowPicture(HWND) {
    return {};
}

}  // namespace vedrix::automation::screen
