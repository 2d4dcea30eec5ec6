// The person's mouse, keyboard and clock, through the platform's hands (hands.h).
#include <vedrix/automation/input.h>

#include "hands.h"

#include <algorithm>
#include <string>
#include <utility>

namespace vedrix::automation {

namespace {

std::string pointText(POINT p) {
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

int buttonNumber(Button button) {
    return static_cast<int>(button);
}

}  // namespace

Place::Place(POINT screen)
    : resolve_([screen] { return screen; }), description_(pointText(screen)) {}

Place::Place(std::function<POINT()> resolve, std::string description)
    : resolve_(std::move(resolve)), description_(std::move(description)) {}

POINT Place::point() const {
    if (!resolve_) {
        throw AutomationError("no place to aim at");
    }
    return resolve_();
}

Place Place::offset(int dx, int dy) const {
    Place base = *this;
    return Place(
        [base, dx, dy] {
            POINT p = base.point();
            return POINT{p.x + dx, p.y + dy};
        },
        description_ + " moved by " + pointText(POINT{dx, dy}));
}

void moveTo(const Place& place) {
    hands::moveMouse(place.point());
}

void glideTo(const Place& place, int step) {
    step = std::max(1, step);
    POINT to = place.point();
    POINT p = hands::cursorPosition();
    auto approach = [step](LONG a, LONG b) {
        return a < b ? std::min(b, a + step) : std::max(b, a - step);
    };
    while (p.x != to.x || p.y != to.y) {
        p.x = approach(p.x, to.x);
        p.y = approach(p.y, to.y);
        hands::moveMouse(p);
        // The cursor may be held back (ClipCursor); stop where it stays.
        POINT now = hands::cursorPosition();
        if (now.x != p.x || now.y != p.y) {
            break;
        }
    }
}

void click(const Place& place, Button button) {
    hands::click(place.point(), buttonNumber(button));
}

void doubleClick(const Place& place, Button button) {
    hands::doubleClick(place.point(), buttonNumber(button));
}

void rightClick(const Place& place) {
    click(place, Button::Right);
}

void clickWith(const Place& place, std::initializer_list<int> keys, Button button) {
    hands::clickWith(place.point(), std::vector<int>(keys), buttonNumber(button));
}

void drag(const Place& from, const Place& to, Button button, int step) {
    hands::drag(from.point(), to.point(), buttonNumber(button), step);
}

POINT centerOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void pressButton(Button button) {
    hands::pressButton(buttonNumber(button));
}

void releaseButton(Button button) {
    hands::releaseButton(buttonNumber(button));
}

POINT cursorPosition() {
    return hands::cursorPosition();
}

void pressKey(int vk) {
    hands::pressKey(vk);
}

void pressKeys(std::initializer_list<int> chord) {
    if (chord.size() == 0) {
        return;
    }
    HeldKeys held(std::vector<int>(chord.begin(), chord.end() - 1));
    hands::pressKey(*(chord.end() - 1));
}

void type(std::string_view text) {
    for (char c : text) {
        hands::typeChar(c);
    }
}

void keyDown(int vk) {
    hands::keyDown(vk);
}

void keyUp(int vk) {
    hands::keyUp(vk);
}

HeldKeys::HeldKeys(std::initializer_list<int> keys) : HeldKeys(std::vector<int>(keys)) {}

HeldKeys::HeldKeys(const std::vector<int>& keys) {
    for (int vk : keys) {
        hands::keyDown(vk);
        keys_.push_back(vk);
    }
}

HeldKeys::~HeldKeys() {
    try {
        release();
    } catch (...) {
        // A window procedure threw while a key came up; the key is up anyway.
    }
}

void HeldKeys::release() {
    while (!keys_.empty()) {
        int vk = keys_.back();
        keys_.pop_back();
        hands::keyUp(vk);
    }
}

void wait(DWORD milliseconds) {
    hands::letTimePass(milliseconds);
}

void waitPastDoubleClickTime() {
    hands::letTimePass(GetDoubleClickTime());
}

std::string cursorName() {
    return hands::cursorName();
}

void pumpMessages() {
    hands::pumpMessages();
}

HWND windowAt(POINT screen) {
    return WindowFromPoint(screen);
}

}  // namespace vedrix::automation
