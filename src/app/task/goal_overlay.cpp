#include "app/task/goal_overlay.h"

#include <QPainter>
#include <QPolygonF>

#include "task/goal_check.h"

namespace tumbo::app {
namespace {

const QColor kGoalColour(0xE0, 0x40, 0xC0);  // stands out against bricks, marks and cuboids

// The goal robot's triangle in cell units, pointing where the goal heading looks.
QPolygonF GoalTriangle(const TWorldFileContent& goal) {
  static const QPointF kAhead[] = {{0, 1}, {-1, 0}, {0, -1}, {1, 0}};  // S, W, N, O
  const QPointF ahead = kAhead[goal.Heading & 3];
  const QPointF side(-ahead.y(), ahead.x());
  const QPointF centre(goal.X + 0.5, goal.Y + 0.5);
  return QPolygonF({centre + 0.34 * ahead, centre - 0.28 * ahead + 0.28 * side,
                    centre - 0.28 * ahead - 0.28 * side});
}

QString GoalLabel(const TRaum& goal, int x, int y, unsigned criteria) {
  QString label;
  if ((criteria & tumbo::task::kCheckCuboids) && goal.ContentAt(x, y, 0) == kQuader)
    label = QStringLiteral("Q");
  else if (criteria & tumbo::task::kCheckBricks)
    label = QString::number(goal.BrickCount(x, y));
  if ((criteria & tumbo::task::kCheckMarks) && goal.HasMark(x, y)) label += QStringLiteral(" M");
  return label.trimmed();
}

QPen GoalPen(qreal width, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(kGoalColour, width, style);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

}  // namespace

void PaintGoal2D(QPainter& p, const TRaum& room, const TWorldFileContent& goal, unsigned criteria,
                 double scale, const std::function<QRect(int x, int y)>& cellRect) {
  if (goal.Room.Width() != room.Width() || goal.Room.Length() != room.Length()) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(std::max(8, cellRect(0, 0).height() / 3));
  p.setFont(font);
  for (int x = 0; x < room.Width(); ++x)
    for (int y = 0; y < room.Length(); ++y) {
      if (!tumbo::task::CellDiffersFromGoal(room, goal.Room, x, y, criteria)) continue;
      const QRectF cell = QRectF(cellRect(x, y)).adjusted(2.5 * scale, 2.5 * scale, -2.5 * scale, -2.5 * scale);
      p.setPen(GoalPen(3 * scale));
      p.setBrush(Qt::NoBrush);
      p.drawRect(cell);
      const QString label = GoalLabel(goal.Room, x, y, criteria);
      if (label.isEmpty()) continue;
      const QRectF box = p.fontMetrics().boundingRect(label).adjusted(-2 * scale, 0, 2 * scale, 0);
      const QRectF tag(cell.right() - box.width(), cell.top(), box.width(), box.height());
      p.fillRect(tag, kGoalColour);
      p.setPen(Qt::white);
      p.drawText(tag, Qt::AlignCenter, label);
    }
  if (criteria & (tumbo::task::kCheckPosition | tumbo::task::kCheckHeading)) {
    const QRect cell = cellRect(goal.X, goal.Y);
    QPolygonF triangle = GoalTriangle(goal);
    for (QPointF& pt : triangle)
      pt = QPointF(cell.left() + (pt.x() - goal.X) * cell.width(),
                   cell.top() + (pt.y() - goal.Y) * cell.height());
    p.setPen(GoalPen(2 * scale));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(triangle);
  }
  p.restore();
}

void PaintGoal3D(QPainter& p, const TWorldFileContent& goal, double scale,
                 const std::function<QPoint(double x, double y, double z)>& project) {
  const double z = goal.Room.Contains(goal.X, goal.Y) ? goal.Room.Height(goal.X, goal.Y) : 0;
  QPolygonF triangle;
  for (const QPointF& pt : GoalTriangle(goal)) triangle << QPointF(project(pt.x(), pt.y(), z));
  QPolygonF face;
  for (const QPointF& corner : {QPointF(0, 0), QPointF(1, 0), QPointF(1, 1), QPointF(0, 1)})
    face << QPointF(project(goal.X + corner.x(), goal.Y + corner.y(), z));
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setBrush(Qt::NoBrush);
  p.setPen(GoalPen(2 * scale, Qt::DashLine));
  p.drawPolygon(face);
  p.setPen(GoalPen(3 * scale));
  p.drawPolygon(triangle);
  p.restore();
}

}  // namespace tumbo::app
