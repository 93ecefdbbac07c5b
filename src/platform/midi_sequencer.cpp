#include "platform/midi_sequencer.h"

#include <algorithm>

namespace ts {

std::optional<size_t> bufferSizeFor(size_t eventBytes) {
  size_t size = kFirstBufferBytes;
  while (eventBytes > size - kStreamHeaderBytes) {
    if (size >= kLargestBufferBytes) return std::nullopt;
    size *= 2;
  }
  return size;
}

namespace {

size_t largestEventBytes(const MidiSequence& sequence) {
  size_t largest = 0;
  for (const StreamEvent& event : sequence.events) largest = std::max(largest, streamEventBytes(event));
  return largest;
}

bool sounding(SequencerState state) { return state == SequencerState::Playing || state == SequencerState::Paused; }

}  // namespace

MidiSequencer::MidiSequencer(Notify notify) : m_notify(std::move(notify)) {}

MidiSequencer::~MidiSequencer() { close(); }

SequencerState MidiSequencer::state() const {
  std::lock_guard lock(m_lock);
  return m_state;
}

int MidiSequencer::buffersOut() const {
  std::lock_guard lock(m_lock);
  return m_buffersOut;
}

int MidiSequencer::openFile(std::span<const uint8_t> bytes, std::string fileName) {
  if (const SequencerState now = state(); now != SequencerState::NoFile && now != SequencerState::Opened) {
    return kMidiNotPossibleNow;
  }
  dropStream();
  MidiFileRead read = readMidiFile(bytes);
  std::lock_guard lock(m_lock);
  m_fileName = std::move(fileName);
  m_sequence = read.error == kMidiDone ? std::move(read.sequence) : MidiSequence{};
  m_state = read.error == kMidiDone ? SequencerState::Opened : SequencerState::NoFile;
  return read.error;
}

int MidiSequencer::play(std::span<const uint8_t> bytes, std::string fileName) {
  if (const SequencerState now = state(); now == SequencerState::Prerolled || sounding(now)) stop();
  if (const int error = openFile(bytes, std::move(fileName)); error != kMidiDone) return error;
  if (const int error = preroll(); error != kMidiDone) return error;
  return start();
}

int MidiSequencer::preroll() {
  std::unique_lock lock(m_lock);
  if (m_state != SequencerState::Opened && m_state != SequencerState::Prerolled) return kMidiNotPossibleNow;
  dropStream(lock, m_stream && !m_streamIdle);
  m_state = SequencerState::Prerolling;
  m_nextEvent = 0;
  m_endOfFile = false;
  const std::optional<size_t> size = bufferSizeFor(largestEventBytes(m_sequence));
  lock.unlock();
  if (!size) return failPreroll(kMidiOutOfMemory);
  m_bufferSize = *size;
  if (const int error = openStream(); error != kMidiDone) return failPreroll(error);
  if (const int error = sendBuffers(); error != kMidiDone) return failPreroll(error);
  lock.lock();
  m_state = SequencerState::Prerolled;
  return kMidiDone;
}

int MidiSequencer::openStream() {
  if (m_device == nullptr) {
    m_deviceError = "no MIDI output device is chosen";
    return kMidiDeviceNotReady;
  }
  m_deviceError.clear();
  std::unique_ptr<MidiOutputStream> stream =
      m_device->open([this](StreamBuffer& buffer) { streamDone(buffer); }, m_deviceError);
  if (!stream) return kMidiDeviceNotReady;
  const int error = stream->setTimeDivision(m_sequence.division);
  std::lock_guard lock(m_lock);
  m_stream = std::move(stream);
  m_streamIdle = false;
  return error;
}

// The stream is paused until started, so nothing comes back meanwhile.
int MidiSequencer::sendBuffers() {
  for (StreamBuffer& buffer : m_buffers) {
    std::unique_lock lock(m_lock);
    buffer.size = m_bufferSize;
    if (m_endOfFile || !fill(buffer)) break;
    ++m_buffersOut;
    lock.unlock();
    if (const int error = m_stream->out(buffer); error != kMidiDone) {
      lock.lock();
      --m_buffersOut;
      return error;
    }
  }
  return kMidiDone;
}

// With the lock held: a stream that may still hold buffers is reset first
// and its buffers waited for; then the stream is dropped.
void MidiSequencer::dropStream(std::unique_lock<std::mutex>& lock, bool reset) {
  if (reset) {
    m_state = SequencerState::Resetting;
    lock.unlock();
    m_stream->reset();
    lock.lock();
    waitForBuffers(lock);
  }
  lock.unlock();
  dropStream();
  lock.lock();
}

int MidiSequencer::failPreroll(int error) {
  std::unique_lock lock(m_lock);
  dropStream(lock, m_stream != nullptr);
  m_state = SequencerState::Opened;
  return error;
}

// With the lock held. The last event placed marks the end of the file.
bool MidiSequencer::fill(StreamBuffer& buffer) {
  buffer.clear();
  const std::vector<StreamEvent>& events = m_sequence.events;
  while (m_nextEvent < events.size() && buffer.append(events[m_nextEvent])) ++m_nextEvent;
  if (m_nextEvent >= events.size()) m_endOfFile = true;
  return !buffer.events.empty();
}

void MidiSequencer::streamDone(StreamBuffer& buffer) {
  SequencerNotice notice{kSequencerDoneMessage, this, 0};
  {
    std::lock_guard lock(m_lock);
    --m_buffersOut;
    if (sounding(m_state) && !m_endOfFile && m_stream && fill(buffer)) {
      ++m_buffersOut;
      if (m_stream->out(buffer) == kMidiDone) return;
      --m_buffersOut;
      m_state = SequencerState::Stopping;  // the stream refuses more: the piece did not end by itself
    }
    buffer.clear();
    if (m_buffersOut > 0) return;
    const SequencerState was = m_state;
    m_state = SequencerState::Opened;
    m_streamIdle = true;
    m_returned.notify_all();
    // A reset belongs to a preroll under way, which goes on: nothing ended.
    if (was == SequencerState::Resetting || was == SequencerState::Prerolling) return;
    notice.endedByItself = sounding(was) ? 1 : 0;
  }
  if (m_notify) m_notify(notice);
}

bool MidiSequencer::waitForBuffers(std::unique_lock<std::mutex>& lock) {
  if (m_returned.wait_for(lock, m_returnTimeout, [this] { return m_buffersOut == 0; })) return true;
  m_state = SequencerState::Opened;  // the stream is given up: closing it takes the buffers back
  return false;
}

void MidiSequencer::dropStream() {
  std::unique_ptr<MidiOutputStream> stream;
  {
    std::lock_guard lock(m_lock);
    stream = std::move(m_stream);
    m_streamIdle = false;
    m_buffersOut = 0;
  }
}

void MidiSequencer::closeIdleStream() {
  {
    std::lock_guard lock(m_lock);
    if (!m_streamIdle) return;
  }
  dropStream();
}

// One step of the player's state around a call on the stream: the state
// changes before the call (the stream's callbacks look at it) and goes back
// when the call fails.
int MidiSequencer::step(SequencerState from, SequencerState to, int (MidiOutputStream::*call)()) {
  {
    std::lock_guard lock(m_lock);
    if (m_state != from) return kMidiNotPossibleNow;
    m_state = to;
  }
  const int error = (m_stream.get()->*call)();
  if (error != kMidiDone) {
    std::lock_guard lock(m_lock);
    if (m_state == to) m_state = from;
  }
  return error;
}

int MidiSequencer::start() { return step(SequencerState::Prerolled, SequencerState::Playing, &MidiOutputStream::restart); }

int MidiSequencer::pause() { return step(SequencerState::Playing, SequencerState::Paused, &MidiOutputStream::pause); }

int MidiSequencer::resume() { return step(SequencerState::Paused, SequencerState::Playing, &MidiOutputStream::restart); }

int MidiSequencer::stop() {
  std::unique_lock lock(m_lock);
  if (m_state != SequencerState::Prerolled && !sounding(m_state)) return kMidiNotPossibleNow;
  m_state = SequencerState::Stopping;
  lock.unlock();
  m_stream->stop();
  lock.lock();
  const bool allBack = waitForBuffers(lock);
  lock.unlock();
  dropStream();
  return allBack ? kMidiDone : kMidiDeviceNotReady;
}

int MidiSequencer::close() {
  if (const SequencerState now = state(); now == SequencerState::Prerolled || sounding(now)) stop();
  dropStream();
  std::lock_guard lock(m_lock);
  m_sequence = MidiSequence{};
  m_state = SequencerState::NoFile;
  return kMidiDone;
}

uint32_t MidiSequencer::position() {
  {
    std::lock_guard lock(m_lock);
    if (!m_stream || m_streamIdle) return 0;
  }
  return m_stream->position();
}

}  // namespace ts
