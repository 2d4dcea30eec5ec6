// The person's hands on the headless desktop: its own input functions, which
// dispatch everything they cause before they return, and its virtual clock.
#include "hands.h"

#include <vedrix/headless/desktop.h>

namespace vedrix::automation::hands {

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

void drag(POINT from, POINT to, int button, int step) {
    headless::drag(from, to, button, step);
}

void keyDown(int vk) {
    headless::keyDown(vk);
}

void keyUp(int vk) {
    headless::keyUp(vk);
}

void clickWith(POINT screen, const std::vector<int>& keys, int button) {
    for (int vk : keys) {
        headless::keyDown(vk);
    }
    click(screen, button);
    for (auto vk = keys.rbegin(); vk != keys.rend(); ++vk) {
        headless::keyUp(*vk);
    }
}

void pressKey(int vk) {
    headless::pressKey(vk);
}

void typeChar(char c) {
    headless::typeChar(c);
}

void letTimePass(DWORD milliseconds) {
    headless::advanceTime(milliseconds);
}

void pumpMessages() {
    headless::pumpMessages();
}

void resetDesktop() {
    headless::resetDesktop();
}

std::string cursorName() {
    return headless::cursorName(headless::currentCursor());
}

}  // namespace vedrix::automation::hands
