#pragma once
// CTSmithApp: start-up and shutdown of the desktop program.

#include <QApplication>
#include <QSettings>
#include <memory>
#include <optional>

#include "shell/command_table.h"
#include "shell/picture_table.h"

namespace ts {
class DriveMap;
class LpPrintQueue;
class Engine;
}  // namespace ts

namespace ts::shell {

class ButtonPictures;
class CMainFrame;
class ScriptRunner;

struct StartOptions {
  QString page;
  QString script;
  QString screenshot;
  QString root;
};

namespace app_messages {
inline constexpr const char* kUsage =
    "usage: tonesmith [--root DIR] [PAGE] [--exec SCRIPT] [--screenshot OUT.png]\n";
inline constexpr const char* kNoCommandTable = "The command table could not be read:";
inline constexpr const char* kNoPictureTable = "the buttons show labels: the picture table could not be read:";
}  // namespace app_messages

// Nothing when the arguments do not read.
std::optional<StartOptions> parseStartOptions(const QStringList& arguments);
// The shipped command table (compiled into the program).
std::optional<CommandTable> readShippedCommandTable(QString& error);
// The shipped picture table; nothing when it is missing or damaged.
std::optional<PictureTable> readShippedPictureTable(QString& error);

class CTSmithApp {
 public:
  CTSmithApp(QApplication& application, StartOptions options);
  ~CTSmithApp();
  // Start-up in order; false when it cannot go on.
  bool initInstance();
  int run();

 private:
  QApplication& m_application;
  StartOptions m_options;
  QSettings m_settings;
  CommandTable m_table;
  std::unique_ptr<DriveMap> m_drives;
  std::unique_ptr<LpPrintQueue> m_printQueue;  // "PR" to the printer: the system's queue
  std::unique_ptr<ButtonPictures> m_pictures;
  std::unique_ptr<CMainFrame> m_frame;
  std::unique_ptr<Engine> m_engine;
  std::unique_ptr<ScriptRunner> m_script;
};

}  // namespace ts::shell
