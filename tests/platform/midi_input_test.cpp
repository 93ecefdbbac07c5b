// MIDI keyboards: the devices opened at start-up with their messages, the
// circular buffer of 200 events with its overflow flag, and message 400
// handing one event at a time to the last-event record with its busy flag.

#include "platform/midi_input.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

TEST(MidiInputBuffer, HoldsTwoHundredEventsThenOverflows) {
  MidiInputBuffer buffer;
  for (uint32_t i = 0; i < kMidiInputEvents; ++i) ASSERT_TRUE(buffer.push(MidiInputEvent{0, 0, i, 0x90}));
  EXPECT_FALSE(buffer.overflowed());
  EXPECT_FALSE(buffer.push(MidiInputEvent{0, 0, 999, 0x90}));
  EXPECT_TRUE(buffer.overflowed());
  EXPECT_EQ(buffer.count(), 200);
  // Round the ring: the oldest comes out first, and a freed place takes a new event.
  EXPECT_EQ(buffer.pop()->timestamp, 0u);
  ASSERT_TRUE(buffer.push(MidiInputEvent{0, 0, 200, 0x90}));
  for (uint32_t i = 1; i <= kMidiInputEvents; ++i) EXPECT_EQ(buffer.pop()->timestamp, i);
  EXPECT_FALSE(buffer.pop());
}

TEST(MidiInputBuffer, MessageFourHundredWaitsForTheEngineToTakeTheLastEvent) {
  MidiInputBuffer buffer;
  LastMidiInput last;
  EXPECT_FALSE(takeMidiInput(buffer, last));  // nothing came
  buffer.push(MidiInputEvent{0, 1, 10, 0x403C90});
  buffer.push(MidiInputEvent{0, 1, 20, 0x003C80});
  EXPECT_TRUE(takeMidiInput(buffer, last));  // one more waits
  EXPECT_TRUE(last.busy);
  EXPECT_EQ(last.device, 1u);
  EXPECT_EQ(last.timestamp, 10u);
  EXPECT_EQ(last.message, 0x403C90u);
  EXPECT_EQ(last.status, 0x90);
  EXPECT_TRUE(takeMidiInput(buffer, last));  // busy: the event stays in the buffer
  EXPECT_EQ(last.timestamp, 10u);
  last.busy = false;  // the engine took it
  EXPECT_FALSE(takeMidiInput(buffer, last));
  EXPECT_EQ(last.timestamp, 20u);
  EXPECT_EQ(last.status, 0x80);
}

TEST(MidiInput, OpensEveryDeviceUpToEightAndSaysWhichFailed) {
  FakeMidiInputDevices devices;
  for (int i = 0; i < 10; ++i) devices.names.push_back("Keyboard " + std::to_string(i));
  devices.refuseOpen = {2};
  int posted = 0;
  MidiInput input(devices, [&] { ++posted; });
  const std::vector<std::string> messages = input.openAll();
  EXPECT_EQ(messages, (std::vector<std::string>{"The device is busy.", "midiInOpen(2)"}));
  EXPECT_EQ(input.opened(), 7);
  EXPECT_EQ(devices.started, (std::vector<int>{0, 1, 3, 4, 5, 6, 7}));
  EXPECT_TRUE(input.available());

  devices.play(1, 0x403C90);  // MIDI-input mode is off: nothing is kept
  EXPECT_EQ(posted, 0);
  input.setInputMode(true);
  devices.play(1, 0x403C90, 5);
  devices.play(9, 0x403C90);  // never opened
  EXPECT_EQ(posted, 1);
  EXPECT_FALSE(input.onMessage());
  EXPECT_EQ(input.last().timestamp, 5u);
}

TEST(MidiInput, WithoutDevicesThereIsNoInputAndNoMessage) {
  FakeMidiInputDevices devices;
  MidiInput input(devices, [] {});
  EXPECT_TRUE(input.openAll().empty());
  EXPECT_FALSE(input.available());
  EXPECT_FALSE(input.onMessage());
}

}  // namespace
}  // namespace ts
