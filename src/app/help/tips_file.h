#pragma once
// Reading one tip from the tips file. A tip starts with a header line "[n] …" and
// runs up to a line that is exactly "#" or the end of the file.
#include <QString>

namespace tumbo::app {

struct TTipLoad {
    enum Status {
        Found,      // Text holds the tip (header line included)
        NotFound,   // no tip with the number, nor tip 1: Text is empty
        FileError,  // the file cannot be read: Text is not touched
        BadHeader,  // a header's number is not a whole number or lacks "]"
    };
    Status status = NotFound;
    QString text;       // lines joined with "\n"
    int tipNumber = 1;  // the number asked for, or 1 after wrapping around
    QString message;    // German message for FileError and BadHeader
};

// Looks for tip `tipNumber`; when the file ends first, starts again from the top
// looking for tip 1.
TTipLoad LoadTipFromFile(const QString &path, int tipNumber);

// A tip's text as the window shows it: the header line on its own, the lines after it
// joined into paragraphs (the file breaks them to fit a narrow box). An empty line ends
// a paragraph; a line that starts a list ("-", "*", "•", "1.") starts a new one.
QString ReflowTip(const QString &text);

}  // namespace tumbo::app
