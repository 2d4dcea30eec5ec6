// The steps of a session, each done with the person's mouse and keyboard on
// the dialog's own controls: what the dialog then does (and refuses) is what
// it does for a person at the screen.
#include "session_steps.h"

#include <string>
#include <vector>

namespace vedrix::cli {
namespace {

using automation::Control;
using automation::Dialog;
using automation::ListRow;
using automation::ListView;
using automation::Place;
using automation::TreeItem;
using automation::TreeView;

// A control the person is about to use; a disabled one takes no input.
void requireEnabled(const Control& control, const std::string& what) {
    if (!control.isEnabled()) {
        throw StepError(what + " is disabled");
    }
}

TreeView treeOf(const SessionDialog& layout, const Dialog& dialog) {
    if (layout.tree == 0) {
        throw StepError(std::string("the ") + layout.name + " has no structure tree");
    }
    TreeView tree = dialog.tree(layout.tree);
    requireEnabled(tree, "the structure tree");
    return tree;
}

ListView listOf(const Dialog& dialog, int id, const char* what, const char* dialogName) {
    if (id == 0) {
        throw StepError(std::string("the ") + dialogName + " has no " + what);
    }
    ListView list = dialog.list(id);
    requireEnabled(list, std::string("the ") + what);
    return list;
}

TreeItem treeItem(const SessionDialog& layout, const Dialog& dialog, const ItemRef& ref) {
    return treeOf(layout, dialog).item(ref.labels);
}

// A place to aim at: a tree item, a row of one of the lists, or the free
// drawing-file list itself.
Place placeOf(const SessionDialog& layout, const Dialog& dialog, const ItemRef& ref) {
    switch (ref.kind) {
        case ItemRef::Kind::TreePath:
            return treeItem(layout, dialog, ref);
        case ItemRef::Kind::FreeFile:
            return listOf(dialog, layout.freeFiles, "list of free drawing files", layout.name)
                .row(ref.labels.at(0));
        case ItemRef::Kind::FreeFiles:
            return listOf(dialog, layout.freeFiles, "list of free drawing files", layout.name);
        case ItemRef::Kind::LevelType:
            return listOf(dialog, layout.palette, "palette of level types", layout.name)
                .row(ref.labels.at(0));
    }
    throw StepError("nothing to aim at");
}

void select(const SessionDialog& layout, const Dialog& dialog, const Step& step) {
    const ItemRef& first = step.targets.at(0);
    if (first.kind == ItemRef::Kind::FreeFile) {
        ListView files =
            listOf(dialog, layout.freeFiles, "list of free drawing files", layout.name);
        files.row(first.labels.at(0)).click();
        for (std::size_t i = 1; i < step.targets.size(); ++i) {
            files.row(step.targets[i].labels.at(0)).ctrlClick();
        }
        return;
    }
    if (layout.items != 0) {
        // A dialog that lists its items instead of a tree: a row by its text.
        if (first.labels.size() != 1) {
            throw StepError(std::string("the ") + layout.name +
                            " lists its items by one label, not by a path");
        }
        listOf(dialog, layout.items, "list of items", layout.name).row(first.labels[0]).click();
        return;
    }
    treeItem(layout, dialog, first).click();
}

void setCheck(const SessionDialog& layout, const Dialog& dialog, const Step& step, bool checked) {
    const TreeItem item = treeItem(layout, dialog, step.targets.at(0));
    if (item.stateImage() == 0) {
        throw StepError(step.targets[0].spelled + " has no check box");
    }
    if (item.isChecked() != checked) {
        item.clickStateIcon();
    }
    if (item.isChecked() != checked) {
        throw StepError(step.targets[0].spelled + " stays " + (checked ? "unchecked" : "checked"));
    }
}

// Presses on `from`, moves onto `to` and lets go there; when the dialog
// shows that it refuses the drop there (the "no" cursor), the person lets go
// with Escape held instead and the step cannot be done.
void dragOnto(const SessionDialog& layout, const Dialog& dialog, const ItemRef& from,
              const ItemRef& to) {
    const Place source = placeOf(layout, dialog, from);
    const Place target = placeOf(layout, dialog, to);
    automation::Drag drag(source);
    const automation::DragHover over = drag.moveTo(target);
    if (over.cursor == "IDC_NO") {
        drag.cancelWithEscape();
        throw StepError("the dialog refuses to drop " + from.spelled + " onto " + to.spelled);
    }
    drag.drop();
}

void add(const SessionDialog& layout, const Dialog& dialog, const Step& step) {
    dragOnto(layout, dialog, step.targets.at(0), step.targets.at(1));
    const TreeView tree = treeOf(layout, dialog);
    if (!tree.isEditingLabel()) {
        if (step.text) {
            throw StepError("the new level's name cannot be edited");
        }
        return;
    }
    if (step.text) {
        tree.typeIntoLabelEdit(*step.text);
    }
    tree.commitLabelEdit();
}

void rename(const SessionDialog& layout, const Dialog& dialog, const Step& step) {
    const TreeItem item = treeItem(layout, dialog, step.targets.at(0));
    if (!item.beginLabelEdit().exists()) {
        throw StepError("the name of " + step.targets[0].spelled + " cannot be changed");
    }
    const TreeView tree(item.tree());
    tree.typeIntoLabelEdit(*step.text);
    tree.commitLabelEdit();
}

// The text of a button as the person reads it: without the "&" that marks
// its access key.
std::string buttonLabel(const Control& button) {
    std::string label;
    for (char c : button.text()) {
        if (c != '&') {
            label += c;
        }
    }
    return label;
}

int clickButtonLabelled(const Dialog& dialog, const std::string& wanted) {
    std::string seen;
    for (HWND child = ::GetWindow(dialog.hwnd(), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const Control control(child);
        if (control.className() != "Button" || !control.isVisible()) {
            continue;
        }
        const std::string label = buttonLabel(control);
        if (label == wanted) {
            requireEnabled(control, "the button \"" + wanted + "\"");
            control.click();
            return control.id();
        }
        seen += (seen.empty() ? "\"" : ", \"") + label + "\"";
    }
    throw StepError("no button \"" + wanted + "\" (the buttons are " +
                    (seen.empty() ? "none" : seen) + ")");
}

int clickCommand(const Dialog& dialog, int id, const char* what) {
    const Control button = dialog.control(id);
    requireEnabled(button, std::string("the command ") + what);
    button.click();
    return id;
}

}  // namespace

int doStep(const SessionDialog& layout, const Dialog& dialog, const Step& step) {
    switch (step.kind) {
        case Step::Kind::Select:
            select(layout, dialog, step);
            break;
        case Step::Kind::Check:
        case Step::Kind::Uncheck:
            setCheck(layout, dialog, step, step.kind == Step::Kind::Check);
            break;
        case Step::Kind::Expand:
            treeItem(layout, dialog, step.targets.at(0)).expand();
            break;
        case Step::Kind::Collapse:
            treeItem(layout, dialog, step.targets.at(0)).collapse();
            break;
        case Step::Kind::Drag:
            dragOnto(layout, dialog, step.targets.at(0), step.targets.at(1));
            break;
        case Step::Kind::Add:
            add(layout, dialog, step);
            break;
        case Step::Kind::Rename:
            rename(layout, dialog, step);
            break;
        case Step::Kind::Delete:
            treeItem(layout, dialog, step.targets.at(0)).click();
            dialog.pressKey(VK_DELETE);
            break;
        case Step::Kind::Button:
            return clickButtonLabelled(dialog, *step.text);
        case Step::Kind::Ok:
            return clickCommand(dialog, layout.okButton, "OK");
        case Step::Kind::Cancel:
            return clickCommand(dialog, layout.cancelButton, "Cancel");
    }
    return 0;
}

}  // namespace vedrix::cli
