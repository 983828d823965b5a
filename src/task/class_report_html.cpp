#include "task/class_report_html.h"

#include <map>
#include <set>

#include "task/goal_check.h"
#include "task/summary_csv.h"
#include "text/cp1252.h"

namespace tumbo::task {
namespace {

constexpr const char* kCheck = "\xE2\x9C\x93";  // ✓ (UTF-8)
constexpr const char* kCross = "\xE2\x9C\x97";  // ✗

constexpr const char* kStyle =
    "@page{size:A4;margin:15mm}"
    "body{font-family:sans-serif;margin:1.5em;color:#222;-webkit-print-color-adjust:exact;print-color-adjust:exact}"
    "h1{font-size:1.5em;margin:0 0 .2em}h2{font-size:1.25em;margin:1em 0 .3em}h3{font-size:1em;margin:.8em 0 .3em}"
    ".date{color:#555;margin:0 0 1em}"
    "table{border-collapse:collapse;margin:1em 0}"
    "th,td{border:1px solid #bbb;padding:.3em .6em;vertical-align:top;text-align:left}"
    "th{background:#eee}td.num{text-align:right}"
    ".ok{color:#070}.fail{color:#b00}.none{color:#777;font-style:italic}"
    ".mark{font-weight:bold;font-size:1.2em}"
    ".tasktext{white-space:pre-wrap;border-left:3px solid #bbb;padding-left:.6em}"
    ".result{font-weight:bold}"
    "ol.code{font-family:monospace;white-space:pre;border:1px solid #ddd;background:#fafafa;"
    "padding:.4em .4em .4em 3.5em;margin:.5em 0;font-size:.9em}"
    "ol.code li::marker{color:#999}"
    ".pictures{display:grid;grid-template-columns:repeat(3,minmax(0,max-content));gap:1em;break-inside:avoid}"
    "figure{margin:0}figcaption{text-align:center;font-size:.9em}"
    ".map{position:relative;display:inline-block;max-width:100%;border:1px solid #999;line-height:0}"
    ".map img{display:block;max-width:100%;height:auto}"
    ".diff{position:absolute;border:3px solid #e6007e;box-sizing:border-box}"
    ".legend{font-size:.85em;color:#555;margin:.3em 0}"
    ".world{break-inside:avoid}"
    ".pupil{break-before:page;border-top:2px solid #888;margin-top:2em;padding-top:1em}"
    ".pupil:first-child{break-before:auto;border-top:none;margin-top:0;padding-top:0}"
    ".task+.task{break-before:page}"
    "@media print{body{margin:0}.pupil{border-top:none;margin-top:0;padding-top:0}a{color:inherit}}";

std::string Escape(const std::string& cp1252) {
  std::string out;
  for (char c : tumbo::text::Cp1252ToUtf8(cp1252)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Base64(const std::string& bytes) {
  static const char* const kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t v = uint32_t(uint8_t(bytes[i])) << 16;
    if (i + 1 < bytes.size()) v |= uint32_t(uint8_t(bytes[i + 1])) << 8;
    if (i + 2 < bytes.size()) v |= uint8_t(bytes[i + 2]);
    out += kDigits[v >> 18 & 63];
    out += kDigits[v >> 12 & 63];
    out += i + 1 < bytes.size() ? kDigits[v >> 6 & 63] : '=';
    out += i + 2 < bytes.size() ? kDigits[v & 63] : '=';
  }
  return out;
}

std::string Percent(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3f%%", v * 100.0);
  return buf;
}

// Each world is drawn once per report, however many pupils end in it.
class TPictures {
 public:
  explicit TPictures(const TMapPainter& painter) : painter_(painter) {}
  bool CanDraw() const { return bool(painter_); }

  std::string Figure(const std::string& worldBytes, const char* caption,
                     const std::vector<std::pair<int, int>>& framed) {
    auto it = drawn_.find(worldBytes);
    if (it == drawn_.end()) {
      TDrawn d{painter_(worldBytes), {}};
      d.Src = "data:image/png;base64," + Base64(d.Picture.Png);
      it = drawn_.emplace(worldBytes, std::move(d)).first;
    }
    const TMapPicture& p = it->second.Picture;
    std::string h = "<figure><div class=\"map\"><img alt=\"" + std::string(caption) + "\" width=\"" +
                    std::to_string(p.Width) + "\" height=\"" + std::to_string(p.Height) + "\" src=\"" +
                    it->second.Src + "\">";
    if (p.Width > 0 && p.Height > 0)
      for (const auto& [x, y] : framed)
        h += "<span class=\"diff\" style=\"left:" + Percent((p.Left + x * p.Step) / p.Width) +
             ";top:" + Percent((p.Top + y * p.Step) / p.Height) + ";width:" + Percent(p.Step / p.Width) +
             ";height:" + Percent(p.Step / p.Height) + "\"></span>";
    return h + "</div><figcaption>" + caption + "</figcaption></figure>";
  }

 private:
  struct TDrawn {
    TMapPicture Picture;
    std::string Src;
  };
  const TMapPainter& painter_;
  std::map<std::string, TDrawn> drawn_;
};

std::string Head(const std::string& title) {
  return "<!DOCTYPE html>\n<html lang=\"de\"><head><meta charset=\"utf-8\"><title>" + title +
         "</title><style>" + kStyle + "</style></head><body>\n";
}

const char* ResultClass(const TTaskOutcome& t) {
  if (t.Solved()) return "ok";
  return t.Kind == TSubmission::Program || t.Kind == TSubmission::SyntaxError ? "fail" : "none";
}

std::string SummaryCell(const TTaskOutcome& t) {
  std::string mark;
  if (t.Kind == TSubmission::Program) mark = std::string("<span class=\"mark\">") + (t.Solved() ? kCheck : kCross) + "</span> ";
  else if (t.Kind == TSubmission::SyntaxError) mark = std::string("<span class=\"mark\">") + kCross + "</span> ";
  return "<td class=\"" + std::string(ResultClass(t)) + "\">" + mark + Escape(t.Cell()) + "</td>";
}

// `links`: the pupils' file names, when each pupil has a file of their own.
std::string Overview(const TClassWork& work, const std::vector<TPupilResult>& pupils, const THtmlReport& report,
                     const std::map<const TPupilResult*, std::string>* links) {
  std::string h = "<section class=\"overview\">\n<h1>Bewertung: " + Escape(work.Title) + "</h1>\n<p class=\"date\">" +
                  Escape(report.Date) + "</p>\n";
  int all = 0;
  for (const TPupilResult& p : pupils) all += p.SolvedTasks() == int(work.Tasks.size());
  h += "<p>" + std::to_string(all) + " von " + std::to_string(pupils.size()) +
       (work.Course ? " l\xC3\xB6sen alle Aufgaben.</p>\n" : " l\xC3\xB6sen die Aufgabe.</p>\n");
  h += "<table class=\"summary\"><tr><th>Name</th>";
  for (const TClassTask& t : work.Tasks) h += "<th>" + Escape(t.Title()) + "</th>";
  h += "<th>Gel\xC3\xB6st</th></tr>\n";
  for (const TPupilResult* p : ByName(pupils)) {
    const std::string name = Escape(p->Name);
    h += "<tr><td>" + (links ? "<a href=\"" + links->at(p) + "\">" + name + "</a>" : name) + "</td>";
    for (const TTaskOutcome& t : p->Tasks) h += SummaryCell(t);
    for (size_t k = p->Tasks.size(); k < work.Tasks.size(); ++k) h += "<td></td>";
    h += "<td class=\"num\">" + std::to_string(p->SolvedTasks()) + "</td></tr>\n";
  }
  return h + "</table>\n</section>\n";
}

std::string ProgramListing(const std::string& text) {
  std::string h = "<ol class=\"code\">";
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    h += "<li>" + (line.empty() ? std::string(" ") : Escape(line)) + "</li>";
    if (end == text.size()) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    if (start == text.size()) break;  // the last line break ends the last line
  }
  return h + "</ol>\n";
}

std::string ResultLine(const TTaskOutcome& t) {
  std::string text;
  if (t.Kind == TSubmission::Program) {
    const int n = int(t.Grade.Worlds.size());
    text = t.Solved() ? std::string(n == 1 ? "Die Welt" : "Alle " + std::to_string(n) + " Welten") + " gel\xF6st"
                      : std::to_string(t.Grade.SolvedCount()) + " von " + std::to_string(n) +
                            (n == 1 ? " Welt" : " Welten") + " gel\xF6st";
  } else {
    text = SubmissionName(t.Kind) + (t.Reason.empty() ? "" : ": " + t.Reason);
  }
  const std::string mark = t.Solved() ? kCheck : t.Kind == TSubmission::Program ? kCross : "";
  return "<p class=\"result " + std::string(ResultClass(t)) + "\">" + (mark.empty() ? "" : mark + std::string(" ")) +
         Escape(text) + "</p>\n";
}

std::string TaskArticle(const TClassTask& task, const TTaskOutcome& t, TPictures& pictures) {
  std::string h = "<article class=\"task\">\n<h2>" + Escape(task.Title()) + "</h2>\n";
  if (!task.Task.Task.Text.empty()) h += "<div class=\"tasktext\">" + Escape(task.Task.Task.Text) + "</div>\n";
  h += ResultLine(t);
  if (!t.ProgramText.empty()) h += "<h3>Dein Programm</h3>\n" + ProgramListing(t.ProgramText);
  if (t.Kind != TSubmission::Program) return h + "</article>\n";
  for (size_t i = 0; i < t.Grade.Worlds.size() && i < task.Task.Worlds.size(); ++i) {
    const TWorldGrade& w = t.Grade.Worlds[i];
    if (w.Solved) continue;
    const TTaskWorld& world = task.Task.Worlds[i];
    h += "<div class=\"world\"><h3>" + Escape(WorldLine(int(i) + 1, w.Reason, w.Hidden)) + "</h3>\n";
    // A hidden world is never shown to the pupil.
    if (pictures.CanDraw() && !w.FinalWorld.empty() && !w.Hidden) {
      const auto framed = DifferingCells(w.FinalWorld, world, task.Task.Task.Criteria);
      const TWorldFileContent& goal = world.Goal;
      h += "<div class=\"pictures\">" + pictures.Figure(world.StartBytes, "Start", {}) +
           pictures.Figure(w.FinalWorld, "Ende", framed) +
           pictures.Figure(WriteWorldText(goal.Room, goal.X, goal.Y, goal.Heading), "Ziel", framed) + "</div>\n";
      if (!framed.empty())
        h += "<p class=\"legend\">Umrandet: die Felder, die am Ende anders sind als im Ziel.</p>\n";
    }
    h += "</div>\n";
  }
  return h + "</article>\n";
}

std::string PupilSection(const TClassWork& work, const TPupilResult& p, const THtmlReport& report,
                         TPictures& pictures) {
  std::string h = "<section class=\"pupil\">\n<h1>" + Escape(p.Name) + "</h1>\n<p class=\"date\">" +
                  Escape(work.Title) + " \xC2\xB7 " + Escape(report.Date) + "</p>\n";
  if (work.Course) {
    h += "<p>" + std::to_string(p.SolvedTasks()) + " von " + std::to_string(work.Tasks.size()) +
         " Aufgaben gel\xC3\xB6st.</p>\n<table><tr><th>Aufgabe</th><th>Ergebnis</th></tr>\n";
    for (size_t k = 0; k < p.Tasks.size(); ++k)
      h += "<tr><td>" + Escape(work.Tasks[k].Title()) + "</td>" + SummaryCell(p.Tasks[k]) + "</tr>\n";
    h += "</table>\n";
  }
  for (size_t k = 0; k < p.Tasks.size(); ++k)
    // A course page shows what was handed in; the table above names the rest.
    if (!work.Course || p.Tasks[k].Kind != TSubmission::NotSubmitted)
      h += TaskArticle(work.Tasks[k], p.Tasks[k], pictures);
  return h + "</section>\n";
}

// A file name for a pupil's page: ASCII letters, digits and '-', umlauts spelt out.
std::string PageName(const std::string& name, std::set<std::string>& taken) {
  std::string base;
  for (char ch : name) {
    const unsigned char c = static_cast<unsigned char>(ch);
    const char* spelt = nullptr;
    switch (c) {
      case 0xE4: spelt = "ae"; break;
      case 0xF6: spelt = "oe"; break;
      case 0xFC: spelt = "ue"; break;
      case 0xC4: spelt = "Ae"; break;
      case 0xD6: spelt = "Oe"; break;
      case 0xDC: spelt = "Ue"; break;
      case 0xDF: spelt = "ss"; break;
    }
    if (spelt) base += spelt;
    else if (std::isalnum(c) && c < 0x80) base += char(c);
    else if (!base.empty() && base.back() != '-') base += '-';
  }
  while (!base.empty() && base.back() == '-') base.pop_back();
  if (base.empty()) base = "schueler";
  if (base.size() > 80) base.resize(80);
  std::string file = base + ".html";
  for (int n = 2; !taken.insert(file).second; ++n) file = base + "-" + std::to_string(n) + ".html";
  return file;
}

}  // namespace

std::vector<std::pair<int, int>> DifferingCells(const std::string& finalWorld, const TTaskWorld& goal,
                                                unsigned criteria) {
  TWorldFileContent end;
  if (!ReadWorldText(finalWorld, "Ende", end).Ok()) return {};
  const TRaum& room = end.Room;
  const TRaum& want = goal.Goal.Room;
  if (room.Width() != want.Width() || room.Length() != want.Length()) return {};
  std::vector<std::pair<int, int>> cells;
  for (int32_t y = 0; y < room.Length(); ++y)
    for (int32_t x = 0; x < room.Width(); ++x)
      if (CellDiffersFromGoal(room, want, x, y, criteria)) cells.emplace_back(x, y);
  const bool placeWrong = (criteria & kCheckPosition) && (end.X != goal.Goal.X || end.Y != goal.Goal.Y);
  const bool headingWrong = (criteria & kCheckHeading) && end.Heading != goal.Goal.Heading;
  if (placeWrong || headingWrong) {
    for (const auto& cell : {std::pair<int, int>(end.X, end.Y), std::pair<int, int>(goal.Goal.X, goal.Goal.Y)})
      if (std::find(cells.begin(), cells.end(), cell) == cells.end()) cells.push_back(cell);
  }
  return cells;
}

std::string ClassHtmlPage(const TClassWork& work, const std::vector<TPupilResult>& pupils,
                          const THtmlReport& report) {
  TPictures pictures(report.Painter);
  std::string h = Head("Bewertung: " + Escape(work.Title)) + Overview(work, pupils, report, nullptr);
  for (const TPupilResult* p : ByName(pupils)) h += PupilSection(work, *p, report, pictures);
  return h + "</body></html>\n";
}

std::vector<THtmlFile> ClassHtmlFiles(const TClassWork& work, const std::vector<TPupilResult>& pupils,
                                      const THtmlReport& report) {
  TPictures pictures(report.Painter);
  std::set<std::string> taken{kOverviewFileName};
  std::map<const TPupilResult*, std::string> links;
  std::vector<THtmlFile> files(1);
  for (const TPupilResult* p : ByName(pupils)) {
    links[p] = PageName(p->Name, taken);
    files.push_back({links[p], Head(Escape(p->Name) + ": " + Escape(work.Title)) +
                                   PupilSection(work, *p, report, pictures) + "</body></html>\n"});
  }
  files[0] = {kOverviewFileName,
              Head("Bewertung: " + Escape(work.Title)) + Overview(work, pupils, report, &links) + "</body></html>\n"};
  return files;
}

}  // namespace tumbo::task
