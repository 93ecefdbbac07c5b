#pragma once
// The player behind "PLA", F7 and the player window: the sequencer on the
// MIDI output device chosen in the output device menu (the built-in
// synthesizer unless the user picks a port). Whatever goes wrong is said
// in the user's words, never passed over in silence.

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/engine_host.h"
#include "platform/midi_sequencer.h"
#include "platform/midi_stream.h"

namespace ts::shell {

inline constexpr int kMidiDeviceMenuBase = 130;  // the output device menu: 130 + device number
inline constexpr const char* kPlayerWindowClass = "MIDIPlyrTWnd";
inline constexpr const char* kMidiFileFilter = "MIDI File (*.MID;*.RMI)";
inline constexpr const char* kStopCommand = "MDSTOP ";

namespace player_messages {
inline constexpr const char* kFailed = "*** MIDI playback failed";
inline constexpr const char* kCannotRead = "*** The MIDI file cannot be read:";
inline constexpr const char* kTitle = "MIDI Player - ";
inline constexpr const char* kPlaying = "Playing.";
inline constexpr const char* kPaused = "Paused.";
inline constexpr const char* kStopped = "Stopped.";
inline constexpr const char* kNothingPlaying = "*** No MIDI is playing.";
}  // namespace player_messages

// "*** MIDI playback failed (276: the MIDI output device is not ready): why".
std::string playbackFailure(int error, const std::string& why);

class MidiPlayer {
 public:
  // Hands the sequencer's done notice to the user interface's thread; the
  // player's onDone must then be called there.
  using Post = std::function<void(const SequencerNotice&)>;
  // Reads a MIDI file the user chose; empty when it cannot be read.
  using ReadFile = std::function<std::vector<uint8_t>(const std::string&)>;
  MidiPlayer(std::vector<std::unique_ptr<MidiOutputDevice>> devices, Post post, ReadFile read);

  std::vector<std::string> deviceNames() const;
  int device() const { return m_device; }
  // The output device menu's entry 130 + n; false when there is no device n.
  bool chooseDevice(int number);

  // "PLA": the engine's file, played from its start.
  MidiPlayback play(std::string fileName, std::span<const uint8_t> bytes);
  // "Play again.", or a file chosen in the player's file dialog.
  MidiPlayback playFile(const std::string& fileName);
  MidiPlayback playAgain() { return playFile(m_sequencer.fileName()); }
  // "Pause MIDI": pauses, or resumes a paused piece.
  int pauseOrResume();
  // Pause, resume or stop, said in the user's words.
  std::string control(PlaybackControl control);
  int stop();
  // The done notice, on the user interface's thread: true when the piece ended by itself.
  bool onDone(const SequencerNotice& notice);

  std::string windowTitle() const;
  bool playing() const;
  MidiSequencer& sequencer() { return m_sequencer; }

 private:
  MidiPlayback result(int error);

  std::vector<std::unique_ptr<MidiOutputDevice>> m_devices;
  ReadFile m_read;
  int m_device = 0;
  MidiSequencer m_sequencer;
};

}  // namespace ts::shell
