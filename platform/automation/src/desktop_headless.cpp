// The screen the person acts on, over the headless desktop: every call goes
// to <vedrix/headless/desktop.h>, whose records are copied into the
// automation layer's own.
#include "desktop.h"

#include <vedrix/headless/desktop.h>
#include <vedrix/headless/drawing.h>

#include <utility>

namespace vedrix::automation::desktop {

POINT cursorPosition() {
    return headless::cursorPosition();
}

void moveMouse(POINT screen) {
    headless::moveMouse(screen);
}

void pressButton(int button) {
    headless::pressButton(button);
}

void releaseButton(int button) {
    headless::releaseButton(button);
}

void click(POINT screen, int button) {
    headless::click(screen, button);
}

void doubleClick(POINT screen, int button) {
    headless::doubleClick(screen, button);
}

void keyDown(int vk) {
    headless::keyDown(vk);
}

void keyUp(int vk) {
    headless::keyUp(vk);
}

void pressKey(int vk) {
    headless::pressKey(vk);
}

void typeChar(char c) {
    headless::typeChar(c);
}

void pumpMessages() {
    headless::pumpMessages();
}

void advanceTime(DWORD milliseconds) {
    headless::advanceTime(milliseconds);
}

std::string cursorName() {
    return headless::cursorName(headless::currentCursor());
}

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

void resetDesktop() {
    headless::resetDesktop();
}

}  // namespace vedrix::automation::desktop
