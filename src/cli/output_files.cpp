#include "cli/output_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <system_error>

#include "cli/cli_io.h"
#include "text/atomic_file.h"

namespace fs = std::filesystem;

namespace {

const std::string kStdout = "-";

struct TFileIdentity {
  std::string Name;  // as given
  std::optional<std::pair<dev_t, ino_t>> Inode;
  std::string Normal;  // normalised absolute path; for standard output "-"
};

std::string NormalPath(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::absolute(path, ec);
  if (ec) return fs::path(path).lexically_normal().string();
  const fs::path resolved = fs::weakly_canonical(p, ec);
  return (ec ? p : resolved).lexically_normal().string();
}

std::optional<std::pair<dev_t, ino_t>> InodeOf(const struct stat& st) {
  return std::make_pair(st.st_dev, st.st_ino);
}

TFileIdentity Identify(const std::string& name) {
  TFileIdentity id{name, std::nullopt, {}};
  struct stat st;
  if (name == kStdout) {
    id.Normal = kStdout;
    // Only a file is compared with the inputs; a pipe or a terminal never is one of them.
    if (::fstat(STDOUT_FILENO, &st) == 0 && S_ISREG(st.st_mode)) id.Inode = InodeOf(st);
    return id;
  }
  id.Normal = NormalPath(name);
  if (::stat(name.c_str(), &st) == 0) id.Inode = InodeOf(st);
  return id;
}

bool SameFile(const TFileIdentity& a, const TFileIdentity& b) {
  if (a.Inode && b.Inode) return *a.Inode == *b.Inode;
  return a.Normal == b.Normal;
}

std::string Shown(const TFileIdentity& id) {
  if (id.Name == kStdout) return "die Standardausgabe";
  return "\"" + tumbo::text::FileNameForMessage(id.Name) + "\"";
}

}  // namespace

std::string OutputClash(const std::vector<std::string>& inputs,
                        const std::vector<std::string>& outputs) {
  std::vector<TFileIdentity> in, out;
  for (const std::string& name : inputs)
    if (!name.empty()) in.push_back(Identify(name));  // empty: not a file (a world written inline)
  for (const std::string& name : outputs)
    if (!name.empty()) out.push_back(Identify(name));
  // Standard output as every command uses it: checked against the inputs only, since the
  // outputs written with "-" go there on purpose.
  const TFileIdentity printed = Identify(kStdout);
  for (const TFileIdentity& i : in) {
    if (printed.Inode && printed.Inode == i.Inode)
      return "Die Standardausgabe ist die Eingabe " + Shown(i) +
             " und w\xFCrde sie \xFC" "berschreiben. Es wird nichts geschrieben.";
    for (const TFileIdentity& o : out)
      if (SameFile(o, i))
        return "Die Ausgabe " + Shown(o) + " ist die Eingabe " + Shown(i) +
               " und w\xFCrde sie \xFC" "berschreiben. Es wird nichts geschrieben.";
  }
  for (size_t a = 0; a < out.size(); ++a)
    for (size_t b = a + 1; b < out.size(); ++b)
      if (SameFile(out[a], out[b]))
        return "Die Ausgaben " + Shown(out[a]) + " und " + Shown(out[b]) +
               " sind dieselbe Datei. Es wird nichts geschrieben.";
  return {};
}

bool RefuseOutputClash(const std::vector<std::string>& inputs,
                       const std::vector<std::string>& outputs) {
  const std::string clash = OutputClash(inputs, outputs);
  if (clash.empty()) return false;
  PrintError(clash);
  return true;
}
