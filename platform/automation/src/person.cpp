// The person: scripts run from the desktop's modal hook, queued answers and
// the records.
#include <vedrix/automation/person.h>

#include "hands.h"
#include "screen.h"
#include "util.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace vedrix::automation {

namespace {

Person*& activePerson() {
    static Person* person = nullptr;
    return person;
}

}  // namespace

Person::Person() {
    activePerson() = this;
    install();
}

Person::~Person() {
    if (activePerson() == this) {
        activePerson() = nullptr;
        screen::setModalHook(nullptr);
    }
}

Person* Person::active() {
    return activePerson();
}

void Person::install() {
    screen::setModalHook([this](HWND dialog, int templateId) { onIdle(dialog, templateId); });
}

Person& Person::onDialog(int templateId, Script script) {
    if (script) {
        scripts_[templateId].once.push_back(std::move(script));
        onceOrder_.push_back(templateId);
    }
    return *this;
}

Person& Person::onEveryDialog(int templateId, Script script) {
    scripts_[templateId].every = std::move(script);
    return *this;
}

std::size_t Person::pendingScripts() const {
    return onceOrder_.size();
}

std::vector<int> Person::pendingTemplates() const {
    return std::vector<int>(onceOrder_.begin(), onceOrder_.end());
}

void Person::clearScripts() {
    scripts_.clear();
    onceOrder_.clear();
}

Script Person::take(int templateId) {
    auto takeOnce = [this](int id) -> Script {
        auto it = scripts_.find(id);
        if (it == scripts_.end() || it->second.once.empty()) {
            return nullptr;
        }
        Script s = std::move(it->second.once.front());
        it->second.once.pop_front();
        auto order = std::find(onceOrder_.begin(), onceOrder_.end(), id);
        if (order != onceOrder_.end()) {
            onceOrder_.erase(order);
        }
        return s;
    };
    auto every = [this](int id) -> Script {
        auto it = scripts_.find(id);
        return it == scripts_.end() ? nullptr : it->second.every;
    };
    if (Script s = takeOnce(templateId)) {
        return s;
    }
    if (Script s = takeOnce(anyTemplate)) {
        return s;
    }
    if (Script s = every(templateId)) {
        return s;
    }
    return every(anyTemplate);
}

void Person::onIdle(HWND dialog, int templateId) {
    DialogVisit visit;
    visit.templateId = templateId;
    visit.caption = detail::windowText(dialog);
    visit.dialog = dialog;
    visit.depth = screen::modalDepth();
    // Taken off the queue before it runs, so that the scripts of dialogs it
    // opens (which run inside it) find the queue as it should be.
    Script script = take(templateId);
    visit.scripted = static_cast<bool>(script);
    std::string caption = visit.caption;
    visits_.push_back(std::move(visit));
    if (!script) {
        return;
    }
    Dialog handle(dialog, templateId);
    try {
        script(handle);
    } catch (const std::exception& e) {
        errors_.push_back("dialog " + std::to_string(templateId) + " " + detail::quoted(caption) +
                          ": " + e.what());
    } catch (...) {
        errors_.push_back("dialog " + std::to_string(templateId) + " " + detail::quoted(caption) +
                          ": the script threw something that is no std::exception");
    }
}

void Person::answerNextMessageBox(int answer) {
    screen::queueMessageBoxAnswer(answer);
}

void Person::chooseNextMenuCommand(UINT command) {
    screen::queueMenuAnswer(command);
}

std::vector<MessageBoxRecord> Person::messageBoxes() const {
    return screen::messageBoxes();
}

std::vector<MenuRecord> Person::menus() const {
    return screen::menus();
}

std::vector<UINT> Person::beeps() const {
    return screen::beeps();
}

std::vector<HelpCall> Person::helpCalls() const {
    return screen::helpCalls();
}

std::vector<int> Person::dialogsSeen() const {
    std::vector<int> out;
    for (const DialogVisit& v : visits_) {
        out.push_back(v.templateId);
    }
    return out;
}

void Person::clearRecords() {
    screen::resetRecords();
    visits_.clear();
    errors_.clear();
}

void Person::reset() {
    hands::resetDesktop();
    screen::forget();
    clearScripts();
    visits_.clear();
    errors_.clear();
    if (activePerson() == this) {
        install();
    }
}

void resetDesktop() {
    if (Person* p = Person::active()) {
        p->reset();
    } else {
        hands::resetDesktop();
    }
}

}  // namespace vedrix::automation
