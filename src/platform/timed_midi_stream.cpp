#include "platform/timed_midi_stream.h"

#include <algorithm>

namespace ts {
namespace {

// The longest the thread sleeps before it looks at its clock again, so
// that a tempo change or a pause is never far behind.
constexpr auto kLongestSleep = std::chrono::milliseconds(50);

}  // namespace

TimedMidiStream::TimedMidiStream(std::unique_ptr<MidiMessageSink> sink, StreamDoneCallback done)
    : m_sink(std::move(sink)), m_done(std::move(done)), m_thread([this] { run(); }) {}

TimedMidiStream::~TimedMidiStream() {
  {
    std::lock_guard lock(m_lock);
    m_quit = true;
    m_sink->silence();
  }
  m_wake.notify_all();
  m_thread.join();
}

int TimedMidiStream::setTimeDivision(int ticksPerQuarter) {
  if (ticksPerQuarter <= 0) return kMidiNotPossibleNow;
  std::lock_guard lock(m_lock);
  m_division = ticksPerQuarter;
  return kMidiDone;
}

int TimedMidiStream::out(StreamBuffer& buffer) {
  {
    std::lock_guard lock(m_lock);
    m_queue.push_back(&buffer);
  }
  m_wake.notify_all();
  return kMidiDone;
}

double TimedMidiStream::ticksNow() const {
  if (!m_running) return m_anchorTicks;
  const double micros = std::chrono::duration<double, std::micro>(Clock::now() - m_anchorTime).count();
  return m_anchorTicks + micros * m_division / std::max<uint32_t>(m_tempo, 1);
}

int TimedMidiStream::restart() {
  {
    std::lock_guard lock(m_lock);
    if (!m_running) {
      m_anchorTime = Clock::now();
      m_running = true;
    }
  }
  m_wake.notify_all();
  return kMidiDone;
}

int TimedMidiStream::pause() {
  std::lock_guard lock(m_lock);
  m_anchorTicks = ticksNow();
  m_running = false;
  m_sink->silence();
  return kMidiDone;
}

int TimedMidiStream::stop() {
  std::deque<StreamBuffer*> returned;
  {
    std::lock_guard lock(m_lock);
    returned.swap(m_queue);
    m_nextInBuffer = 0;
    m_running = false;
    m_anchorTicks = 0;
    m_lastEventTick = 0;
    m_sink->silence();
  }
  for (StreamBuffer* buffer : returned) m_done(*buffer);
  return kMidiDone;
}

int TimedMidiStream::reset() { return stop(); }

uint32_t TimedMidiStream::position() {
  std::lock_guard lock(m_lock);
  return static_cast<uint32_t>(std::min(ticksNow(), 4294967295.0));
}

void TimedMidiStream::run() {
  std::unique_lock lock(m_lock);
  while (!m_quit) {
    if (!m_running || m_queue.empty()) {
      m_wake.wait(lock);
      continue;
    }
    if (!playNext(lock)) continue;
    StreamBuffer* finished = m_queue.front();
    m_queue.pop_front();
    m_nextInBuffer = 0;
    lock.unlock();
    m_done(*finished);
    lock.lock();
  }
}

// Plays the front buffer's next event when it is due, or sleeps towards
// it; true when the buffer has no event left.
bool TimedMidiStream::playNext(std::unique_lock<std::mutex>& lock) {
  const StreamBuffer& buffer = *m_queue.front();
  if (m_nextInBuffer >= buffer.events.size()) return true;
  const StreamEvent& event = buffer.events[m_nextInBuffer];
  const uint64_t due = m_lastEventTick + event.delta;
  const double now = ticksNow();
  if (now < static_cast<double>(due)) {
    const double micros = (static_cast<double>(due) - now) * std::max<uint32_t>(m_tempo, 1) / m_division;
    const auto wait = std::chrono::duration<double, std::micro>(micros);
    m_wake.wait_for(lock, std::min<std::chrono::duration<double, std::micro>>(wait, kLongestSleep));
    return false;
  }
  play(event, now);
  m_lastEventTick = due;
  ++m_nextInBuffer;
  return false;
}

void TimedMidiStream::play(const StreamEvent& event, double tick) {
  switch (event.kind) {
    case StreamEvent::Kind::Short: m_sink->shortMessage(event.message); break;
    case StreamEvent::Kind::Long: m_sink->longMessage(event.bytes); break;
    case StreamEvent::Kind::Tempo:
      m_anchorTicks = tick;
      m_anchorTime = Clock::now();
      m_tempo = event.message;
      break;
    case StreamEvent::Kind::Nop: break;
  }
}

}  // namespace ts
