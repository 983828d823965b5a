#include "cli/grade_html.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "text/cp1252.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

using namespace tumbo::task;

namespace {

constexpr int kPictureWidth = 260;  // at most; small worlds keep their size

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

// The 2D map of a world as an inline PNG image element.
std::string Picture(const std::string& worldBytes, const char* caption) {
  TWelt world;
  world.LoadFromText(worldBytes, caption);
  TWeltQt views(world);
  views.SetIs2D(true);
  QImage image(views.ViewSize(), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    views.Paint2DTo(p);
  }
  if (image.width() > kPictureWidth)
    image = image.scaledToWidth(kPictureWidth, Qt::SmoothTransformation);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return "<figure><img alt=\"" + std::string(caption) + "\" src=\"data:image/png;base64," +
         png.toBase64().toStdString() + "\"><figcaption>" + caption + "</figcaption></figure>";
}

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:1.5em;color:#222}"
    "table{border-collapse:collapse;margin:1em 0}"
    "th,td{border:1px solid #bbb;padding:.3em .6em;vertical-align:top;text-align:left}"
    "th{background:#eee}.ok{color:#070;font-size:1.3em}.fail{color:#b00;font-size:1.3em}"
    ".why{display:block;font-size:.85em;color:#555}"
    "figure{display:inline-block;margin:0 1em 1em 0}figcaption{text-align:center}"
    "img{border:1px solid #999;image-rendering:pixelated}";

}  // namespace

std::string GradeHtml(const TLoadedTask& task, const std::vector<TProgramGrade>& grades) {
  const std::string title = Escape(task.Task.Title.empty() ? "Aufgabe" : task.Task.Title);
  std::string h = "<!DOCTYPE html>\n<html lang=\"de\"><head><meta charset=\"utf-8\"><title>Bewertung: " +
                  title + "</title><style>" + kStyle + "</style></head><body>\n<h1>Bewertung: " + title +
                  "</h1>\n";
  int solvedAll = 0;
  for (const TProgramGrade& g : grades) solvedAll += g.SolvedAll();
  const std::string worlds =
      task.Worlds.size() == 1 ? "die Welt" : "alle " + std::to_string(task.Worlds.size()) + " Welten";
  h += "<p>" + std::to_string(solvedAll) + " von " + std::to_string(grades.size()) +
       " Programmen l\xC3\xB6sen " + worlds + ".</p>\n";

  h += "<table><tr><th>Programm</th>";
  for (size_t i = 0; i < task.Worlds.size(); ++i) h += "<th>Welt " + std::to_string(i + 1) + "</th>";
  h += "<th>Gel\xC3\xB6st</th></tr>\n";
  for (const TProgramGrade& g : grades) {
    h += "<tr><td>" + Escape(g.Name) + "</td>";
    for (const TWorldGrade& w : g.Worlds)
      h += w.Solved ? "<td><span class=\"ok\">\xE2\x9C\x93</span></td>"
                    : "<td><span class=\"fail\">\xE2\x9C\x97</span><span class=\"why\">" +
                          Escape(w.Reason) + "</span></td>";
    h += "<td>" + std::to_string(g.SolvedCount()) + " von " + std::to_string(g.Worlds.size()) +
         "</td></tr>\n";
  }
  h += "</table>\n";

  for (const TProgramGrade& g : grades) {
    if (g.SolvedAll() || !g.ProgramError.empty()) continue;
    h += "<h2>" + Escape(g.Name) + "</h2>\n";
    for (size_t i = 0; i < g.Worlds.size(); ++i) {
      const TWorldGrade& w = g.Worlds[i];
      if (w.Solved) continue;
      const TWorldFileContent& goal = task.Worlds[i].Goal;
      h += "<h3>" + Escape(WorldLine(int(i) + 1, w.Reason)) + "</h3>\n<div>" +
           Picture(w.FinalWorld, "Ergebnis") +
           Picture(WriteWorldText(goal.Room, goal.X, goal.Y, goal.Heading), "Ziel") + "</div>\n";
    }
  }
  return h + "</body></html>\n";
}
