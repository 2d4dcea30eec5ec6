// Where the project's drawing files lie, as the application knows it.
//
// The tree filling checks that each drawing-file entry's file exists. Which
// directory holds the files depends on the dialog that is running (the
// facility-management browser's project directory, else the list browser's),
// and that is the application's knowledge, not the model's. The application
// hands the model a function that answers the question; the model asks it
// each time it needs the directory.
#pragma once

#include <vedrix/framework/cstring.h>
#include <vedrix/model/export.h>

namespace vedrix::model {

// Gives the directory of the drawing files; empty when there is none.
using DrawingFileDirectorySource = CString (*)();

// Installs the source the model asks from now on; null removes it.
VEDRIX_MODEL_API void setDrawingFileDirectorySource(DrawingFileDirectorySource source);

// What the installed source gives; empty without a source.
VEDRIX_MODEL_API CString drawingFileDirectory();

}  // namespace vedrix::model
