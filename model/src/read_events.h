// The readers' calls of their observer (read_observer.h), each a no-op
// without one.
#pragma once

#include <ios>

#include <vedrix/model/level.h>
#include <vedrix/model/read_observer.h>

#include "stream_scanner.h"

namespace vedrix::model {

// Where the scanner stands, when there is an observer to tell it (asking the
// stream costs a call on its buffer); -1 otherwise.
inline std::streamoff observedPosition(const ReadObserver* observer, StreamScanner& sc) {
    return observer != nullptr ? std::streamoff(sc.tell()) : std::streamoff(-1);
}

// Tells the observer that `level`, read from the line at `lineStart`, is
// about to be entered below `parent`, with the level it displaces.
inline void observeLevel(ReadObserver* observer, const Zel_GM_Level& parent,
                         const Zel_GM_Level& level, std::streamoff lineStart) {
    if (observer != nullptr) {
        Zel_GM_Level* const* held = parent.GetSublevels().find(level.getID());
        observer->levelRead(parent, level, lineStart, held != nullptr ? *held : nullptr);
    }
}

// Tells the observer why the reading ends at `where` and gives `result`.
inline int stopReading(ReadObserver* observer, ReadStop why, std::streamoff where, int result) {
    if (observer != nullptr) {
        observer->stopped(why, where);
    }
    return result;
}

}  // namespace vedrix::model
