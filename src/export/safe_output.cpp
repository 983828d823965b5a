#include "export/safe_output.h"

#include <QFile>
#include <QPrinter>
#include <cstdio>
#include <string>

#include "text/atomic_file.h"
#include "text/cp1252.h"
#include "text/text_file.h"

namespace tumbo::output {
namespace {

bool Fail(QString* error, const std::string& cp1252) {
  if (error) *error = QString::fromStdString(tumbo::text::Cp1252ToUtf8(cp1252));
  return false;
}

std::string NativeName(const QString& fileName) { return QFile::encodeName(fileName).toStdString(); }

// A PDF that was cut short (a full disk under the printer's own writing) lacks its end mark.
bool IsCompletePdf(const std::string& bytes) {
  const size_t end = bytes.find_last_not_of(" \r\n\t");
  return end != std::string::npos && bytes.compare(0, 5, "%PDF-") == 0 && end >= 4 &&
         bytes.compare(end - 4, 5, "%%EOF") == 0;
}

}  // namespace

bool WriteBytes(const QString& fileName, const QByteArray& bytes, QString* error) {
  std::string message;
  if (tumbo::text::WriteFileAtomic(NativeName(fileName), std::string_view(bytes.constData(), size_t(bytes.size())),
                                   message))
    return true;
  return Fail(error, message);
}

bool PrintSafely(QPrinter& printer, const std::function<bool()>& print, QString* error) {
  const QString target = printer.outputFileName();
  if (target.isEmpty()) return print();

  const std::string targetName = NativeName(target);
  std::string message;
  const std::string temp = tumbo::text::CreateTempFileBeside(targetName, message);
  if (temp.empty()) return Fail(error, message);
  printer.setOutputFileName(QFile::decodeName(temp.c_str()));
  const bool printed = print();
  printer.setOutputFileName(target);

  std::string bytes;
  bool ok = printed && tumbo::text::ReadFileBytes(temp, bytes, message);
  if (ok && !IsCompletePdf(bytes)) {
    message = tumbo::text::CannotWriteMessage(targetName, tumbo::text::ErrnoText(EIO));
    ok = false;
  }
  ok = ok && tumbo::text::WriteFileAtomic(targetName, bytes, message);
  std::remove(temp.c_str());
  if (ok) return true;
  if (!printed) message = tumbo::text::CannotWriteMessage(targetName, tumbo::text::ErrnoText(EIO));
  return Fail(error, message);
}

}  // namespace tumbo::output
