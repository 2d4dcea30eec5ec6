// The drawing files this process wrote, and the header record it last gave
// each of them, while they stay as it left them.
//
// A file made where no file was, written without a flush, holds nothing of
// the person's until its header is completed: nothing refers to it yet, so
// completing its header may write the record in place instead of saving the
// whole file again with a flush. That holds for the first header written
// into it only; whoever makes the file part of the person's data (a
// confirmed structure naming it) flushes it then.
//
// Where the kernel reports changes to the files (file_watch.h), the record
// that a host call (host_call.h) last wrote is also handed back to a reading
// of the header, which then costs no file access: the host knows what its
// calls have just written. What is written outside host calls (a sample
// project, a test's files) is read from the file. A file
// counts as left as it was until a change of it is reported; elsewhere (the
// Windows build) by its stamp (file_cache.h), and there a header is always
// read from the file.
#pragma once

#include <string>

namespace vedrix::hostsim {

// Notes the file at `path`, just made where no file was, with the header
// record (ZEL_TB_RECORD_SIZE bytes) written into it.
void NoteNewFile(const std::string& path, const char* record);

// Whether the file at `path` is a noted new file, still as it was left,
// whose header may be completed in place. It may be so once: a caller that
// then writes the header notes it with NoteWrittenHeader.
bool TakeNewFile(const std::string& path);

// Notes the header record just written into the file at `path`.
void NoteWrittenHeader(const std::string& path, const char* record);

// Forgets what was noted of the file at `path`, which is going away.
void ForgetFile(const std::string& path);

// The header record this process last wrote into the file at `path`, into
// `record`, while the file is as it was left; false when there is none to
// be trusted, and the file must be read.
bool KnownHeader(const std::string& path, char* record);

}  // namespace vedrix::hostsim
