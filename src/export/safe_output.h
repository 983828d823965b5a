// Pictures, charts and printouts reach their files only through the safe writer
// (text/atomic_file.h): drawn into memory first, then written whole, so a full disk or a
// kill never leaves a half file where a good one was.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QPrinter;

namespace tumbo::output {

// Replaces `fileName` with `bytes`. On failure the old file stays, and `error` (when given)
// holds the German message naming the file and the reason.
bool WriteBytes(const QString& fileName, const QByteArray& bytes, QString* error = nullptr);

// Runs `print` on `printer`. When the printer writes to a file, it writes to a temporary file
// beside it instead; only a complete document then replaces the file, through WriteBytes.
// The printer's output file name is the same afterwards. `print` returns false when it failed.
bool PrintSafely(QPrinter& printer, const std::function<bool()>& print, QString* error = nullptr);

}  // namespace tumbo::output
