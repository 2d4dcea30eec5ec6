#include <vedrix/model/read_observer.h>

namespace vedrix::model {

ReadObserver::~ReadObserver() = default;

const char* readStopText(ReadStop why) {
    switch (why) {
        case ReadStop::NoDataLine:
            return "the file ends before its #DATA: line";
        case ReadStop::BadHeaderLine:
            return "a header line that is too long or has no level number";
        case ReadStop::BadLine:
            return "a line whose numbers or fields do not read";
        case ReadStop::UnfinishedLine:
            return "the file ends inside a line, or a blank line stands where a line is due";
        case ReadStop::LevelNotBelowRoot:
            return "a level number that is not above the root's";
        case ReadStop::UnknownParent:
            return "the parent ID names no level";
        case ReadStop::EmptySection:
            return "an attribute section without lines";
        case ReadStop::OutOfMemory:
            return "out of memory";
    }
    return "unknown";
}

}  // namespace vedrix::model
