// ReadObserver: what the structure-file readers tell a caller who wants to
// know where each level came from and why a reading ended early.
//
// The readers take an observer as an optional last argument; with one or
// without, they read the same levels and return the same result. Positions
// are the stream's own (what tellg gives at the start of the line): for a
// file read as text, lines are counted by the line feeds before a position.
#pragma once

#include <cstddef>
#include <ios>

#include <vedrix/model/export.h>

class Zel_GM_Level;

namespace vedrix::model {

// Why a reader ended before the end of its part of the file.
enum class ReadStop {
    NoDataLine,         // the file ended before its "#DATA:" line
    BadHeaderLine,      // a header line too long, or a definition without a level number
    BadLine,            // a line whose numbers or fields do not read
    UnfinishedLine,     // the file ended inside a line, or a blank line stood where one was due
    LevelNotBelowRoot,  // a structure line whose level number is not above the root's
    UnknownParent,      // an entry line whose parent ID names no level
    EmptySection,       // an attribute section without lines: later sections are not read
    OutOfMemory,
};

// A short English description of the reason, for reports.
VEDRIX_MODEL_API const char* readStopText(ReadStop why);

// A text of a line that the model keeps only in part.
enum class CutText {
    LevelName,       // kept to its first 254 characters
    Uuid,            // kept to its first 99 characters, or up to a zero byte
    AttributeName,   // kept to its first 254 characters
    AttributeValue,  // kept to its first 254 characters
};

class VEDRIX_MODEL_API ReadObserver {
public:
    virtual ~ReadObserver();

    // A "#DEFINED_LEVEL:" line defined level number `levelNr` (replacing an
    // earlier definition of that number, if any).
    virtual void definitionRead(int levelNr, std::streamoff lineStart) = 0;
    // A structure or entry line made `level`, about to be entered below
    // `parent`. `replaced` is the level that holds the same ID below
    // `parent` and is destroyed with its sublevels when `level` takes its
    // place; null when there is none.
    virtual void levelRead(const Zel_GM_Level& parent, const Zel_GM_Level& level,
                           std::streamoff lineStart, const Zel_GM_Level* replaced) = 0;
    // `level`, made from the line at `lineStart` or holding the attribute
    // read from it, keeps `text` shorter than the line's `length`
    // characters of it.
    virtual void textCut(const Zel_GM_Level& level, CutText text, std::size_t length,
                         std::streamoff lineStart) = 0;
    // An attribute line that names `levelID` was given to `holder` (the
    // reading level itself when no level below it has that ID).
    virtual void attributeRead(const Zel_GM_Level& holder, unsigned long levelID,
                               std::streamoff lineStart) = 0;
    // The reading ended early at the line starting at `where`.
    virtual void stopped(ReadStop why, std::streamoff where) = 0;
};

}  // namespace vedrix::model
