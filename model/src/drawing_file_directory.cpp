#include <vedrix/model/drawing_file_directory.h>

namespace vedrix::model {

namespace {

// Everything runs on the host's user-interface thread: one slot serves all.
DrawingFileDirectorySource g_source = nullptr;

}  // namespace

void setDrawingFileDirectorySource(DrawingFileDirectorySource source) {
    g_source = source;
}

CString drawingFileDirectory() {
    // Nothing may leave an exported function by exception: a source that
    // fails gives no directory.
    try {
        return g_source != nullptr ? g_source() : CString();
    } catch (...) {
        return CString();
    }
}

}  // namespace vedrix::model
