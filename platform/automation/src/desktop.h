// The screen the person acts on: one interface, one implementation per
// platform (desktop_headless.cpp over the headless desktop, desktop_win32.cpp
// and modal_win32.cpp over a real one), chosen by the build. Everything else
// in the automation layer acts through these functions and the public window
// messages only.
//
// Every input call returns once the program has reacted: everything the
// input queued (and everything that followed from it) has been dispatched.
#pragma once

#include <vedrix/automation/records.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vedrix::automation::desktop {

// Mouse buttons as numbered by automation::Button (left 0, right 1, middle 2).
POINT cursorPosition();
void moveMouse(POINT screen);
void pressButton(int button);
void releaseButton(int button);
// Moves there, presses and releases; the next press never makes it a double click.
void click(POINT screen, int button);
void doubleClick(POINT screen, int button);

void keyDown(int vk);
void keyUp(int vk);
void pressKey(int vk);
void typeChar(char c);

// Dispatches everything queued, through IsDialogMessageA for dialogs.
void pumpMessages();
// Lets time pass: the virtual clock headless, real time (with the messages
// that arrive meanwhile dispatched) on a real screen.
void advanceTime(DWORD milliseconds);

// The cursor shape: "IDC_ARROW", "IDC_NO"..., "#<id>" for a module's cursor.
std::string cursorName();
DragImageState dragImage();

// Called once for each modal dialog when its loop first has nothing to do
// (the person's turn). An empty function removes it.
using ModalHook = std::function<void(HWND dialog, int templateId)>;
void setModalHook(ModalHook hook);
// How many modal dialog loops run now.
int modalDepth();

void queueMessageBoxAnswer(int answer);
std::vector<MessageBoxRecord> messageBoxes();
void queueMenuAnswer(UINT command);
std::vector<MenuRecord> menus();
std::vector<UINT> beeps();
std::vector<HelpCall> helpCalls();
// Forgets the records and the queued answers.
void resetRecords();
// Puts the desktop back to its start (windows, queue, timers, keys, records,
// the hook; the clock headless).
void resetDesktop();

}  // namespace vedrix::automation::desktop
