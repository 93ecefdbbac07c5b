// The stream that keeps time itself: events reach the sink in order, once
// restarted; buffers come back as they finish; stop gives back the rest
// at once and silences the sink.

#include "platform/timed_midi_stream.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace ts {
namespace {

struct Heard {
  std::mutex lock;
  std::condition_variable changed;
  std::vector<uint32_t> messages;
  int silences = 0;
  std::vector<StreamBuffer*> returned;
};

class RecordingSink : public MidiMessageSink {
 public:
  explicit RecordingSink(Heard& heard) : m_heard(heard) {}
  void shortMessage(uint32_t message) override {
    std::lock_guard lock(m_heard.lock);
    m_heard.messages.push_back(message);
  }
  void longMessage(std::span<const uint8_t>) override {}
  void silence() override {
    std::lock_guard lock(m_heard.lock);
    ++m_heard.silences;
  }

 private:
  Heard& m_heard;
};

StreamBuffer bufferOf(std::vector<StreamEvent> events) {
  StreamBuffer buffer;
  buffer.size = 4096;
  for (StreamEvent& event : events) buffer.append(std::move(event));
  return buffer;
}

TEST(TimedMidiStream, PlaysInOrderAndGivesBuffersBack) {
  Heard heard;
  auto done = [&](StreamBuffer& buffer) {
    std::lock_guard lock(heard.lock);
    heard.returned.push_back(&buffer);
    heard.changed.notify_all();
  };
  TimedMidiStream stream(std::make_unique<RecordingSink>(heard), done);
  ASSERT_EQ(stream.setTimeDivision(96), kMidiDone);
  // A quarter of 2 milliseconds: the piece takes a few milliseconds.
  StreamBuffer first = bufferOf({{0, StreamEvent::Kind::Tempo, 2000, {}}, {0, StreamEvent::Kind::Short, 0x90, {}},
                                 {96, StreamEvent::Kind::Short, 0x80, {}}});
  StreamBuffer second = bufferOf({{96, StreamEvent::Kind::Short, 0x91, {}}, {48, StreamEvent::Kind::Nop, 0, {}}});
  stream.out(first);
  stream.out(second);
  {
    std::unique_lock lock(heard.lock);
    EXPECT_FALSE(heard.changed.wait_for(lock, std::chrono::milliseconds(30), [&] { return !heard.messages.empty(); }));
  }
  stream.restart();
  std::unique_lock lock(heard.lock);
  ASSERT_TRUE(heard.changed.wait_for(lock, std::chrono::seconds(5), [&] { return heard.returned.size() == 2; }));
  EXPECT_EQ(heard.messages, (std::vector<uint32_t>{0x90, 0x80, 0x91}));
  EXPECT_EQ(heard.returned, (std::vector<StreamBuffer*>{&first, &second}));
}

TEST(TimedMidiStream, StopGivesBackWhatIsQueuedAndSilences) {
  Heard heard;
  std::vector<StreamBuffer*> returned;
  TimedMidiStream stream(std::make_unique<RecordingSink>(heard), [&](StreamBuffer& b) { returned.push_back(&b); });
  stream.setTimeDivision(96);
  StreamBuffer slow = bufferOf({{0, StreamEvent::Kind::Short, 0x90, {}}, {96 * 600, StreamEvent::Kind::Short, 0x80, {}}});
  stream.out(slow);
  stream.restart();
  stream.pause();
  const uint32_t paused = stream.position();
  EXPECT_EQ(stream.position(), paused);  // the clock stands still in a pause
  stream.stop();
  EXPECT_EQ(returned, (std::vector<StreamBuffer*>{&slow}));
  EXPECT_EQ(stream.position(), 0u);
  std::lock_guard lock(heard.lock);
  EXPECT_EQ(heard.silences, 2);  // the pause and the stop
}

}  // namespace
}  // namespace ts
