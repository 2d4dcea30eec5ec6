// The person in front of the screen: scripts that run inside modal dialogs,
// answers for message boxes and popup menus, and what the person saw.
//
// Scripts
// - A modal loop (DialogBoxParamA and friends) calls the desktop's modal hook
//   once, when its queue first runs empty. The Person installs that hook and
//   runs the script registered for the dialog's template there, with a Dialog
//   handle. onDialog() scripts run once each, in the order registered (so
//   several openings of one template get one script each); an onEveryDialog()
//   script runs each time no onDialog() script is left. A script for
//   anyTemplate serves dialogs for which no template-specific script is
//   waiting.
// - Everything a script does happens inside the loop: a click that opens a
//   message box gets the answer queued with answerNextMessageBox(); a click
//   that opens another modal dialog runs that dialog's own loop, and its
//   script, before the click returns.
// - A script that returns without closing its dialog (and a dialog without a
//   script) does not hang the test: the loop then sends the dialog
//   WM_COMMAND IDCANCEL and, if it still runs, ends it with IDCANCEL.
// - A script that throws (AutomationError: a control or item that is not
//   there) stops there; the message is kept in scriptErrors() and the dialog
//   is cancelled as above. Exceptions never travel through the platform's or
//   the program's frames.
//
// Records
// - Message boxes (text, caption, style, owner, answer), menus shown (items,
//   owner, position, command chosen), beeps, help calls: those since the last
//   reset (<vedrix/automation/records.h> says which fields a real screen
//   shows; beeps and help calls are recorded headless only).
//
// On Windows the modal loops are found by a thread timer and the thread's
// message filter (MSGF_DIALOGBOX, MSGF_MENU), a dialog's template by the
// dialog resources of the module that created it, and message boxes and menus
// are read from their windows and answered with the mouse.
// - visits(): every modal dialog that went idle, in order, with whether a
//   script ran for it.
//
// Only one Person is active at a time (the modal hook is one): the one
// constructed last, until it is destroyed.
#pragma once

#include <vedrix/automation/dialog.h>
#include <vedrix/automation/export.h>

#include <vedrix/automation/records.h>

#include <windows.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vedrix::automation {

using Script = std::function<void(Dialog&)>;

// Registers a script for every template that has none waiting.
inline constexpr int anyTemplate = -1;

struct DialogVisit {
    int templateId = 0;
    std::string caption;
    HWND dialog = nullptr;
    int depth = 0;  // 1 for the outermost modal loop, 2 for a dialog opened from it...
    bool scripted = false;
};

class VEDRIX_AUTOMATION_API Person {
public:
    // Installs the modal hook. The desktop is left as it is.
    Person();
    // Removes the hook if it is still this person's.
    ~Person();
    Person(const Person&) = delete;
    Person& operator=(const Person&) = delete;

    // The script for the next time a dialog of this template goes idle.
    Person& onDialog(int templateId, Script script);
    // The script for every time no onDialog() script is waiting.
    Person& onEveryDialog(int templateId, Script script);
    // onDialog() scripts not run yet, and their templates (in order).
    std::size_t pendingScripts() const;
    std::vector<int> pendingTemplates() const;
    // Forgets the scripts (waiting and every-time ones).
    void clearScripts();

    // Queues the answer of the next message box (IDYES, IDNO, IDOK...).
    void answerNextMessageBox(int answer);
    // Queues the command chosen in the next popup menu; 0 dismisses it.
    void chooseNextMenuCommand(UINT command);
    void dismissNextMenu() { chooseNextMenuCommand(0); }

    std::vector<MessageBoxRecord> messageBoxes() const;
    std::vector<MenuRecord> menus() const;
    std::vector<UINT> beeps() const;
    std::vector<HelpCall> helpCalls() const;
    const std::vector<DialogVisit>& visits() const { return visits_; }
    // The template numbers of visits(), in order.
    std::vector<int> dialogsSeen() const;
    const std::vector<std::string>& scriptErrors() const { return errors_; }

    // Clears the desktop's records and queued answers and this person's
    // visits and errors; windows and scripts stay.
    void clearRecords();
    // Puts everything back to the start: the whole desktop (every window,
    // queue, timer, key, record, the clock headless), the
    // scripts, visits and errors; the hook is installed again.
    void reset();

    // The active person (null when none).
    static Person* active();

private:
    struct Scripts {
        std::deque<Script> once;
        Script every;
    };

    void install();
    void onIdle(HWND dialog, int templateId);
    Script take(int templateId);

    std::map<int, Scripts> scripts_;
    std::deque<int> onceOrder_;
    std::vector<DialogVisit> visits_;
    std::vector<std::string> errors_;
    Person* previous_ = nullptr;
};

}  // namespace vedrix::automation
