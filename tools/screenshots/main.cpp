// vedrix-screenshots: makes the demo host's calls of the module's exports
// with a person in front of the screen who, in each dialog's turn, takes a
// picture of it, saves it as a PNG file and walks away (the dialog is then
// cancelled, as the automation layer does with a dialog a script leaves
// open).
//
//   vedrix-screenshots <project directory> <level list file> <picture directory> [language]
//
// The first dialog an export opens is pictured in
// <picture directory>\<export>.png, any further one (a dialog opened from it)
// in <export>-2.png and so on. Message boxes are answered with their
// default button and not pictured. Prints each picture's path; exits with 1
// when a dialog could not be pictured or its file not written.
#include "demo_calls.h"

#include <vedrix/automation/dialog.h>
#include <vedrix/automation/person.h>
#include <vedrix/automation/png.h>

#include <cstdio>
#include <string>
#include <utility>

namespace {

using vedrix::automation::Dialog;
using vedrix::automation::Person;
using vedrix::automation::Picture;

// Names the pictures after the export whose call opened their dialog.
class PictureTaker {
public:
    explicit PictureTaker(std::string directory) : directory_(std::move(directory)) {}

    void startCall(const char* exportName) {
        exportName_ = exportName;
        inCall_ = 0;
    }

    void take(const Dialog& dialog) {
        ++inCall_;
        std::string path = directory_ + "\\" + exportName_;
        if (inCall_ > 1) {
            path += "-" + std::to_string(inCall_);
        }
        path += ".png";
        const Picture picture = dialog.picture();
        if (picture.empty()) {
            std::printf("no picture of the dialog \"%s\" (template %d)\n", dialog.caption().c_str(),
                        dialog.templateId());
            failed_ = true;
        } else if (!vedrix::automation::writePng(picture, path)) {
            std::printf("the picture of the dialog \"%s\" could not be written to %s\n",
                        dialog.caption().c_str(), path.c_str());
            failed_ = true;
        } else {
            std::printf("picture of \"%s\" (%dx%d): %s\n", dialog.caption().c_str(), picture.width,
                        picture.height, path.c_str());
        }
        std::fflush(stdout);
    }

    bool failed() const { return failed_; }

private:
    std::string directory_;
    std::string exportName_;
    int inCall_ = 0;
    bool failed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: vedrix-screenshots <project directory> <level list file> "
                     "<picture directory> [language]\n");
        return 2;
    }
    PictureTaker pictures(argv[3]);
    Person person;
    person.onEveryDialog(vedrix::automation::anyTemplate,
                         [&pictures](Dialog& dialog) { pictures.take(dialog); });
    const int result = vedrix::demohost::callEachExport(
        argv[1], argv[2], argc > 4 ? argv[4] : "en",
        [&pictures](const char* name) { pictures.startCall(name); });
    return result != 0 ? result : (pictures.failed() ? 1 : 0);
}
