// What the person sees and answers on the screen, beside the hands of
// hands.h: the person's turn inside modal loops, message boxes and popup
// menus with their answers, the records of what was shown, and the drag
// image. One interface, one implementation per platform (screen_headless.cpp
// over the headless desktop, screen_windows.cpp over a real one), chosen by
// the build.
#pragma once

#include <vedrix/automation/png.h>
#include <vedrix/automation/records.h>

#include <windows.h>

#include <functional>
#include <vector>

namespace vedrix::automation::screen {

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
// Forgets everything seen since the start: records, answers and the dialogs
// that had their turn (after hands::resetDesktop()).
void forget();

DragImageState dragImage();

// The pixels of a window as the screen shows it, frame included; empty when
// the screen keeps none (headless) or the window is gone.
Picture windowPicture(HWND window);

}  // namespace vedrix::automation::screen
