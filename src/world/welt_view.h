// How the world reaches its views. The Qt 3D and 2D views implement this; without a
// view (command line, tests) the world's calls do nothing.
#pragma once

class TWelt;

class TWeltView {
public:
  virtual ~TWeltView() = default;

  // The room was re-initialised (file read, new world): recompute the geometry, clear
  // the view to the background colour and rebuild the background picture. RedrawAll
  // follows.
  virtual void GeometryChanged() = 0;
  // Repaint what changed (TRaum::AllDirty / DirtyCells and the Dirty flags), then clear
  // the flags with TRaum::ClearDirty.
  virtual void UpdateView() = 0;
  // Repaint the whole active view, then clear all Dirty flags.
  virtual void RedrawAll() = 0;
};
