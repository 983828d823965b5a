#include "app/task/goal_overlay.h"

#include <QPainter>
#include <QPolygonF>

#include "task/goal_check.h"
#include "world/qt/welt_pictures.h"

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
  // The goal robot first: the tags stay readable where they meet it.
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
  p.restore();
}

void PaintGoal3D(QPainter& p, const TRaum& room, const TWorldFileContent& goal, unsigned criteria,
                 const TScaledPictures& pictures, double scale,
                 const std::function<QPoint(double x, double y, double z)>& project) {
  if (goal.Room.Width() != room.Width() || goal.Room.Length() != room.Length()) return;
  p.save();
  // Back to front, as the view paints: the goal's stacks of the fields not done yet.
  p.setOpacity(0.5);
  auto draw = [&p](const QImage& picture, QPoint bottomLeft) {
    if (!picture.isNull()) p.drawImage(bottomLeft - QPoint(0, picture.height()), picture);
  };
  for (int x = 0; x < room.Width(); ++x)
    for (int y = 0; y < room.Length(); ++y) {
      if (!tumbo::task::CellDiffersFromGoal(room, goal.Room, x, y, criteria)) continue;
      const int height = goal.Room.Height(x, y);
      for (int z = 0; z < height; ++z) {
        const uint8_t content = goal.Room.ContentAt(x, y, z);
        if (content == kZiegel) draw(pictures.BrickPicture, project(x, y + 1, z));
        else if (content == kQuader && z == 0) draw(pictures.CuboidPicture, project(x, y + 1, z));
      }
      if (goal.Room.HasMark(x, y)) draw(pictures.MarkPicture, project(x, y + 1, height));
    }
  p.setOpacity(1.0);
  if (criteria & (tumbo::task::kCheckPosition | tumbo::task::kCheckHeading)) {
    const double z = goal.Room.Contains(goal.X, goal.Y) ? goal.Room.Height(goal.X, goal.Y) : 0;
    QPolygonF field, arrow;
    for (const QPointF& corner : {QPointF(0.08, 0.08), QPointF(0.92, 0.08), QPointF(0.92, 0.92), QPointF(0.08, 0.92)})
      field << QPointF(project(goal.X + corner.x(), goal.Y + corner.y(), z));
    for (const QPointF& pt : GoalTriangle(goal)) arrow << QPointF(project(pt.x(), pt.y(), z));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    p.setPen(GoalPen(2 * scale));
    p.drawPolygon(field);
    p.setPen(GoalPen(2.5 * scale));
    p.drawPolygon(arrow);
  }
  p.restore();
}

}  // namespace tumbo::app
