// tonesmith: the desktop program.
//
//   tonesmith [--root DIR] [PAGE] [--exec SCRIPT] [--screenshot OUT.png]

#include <QApplication>
#include <cstdio>

#include "shell/tsmith_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tonesmith"));
  const std::optional<ts::shell::StartOptions> options = ts::shell::parseStartOptions(QApplication::arguments());
  if (!options) {
    std::fputs(ts::shell::app_messages::kUsage, stderr);
    return 2;
  }
  ts::shell::CTSmithApp app(application, *options);
  if (!app.initInstance()) return 1;
  return app.run();
}
