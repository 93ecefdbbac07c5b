#pragma once
// The desktop program's MIDI: the player window (class "MIDIPlyrTWnd":
// the file name in its title, Play again, Pause, Stop and a file dialog),
// the output device menu (entries 130 + device number, the built-in
// synthesizer first), and the MIDI input devices opened at start-up, whose
// events the main window takes out on message 400.

#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/engine_host.h"
#include "platform/midi_input.h"
#include "shell/midi_player.h"

namespace ts::shell {

class CommandBridge;

class MidiPlayerWindow : public QWidget {
  Q_OBJECT
 public:
  MidiPlayerWindow(MidiPlayer& player, CommandBridge& bridge);
  // After a play: the title names the file, the status says what happened.
  void showPlaying(const MidiPlayback& playback);
  // The sequencer's done notice, on this thread.
  void done(const SequencerNotice& notice);
  QString status() const { return m_status->text(); }
  // The window's Pause and Stop, and the engine's "PAUS" and "STOP".
  std::string control(PlaybackControl control);

 private:
  void playAgain();
  void openFile();
  void pauseOrResume();
  void stop();

  MidiPlayer& m_player;
  CommandBridge& m_bridge;
  QLabel* m_status = nullptr;
};

class MidiServices {
 public:
  MidiServices(QWidget& mainWindow, CommandBridge& bridge);
  ~MidiServices();

  // "PLA": plays through the chosen device and shows the player window.
  MidiPlayback play(std::string_view fileName, std::span<const uint8_t> image);
  // The output device submenu, one checkable entry a device.
  void addDeviceMenu(QMenu& output);
  // Opens and starts the input devices; the messages to show.
  std::vector<std::string> openInputs();
  MidiPlayer& player() { return *m_player; }
  MidiPlayerWindow& window() { return *m_window; }
  MidiInput& input() { return *m_input; }
  // MIDI keyboard entry: events count only between start and stop.
  bool startKeyboard();
  std::optional<MidiKeyboardEvent> takeKeyboardEvent();
  void stopKeyboard();

 private:
  void takeInput();

  QWidget& m_mainWindow;
  std::unique_ptr<MidiPlayerWindow> m_window;  // goes after the player, which may still post to it
  std::unique_ptr<MidiPlayer> m_player;
  std::unique_ptr<MidiInputDevices> m_inputDevices;
  std::unique_ptr<MidiInput> m_input;
};

}  // namespace ts::shell
