#pragma once
// A MIDI output device for tests: it records what its streams were handed
// and gives buffers back only when the test says so (stop and reset give
// them all back at once, as a real stream does).

#include <deque>
#include <utility>
#include <string>
#include <vector>

#include "platform/midi_stream.h"

namespace ts {

class FakeMidiOutput : public MidiOutputDevice {
 public:
  // What every stream opened on the device was handed, in order.
  struct Record {
    int opened = 0;
    int closed = 0;
    int timeDivision = 0;
    std::vector<std::string> calls;           // "restart", "pause", "stop", "reset"
    std::vector<std::vector<StreamEvent>> buffers;  // each buffer's events as handed over
  };

  std::string name() const override { return "Fake MIDI output"; }
  std::unique_ptr<MidiOutputStream> open(StreamDoneCallback done, std::string& whyNot) override;

  // The next open fails with this reason.
  void failNextOpen(std::string why) { m_failure = std::move(why); }
  // The open stream refuses buffers from now on.
  void refuseBuffers(bool refuse) { m_refuse = refuse; }
  // Gives the oldest queued buffer back, as a stream does once it has
  // played it; false when none is queued.
  bool finishNextBuffer();
  int queued() const { return static_cast<int>(m_queue.size()); }
  void setPosition(uint32_t ticks) { m_position = ticks; }
  const Record& record() const { return m_record; }

 private:
  friend class FakeMidiStream;
  StreamDoneCallback m_done;
  std::deque<StreamBuffer*> m_queue;
  std::string m_failure;
  bool m_refuse = false;
  bool m_open = false;
  uint32_t m_position = 0;
  Record m_record;
};

}  // namespace ts
