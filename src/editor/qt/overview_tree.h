// The program overview in a QTreeWidget: the picture list (drawn here) and the filler that
// shows a tree built by program_overview.h.
#pragma once

#include <QIcon>
#include <QList>

#include <vector>

#include "editor/program_overview.h"

class QTreeWidget;

namespace tumbo::editor {

// The overview's pictures, indexed by TOverviewImage (index 4 is an empty picture).
QList<QIcon> OverviewImages(int size = 16);

// Replaces the tree's items by `nodes` (texts from Windows-1252, each with its picture for
// the normal and the selected state). Nothing is expanded.
void FillOverview(QTreeWidget &tree, const std::vector<TOverviewNode> &nodes,
                  const QList<QIcon> &images = OverviewImages());

}  // namespace tumbo::editor
