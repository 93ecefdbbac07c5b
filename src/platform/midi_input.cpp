#include "platform/midi_input.h"

#include <algorithm>
#include <new>

namespace ts {

std::string midi_input_messages::openFailed(int device) { return "midiInOpen(" + std::to_string(device) + ")"; }

bool MidiInputBuffer::push(const MidiInputEvent& event) {
  std::lock_guard lock(m_writers);
  if (m_count.load() >= static_cast<int>(kMidiInputEvents)) {
    m_overflow = true;
    return false;
  }
  m_events[m_write] = event;
  m_write = (m_write + 1) % kMidiInputEvents;
  m_count.fetch_add(1);  // after the event is in place: the reader sees it whole
  return true;
}

std::optional<MidiInputEvent> MidiInputBuffer::pop() {
  if (m_count.load() == 0) return std::nullopt;
  const MidiInputEvent event = m_events[m_read];
  m_read = (m_read + 1) % kMidiInputEvents;
  m_count.fetch_sub(1);  // after the event is read: the writers may reuse its place
  return event;
}

bool takeMidiInput(MidiInputBuffer& buffer, LastMidiInput& last) {
  if (last.busy) return true;
  const std::optional<MidiInputEvent> event = buffer.pop();
  if (!event) return false;
  last.device = event->device;
  last.timestamp = event->timestamp;
  last.message = event->message;
  last.status = static_cast<uint8_t>(event->message & 0xFF);
  last.busy = true;
  return buffer.count() > 0;
}

MidiInput::MidiInput(MidiInputDevices& devices, Post post) : m_devices(devices), m_post(std::move(post)) {}

std::vector<std::string> MidiInput::openAll() {
  std::vector<std::string> messages;
  const int devices = std::min(m_devices.count(), kMostMidiInputDevices);
  if (devices <= 0) return messages;
  for (int device = 0; device < devices; ++device) {
    std::string whyNot;
    if (!m_devices.name(device, whyNot)) {
      messages.push_back(whyNot);
      messages.emplace_back(midi_input_messages::kCapabilities);
    }
  }
  m_buffer.reset(new (std::nothrow) MidiInputBuffer);
  if (!m_buffer) {
    messages.emplace_back(midi_input_messages::kNoMemoryForBuffer);
    return messages;
  }
  std::vector<int> opened;
  for (int device = 0; device < devices; ++device) {
    std::string whyNot;
    if (m_devices.open(device, [this](const MidiInputEvent& event) { arrived(event); }, whyNot)) {
      opened.push_back(device);
    } else {
      messages.push_back(whyNot);
      messages.push_back(midi_input_messages::openFailed(device));
    }
  }
  for (int device : opened) m_devices.start(device);
  m_opened = static_cast<int>(opened.size());
  m_available = m_opened > 0;
  return messages;
}

void MidiInput::arrived(const MidiInputEvent& event) {
  if (!m_inputMode.load()) return;
  m_buffer->push(event);
  m_post();
}

std::optional<std::string> FakeMidiInputDevices::name(int device, std::string& whyNot) {
  if (device < 0 || device >= count()) {
    whyNot = "no such device";
    return std::nullopt;
  }
  return names[static_cast<size_t>(device)];
}

bool FakeMidiInputDevices::open(int device, Callback callback, std::string& whyNot) {
  if (std::find(refuseOpen.begin(), refuseOpen.end(), device) != refuseOpen.end()) {
    whyNot = "The device is busy.";
    return false;
  }
  m_callbacks.emplace_back(device, std::move(callback));
  return true;
}

bool FakeMidiInputDevices::start(int device) {
  started.push_back(device);
  return true;
}

void FakeMidiInputDevices::play(int device, uint32_t message, uint32_t timestamp) {
  for (auto& [opened, callback] : m_callbacks) {
    if (opened == device) callback(MidiInputEvent{0, static_cast<uint32_t>(device), timestamp, message});
  }
}

}  // namespace ts
