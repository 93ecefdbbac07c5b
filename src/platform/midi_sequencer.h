#pragma once
// The sequencer: plays a MIDI file through an output stream. It reads the
// whole file when it is opened (a damaged file is refused before anything
// sounds), fills stream buffers from it, keeps as many out as it can while
// the stream plays, and says when the piece is over.
//
// Its operations run on one thread (the user interface's); the stream's
// done callback may run on another. Both meet under one lock; the stream
// is called without it except to hand a refilled buffer back, and it is
// closed only by the operations' thread.

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>

#include "platform/midi_file_reader.h"
#include "platform/midi_stream.h"

namespace ts {

enum class SequencerState : int {
  NoFile = 0,
  Opened = 1,
  Prerolling = 2,
  Prerolled = 3,
  Playing = 4,
  Paused = 5,
  Stopping = 6,
  Resetting = 7,
};

inline constexpr const char* kDefaultMidiFile = "c:\\!tmp\\tsmmidi.mid";
inline constexpr int kSequencerDoneMessage = 1044;  // the user message base (1024) + 20

inline constexpr size_t kFirstBufferBytes = 4096;
inline constexpr size_t kLargestBufferBytes = 32768;
inline constexpr size_t kStreamBuffers = 3;  // one playing, one queued behind it, one being refilled

// The buffer size that holds an event of `eventBytes` besides the header:
// 4096 doubled as often as needed; nothing beyond 32768 (out of memory).
std::optional<size_t> bufferSizeFor(size_t eventBytes);

// What the sequencer tells its window when the stream has given back its
// last buffer: message 1044 with the sequencer, and 1 when the piece ended
// by itself (0 when it was stopped). It may come from the stream's thread.
struct SequencerNotice {
  int message = kSequencerDoneMessage;
  const void* sequencer = nullptr;
  int endedByItself = 0;
};

class MidiSequencer {
 public:
  using Notify = std::function<void(const SequencerNotice&)>;
  explicit MidiSequencer(Notify notify);
  ~MidiSequencer();
  MidiSequencer(const MidiSequencer&) = delete;
  MidiSequencer& operator=(const MidiSequencer&) = delete;

  // The device the next preroll opens a stream on; not owned.
  void setDevice(MidiOutputDevice* device) { m_device = device; }
  // How long stop and preroll wait for the stream's buffers to come back.
  void setReturnTimeout(std::chrono::milliseconds timeout) { m_returnTimeout = timeout; }

  // State 0 or 1 only: reads the file; state 1, or 0 and the error.
  int openFile(std::span<const uint8_t> bytes, std::string fileName);
  // The player's Play: a piece playing or paused is stopped first; the file
  // is opened and, when that succeeds, prerolled and started.
  int play(std::span<const uint8_t> bytes, std::string fileName);
  int preroll();
  int start();
  int pause();
  int resume();
  int stop();
  int close();
  // Ticks played, 0 with no stream.
  uint32_t position();
  // The stream that gave back its last buffer is closed here (a stream is
  // never closed from its own callback): the window calls this on the
  // done notice.
  void closeIdleStream();

  SequencerState state() const;
  const std::string& fileName() const { return m_fileName; }
  int timeDivision() const { return m_sequence.division; }
  size_t bufferSize() const { return m_bufferSize; }
  int buffersOut() const;
  // What the device said when it could not be opened.
  const std::string& deviceError() const { return m_deviceError; }

 private:
  int step(SequencerState from, SequencerState to, int (MidiOutputStream::*call)());
  void streamDone(StreamBuffer& buffer);
  bool fill(StreamBuffer& buffer);
  int openStream();
  int sendBuffers();
  int failPreroll(int error);
  bool waitForBuffers(std::unique_lock<std::mutex>& lock);
  void dropStream();
  void dropStream(std::unique_lock<std::mutex>& lock, bool reset);

  Notify m_notify;
  MidiOutputDevice* m_device = nullptr;
  std::chrono::milliseconds m_returnTimeout{5000};
  std::string m_fileName = kDefaultMidiFile;
  std::string m_deviceError;
  MidiSequence m_sequence;
  std::unique_ptr<MidiOutputStream> m_stream;

  mutable std::mutex m_lock;
  std::condition_variable m_returned;
  SequencerState m_state = SequencerState::NoFile;
  std::array<StreamBuffer, kStreamBuffers> m_buffers;
  size_t m_bufferSize = kFirstBufferBytes;
  size_t m_nextEvent = 0;
  int m_buffersOut = 0;
  bool m_endOfFile = false;
  bool m_streamIdle = false;
};

}  // namespace ts
