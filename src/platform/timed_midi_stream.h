#pragma once
// A stream that keeps time itself: a thread of its own plays each buffer's
// events at their ticks, by the tempo in force, into a sink that sounds a
// message at once (the built-in synthesizer, a MIDI port), and hands each
// buffer back when its last event has played.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

#include "platform/midi_stream.h"

namespace ts {

class MidiMessageSink {
 public:
  virtual ~MidiMessageSink() = default;
  virtual void shortMessage(uint32_t message) = 0;
  virtual void longMessage(std::span<const uint8_t> bytes) = 0;
  // Every note stops at once.
  virtual void silence() = 0;
};

inline constexpr uint32_t kDefaultTempo = 500000;  // microseconds a quarter until the file sets one

class TimedMidiStream : public MidiOutputStream {
 public:
  TimedMidiStream(std::unique_ptr<MidiMessageSink> sink, StreamDoneCallback done);
  // No callback runs once this has returned.
  ~TimedMidiStream() override;

  int setTimeDivision(int ticksPerQuarter) override;
  int out(StreamBuffer& buffer) override;
  int restart() override;
  // The notes sounding stop: a held chord would otherwise ring through the pause.
  int pause() override;
  int stop() override;
  int reset() override;
  uint32_t position() override;

 private:
  using Clock = std::chrono::steady_clock;
  void run();
  bool playNext(std::unique_lock<std::mutex>& lock);
  void play(const StreamEvent& event, double tick);
  double ticksNow() const;

  std::unique_ptr<MidiMessageSink> m_sink;
  StreamDoneCallback m_done;
  std::mutex m_lock;
  std::condition_variable m_wake;
  std::deque<StreamBuffer*> m_queue;
  size_t m_nextInBuffer = 0;
  bool m_running = false;
  bool m_quit = false;
  int m_division = 96;
  uint32_t m_tempo = kDefaultTempo;
  double m_anchorTicks = 0;  // the tick clock: ticks at m_anchorTime, counting on while running
  Clock::time_point m_anchorTime = Clock::now();
  uint64_t m_lastEventTick = 0;
  std::thread m_thread;
};

}  // namespace ts
