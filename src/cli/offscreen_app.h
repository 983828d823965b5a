#pragma once
// The GUI application that fonts and pictures need, on Qt's offscreen platform (no display
// needed). Qt's own notes about the environment (no runtime folder and the like) are no
// business of the user here; only its critical messages are printed.
#include <QGuiApplication>

class TOffscreenApp {
 public:
  TOffscreenApp();

 private:
  static int ConfigureAndCountArgs();
  int argc_;
  char name_[10] = "tumbo-cli";
  char* argv_[2] = {name_, nullptr};
  QGuiApplication app_;
};
