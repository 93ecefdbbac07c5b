#include "platform/fake_midi_output.h"

namespace ts {

class FakeMidiStream : public MidiOutputStream {
 public:
  explicit FakeMidiStream(FakeMidiOutput& device) : m_device(device) {}
  ~FakeMidiStream() override {
    ++m_device.m_record.closed;
    m_device.m_open = false;
    m_device.m_queue.clear();
  }
  int setTimeDivision(int ticksPerQuarter) override {
    m_device.m_record.timeDivision = ticksPerQuarter;
    return kMidiDone;
  }
  int out(StreamBuffer& buffer) override {
    if (m_device.m_refuse) return kMidiDeviceNotReady;
    m_device.m_record.buffers.push_back(buffer.events);
    m_device.m_queue.push_back(&buffer);
    return kMidiDone;
  }
  int restart() override { return call("restart"); }
  int pause() override { return call("pause"); }
  int stop() override {
    call("stop");
    giveAllBack();
    return kMidiDone;
  }
  int reset() override {
    call("reset");
    giveAllBack();
    return kMidiDone;
  }
  uint32_t position() override { return m_device.m_position; }

 private:
  int call(const char* name) {
    m_device.m_record.calls.emplace_back(name);
    return kMidiDone;
  }
  void giveAllBack() {
    m_device.m_position = 0;
    while (m_device.finishNextBuffer()) {
    }
  }

  FakeMidiOutput& m_device;
};

std::unique_ptr<MidiOutputStream> FakeMidiOutput::open(StreamDoneCallback done, std::string& whyNot) {
  if (!m_failure.empty()) {
    whyNot = std::exchange(m_failure, {});
    return nullptr;
  }
  m_done = std::move(done);
  m_open = true;
  m_queue.clear();
  ++m_record.opened;
  return std::make_unique<FakeMidiStream>(*this);
}

bool FakeMidiOutput::finishNextBuffer() {
  if (m_queue.empty() || !m_open) return false;
  StreamBuffer* buffer = m_queue.front();
  m_queue.pop_front();
  m_done(*buffer);
  return true;
}

}  // namespace ts
