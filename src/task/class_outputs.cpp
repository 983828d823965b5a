#include "task/class_outputs.h"

#include <ctime>
#include <filesystem>

#include "task/summary_csv.h"
#include "text/atomic_file.h"

namespace tumbo::task {
namespace {

namespace fs = std::filesystem;

fs::path Resolved(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
  return ec ? fs::path(path).lexically_normal() : p;
}

bool Inside(const fs::path& p, const fs::path& folder) {
  const auto [f, q] = std::mismatch(folder.begin(), folder.end(), p.begin(), p.end());
  return f == folder.end();
}

std::string Quoted(const std::string& path) { return "\"" + tumbo::text::FileNameForMessage(path) + "\""; }

void Write(const std::string& path, const std::string& bytes, std::string& errors) {
  std::string error;
  if (!tumbo::text::WriteFileAtomic(path, bytes, error)) errors += (errors.empty() ? "" : "\n") + error;
}

}  // namespace

std::string OutputClash(const TClassOutputs& outputs, const std::string& workFile,
                        const std::vector<std::string>& inputs) {
  std::vector<std::string> named;
  for (const std::string* o : {&outputs.Csv, &outputs.Summary, &outputs.Html})
    if (!o->empty()) named.push_back(*o);
  for (size_t i = 0; i < named.size(); ++i) {
    const fs::path out = Resolved(named[i]);
    for (size_t j = 0; j < i; ++j)
      if (Resolved(named[j]) == out) return "Die Ausgabe " + Quoted(named[i]) + " ist zweimal angegeben.";
    std::vector<std::string> all = inputs;
    all.push_back(workFile);
    for (const std::string& input : all) {
      const fs::path in = Resolved(input);
      std::error_code ec;
      if (in == out || (fs::is_directory(in, ec) && Inside(out, in)))
        return "Die Ausgabe " + Quoted(named[i]) + " w\xFCrde die Eingabe " + Quoted(input) + " \xFC" "berschreiben.";
    }
  }
  return {};
}

bool WriteClassOutputs(const TClassWork& work, const std::vector<TPupilResult>& pupils,
                       const TClassOutputs& outputs, const THtmlReport& report, std::string& error) {
  error.clear();
  if (!outputs.Csv.empty()) Write(outputs.Csv, ClassCsv(work, pupils), error);
  if (!outputs.Summary.empty()) Write(outputs.Summary, SummaryCsv(work, pupils), error);
  if (!outputs.Html.empty()) {
    std::error_code ec;
    if (!work.Course && !fs::is_directory(outputs.Html, ec)) {
      Write(outputs.Html, ClassHtmlPage(work, pupils, report), error);
    } else {
      fs::create_directories(outputs.Html, ec);
      if (ec) {
        error += (error.empty() ? "" : "\n") +
                 tumbo::text::CannotWriteMessage(outputs.Html, tumbo::text::ErrnoText(ec.value()));
      } else {
        for (const THtmlFile& f : ClassHtmlFiles(work, pupils, report))
          Write((fs::path(outputs.Html) / f.Name).string(), f.Bytes, error);
      }
    }
  }
  return error.empty();
}

std::string ReportDateText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%d.%m.%Y", &local);
  return text;
}

}  // namespace tumbo::task
