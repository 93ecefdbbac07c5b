#include "shell/midi_player.h"

namespace ts::shell {

std::string playbackFailure(int error, const std::string& why) {
  std::string text = std::string(player_messages::kFailed) + " (" + std::to_string(error) + ": " + midiErrorText(error) + ")";
  return why.empty() ? text : text + ": " + why;
}

MidiPlayer::MidiPlayer(std::vector<std::unique_ptr<MidiOutputDevice>> devices, Post post, ReadFile read)
    : m_devices(std::move(devices)), m_read(std::move(read)), m_sequencer(std::move(post)) {
  m_sequencer.setDevice(m_devices.empty() ? nullptr : m_devices.front().get());
}

std::vector<std::string> MidiPlayer::deviceNames() const {
  std::vector<std::string> names;
  for (const std::unique_ptr<MidiOutputDevice>& device : m_devices) names.push_back(device->name());
  return names;
}

bool MidiPlayer::chooseDevice(int number) {
  if (number < 0 || number >= static_cast<int>(m_devices.size())) return false;
  m_device = number;
  m_sequencer.setDevice(m_devices[static_cast<size_t>(number)].get());
  return true;
}

MidiPlayback MidiPlayer::result(int error) {
  if (error == kMidiDone) return {true, {}};
  const std::string why = error == kMidiDeviceNotReady ? m_sequencer.deviceError() : std::string();
  return {false, playbackFailure(error, why)};
}

MidiPlayback MidiPlayer::play(std::string fileName, std::span<const uint8_t> bytes) {
  return result(m_sequencer.play(bytes, std::move(fileName)));
}

MidiPlayback MidiPlayer::playFile(const std::string& fileName) {
  const std::vector<uint8_t> bytes = m_read(fileName);
  if (bytes.empty()) return {false, std::string(player_messages::kCannotRead) + " " + fileName};
  return play(fileName, bytes);
}

int MidiPlayer::pauseOrResume() {
  return m_sequencer.state() == SequencerState::Paused ? m_sequencer.resume() : m_sequencer.pause();
}

int MidiPlayer::stop() { return m_sequencer.stop(); }

std::string MidiPlayer::control(PlaybackControl control) {
  if (!playing()) return player_messages::kNothingPlaying;
  const int error = control == PlaybackControl::Stop ? stop() : pauseOrResume();
  if (error != kMidiDone) return playbackFailure(error, "");
  if (control == PlaybackControl::Stop) return player_messages::kStopped;
  return m_sequencer.state() == SequencerState::Paused ? player_messages::kPaused : player_messages::kPlaying;
}

bool MidiPlayer::onDone(const SequencerNotice& notice) {
  m_sequencer.closeIdleStream();
  return notice.endedByItself == 1;
}

std::string MidiPlayer::windowTitle() const { return player_messages::kTitle + m_sequencer.fileName(); }

bool MidiPlayer::playing() const {
  const SequencerState state = m_sequencer.state();
  return state == SequencerState::Playing || state == SequencerState::Paused;
}

}  // namespace ts::shell
