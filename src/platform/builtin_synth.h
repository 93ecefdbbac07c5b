#pragma once
// The built-in General MIDI synthesizer: FluidSynth with a packaged
// soundfont. It sounds through the platform's audio, or renders samples
// for a file without any audio device.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/midi_stream.h"

namespace ts {

inline constexpr int kSynthSampleRate = 44100;
inline constexpr const char* kBuiltInSynthName = "Built-in synthesizer (General MIDI)";

class BuiltInSynth {
 public:
  // Nothing when no soundfont can be found or loaded (`whyNot` says why);
  // `soundfont` empty takes the packaged one.
  static std::unique_ptr<BuiltInSynth> create(std::string_view soundfont, std::string& whyNot);
  ~BuiltInSynth();
  BuiltInSynth(const BuiltInSynth&) = delete;
  BuiltInSynth& operator=(const BuiltInSynth&) = delete;

  // Starts sounding through the platform's audio; false (and why) when
  // there is no audio device.
  bool startAudio(std::string& whyNot);
  void shortMessage(uint32_t message);
  void longMessage(std::span<const uint8_t> bytes);
  void silence();
  // The next stereo frames, left and right interleaved.
  void render(std::span<int16_t> frames);

 private:
  struct Parts;
  explicit BuiltInSynth(std::unique_ptr<Parts> parts);
  std::unique_ptr<Parts> m_parts;
};

// The built-in synthesizer as an output device for the sequencer.
class BuiltInSynthDevice : public MidiOutputDevice {
 public:
  std::string name() const override { return kBuiltInSynthName; }
  std::unique_ptr<MidiOutputStream> open(StreamDoneCallback done, std::string& whyNot) override;
};

}  // namespace ts
