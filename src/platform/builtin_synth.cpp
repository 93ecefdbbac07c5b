#include "platform/builtin_synth.h"

#include <fluidsynth.h>

#include <mutex>

#include "platform/soundfont_choice.h"
#include "platform/timed_midi_stream.h"

namespace ts {
namespace {

// FluidSynth's own gain (0.2) leaves a piano page peaking near -24 dB; this
// brings it to about -16 dB, with room for full chords on many channels.
constexpr double kSynthGain = 0.5;

// FluidSynth reports through a log of its own, shared by the process: its
// errors are kept to tell the user why, the rest is not shown.
std::mutex g_logLock;
std::string g_lastError;

void keepError(int, const char* message, void*) {
  std::lock_guard lock(g_logLock);
  g_lastError = message != nullptr ? message : "";
}

void quietLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    fluid_set_log_function(FLUID_PANIC, keepError, nullptr);
    fluid_set_log_function(FLUID_ERR, keepError, nullptr);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  });
  std::lock_guard lock(g_logLock);
  g_lastError.clear();
}

std::string lastError() {
  std::lock_guard lock(g_logLock);
  return g_lastError;
}

// A whole system-exclusive message is F0 ... F7; FluidSynth wants what lies between.
void sendSystemExclusive(fluid_synth_t* synth, std::span<const uint8_t> bytes) {
  if (bytes.size() < 2 || bytes.front() != 0xF0 || bytes.back() != 0xF7) return;
  const std::span<const uint8_t> inner = bytes.subspan(1, bytes.size() - 2);
  fluid_synth_sysex(synth, reinterpret_cast<const char*>(inner.data()), static_cast<int>(inner.size()), nullptr,
                    nullptr, nullptr, 0);
}

void sendShort(fluid_synth_t* synth, uint32_t message) {
  const int channel = static_cast<int>(message & 0x0F);
  const int data1 = static_cast<int>(message >> 8 & 0x7F);
  const int data2 = static_cast<int>(message >> 16 & 0x7F);
  switch (message & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth, channel, data1); break;
    case 0x90: data2 == 0 ? fluid_synth_noteoff(synth, channel, data1) : fluid_synth_noteon(synth, channel, data1, data2); break;
    case 0xA0: fluid_synth_key_pressure(synth, channel, data1, data2); break;
    case 0xB0: fluid_synth_cc(synth, channel, data1, data2); break;
    case 0xC0: fluid_synth_program_change(synth, channel, data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth, channel, data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth, channel, data1 | data2 << 7); break;
    default: break;
  }
}

// Plays a stream's events into the synthesizer it owns.
class SynthSink : public MidiMessageSink {
 public:
  explicit SynthSink(std::unique_ptr<BuiltInSynth> synth) : m_synth(std::move(synth)) {}
  void shortMessage(uint32_t message) override { m_synth->shortMessage(message); }
  void longMessage(std::span<const uint8_t> bytes) override { m_synth->longMessage(bytes); }
  void silence() override { m_synth->silence(); }

 private:
  std::unique_ptr<BuiltInSynth> m_synth;
};

}  // namespace

struct BuiltInSynth::Parts {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_audio_driver_t* audio = nullptr;
  ~Parts() {
    if (audio != nullptr) delete_fluid_audio_driver(audio);
    if (synth != nullptr) delete_fluid_synth(synth);
    if (settings != nullptr) delete_fluid_settings(settings);
  }
};

BuiltInSynth::BuiltInSynth(std::unique_ptr<Parts> parts) : m_parts(std::move(parts)) {}

BuiltInSynth::~BuiltInSynth() = default;

std::unique_ptr<BuiltInSynth> BuiltInSynth::create(std::string_view soundfont, std::string& whyNot) {
  quietLog();
  const std::optional<std::string> path = findSoundfont(soundfont);
  if (!path) {
    whyNot = soundfont.empty() ? std::string(kNoSoundfont) : "there is no soundfont " + std::string(soundfont);
    return nullptr;
  }
  auto parts = std::make_unique<Parts>();
  parts->settings = new_fluid_settings();
  if (parts->settings != nullptr) {
    fluid_settings_setnum(parts->settings, "synth.sample-rate", kSynthSampleRate);
    fluid_settings_setnum(parts->settings, "synth.gain", kSynthGain);
  }
  parts->synth = parts->settings != nullptr ? new_fluid_synth(parts->settings) : nullptr;
  if (parts->synth == nullptr || fluid_synth_sfload(parts->synth, path->c_str(), 1) == FLUID_FAILED) {
    whyNot = "the soundfont " + *path + " cannot be loaded";
    return nullptr;
  }
  return std::unique_ptr<BuiltInSynth>(new BuiltInSynth(std::move(parts)));
}

bool BuiltInSynth::startAudio(std::string& whyNot) {
  quietLog();
  if (m_parts->audio == nullptr) m_parts->audio = new_fluid_audio_driver(m_parts->settings, m_parts->synth);
  if (m_parts->audio != nullptr) return true;
  const std::string detail = lastError();
  whyNot = "no sound: the built-in synthesizer found no audio device" + (detail.empty() ? "" : " (" + detail + ")");
  return false;
}

void BuiltInSynth::shortMessage(uint32_t message) { sendShort(m_parts->synth, message); }

void BuiltInSynth::longMessage(std::span<const uint8_t> bytes) { sendSystemExclusive(m_parts->synth, bytes); }

void BuiltInSynth::silence() { fluid_synth_all_sounds_off(m_parts->synth, -1); }

void BuiltInSynth::render(std::span<int16_t> frames) {
  const int count = static_cast<int>(frames.size() / 2);
  fluid_synth_write_s16(m_parts->synth, count, frames.data(), 0, 2, frames.data(), 1, 2);
}

std::unique_ptr<MidiOutputStream> BuiltInSynthDevice::open(StreamDoneCallback done, std::string& whyNot) {
  std::unique_ptr<BuiltInSynth> synth = BuiltInSynth::create({}, whyNot);
  if (!synth || !synth->startAudio(whyNot)) return nullptr;
  return std::make_unique<TimedMidiStream>(std::make_unique<SynthSink>(std::move(synth)), std::move(done));
}

}  // namespace ts
