#include "cli/offscreen_app.h"

#include "cli/cli_io.h"
#include "text/cp1252.h"

int TOffscreenApp::ConfigureAndCountArgs() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
      PrintError(tumbo::text::Utf8ToCp1252(message.toStdString()));
  });
  return 1;
}

// The platform is chosen before the application exists.
TOffscreenApp::TOffscreenApp() : argc_(ConfigureAndCountArgs()), app_(argc_, argv_) {}
