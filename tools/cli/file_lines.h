// The line numbers of positions in a text file, as the structure readers'
// observer reports them (positions of the file read as text).
#pragma once

#include <ios>
#include <istream>
#include <string>
#include <vector>

namespace vedrix::cli {

class FileLines {
public:
    // Takes the whole text of `text` from its start; the stream is left at
    // its end.
    explicit FileLines(std::istream& text);

    // The line (from 1) of the first character at or after `position` that
    // is not white space: a reader that skips blank lines and indentation
    // before a line reports the position where it began to skip. A position
    // with only white space after it gives its own line; -1 gives 0.
    int lineOf(std::streamoff position) const;

private:
    std::string m_text;
    std::vector<std::size_t> m_lineStarts;
};

}  // namespace vedrix::cli
