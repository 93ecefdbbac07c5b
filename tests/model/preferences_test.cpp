#include "model/preferences.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

TEST(Preferences, WrittenInTheWritersOrderAndFields) {
  Preferences p;
  p.baseMidiKey = 60;
  p.version = 4.0f;
  p.symbolLibrary = "C:\\Program Files\\tonesmith\\CANTLIB\\";
  p.fontLibrary = "C:\\tonesmith\\FONTLIB\\";
  p.editPointer = -3;
  p.metric = true;
  EXPECT_EQ(writePreferences(p),
            "REST    6\n"
            "BEAM 10.00\n"
            "BMTH   -2\n"
            "TIES  0\n"
            "SLUR  0.75\n"
            "MIDK C4 \n"
            "METRIC\n"
            "DYNAMICS -0.50\n"
            "DASH 1.29\n"
            "XDASH  0\n"
            "AFTC  1.80\n"
            "AFTB  1.50\n"
            "AFTK  2.80\n"
            "AFTM  0.90\n"
            "SYMB  C:\\Program Files\\tonesmith\\CANTLIB\\\n"
            "FONT  C:\\tonesmith\\FONTLIB\\\n"
            "PRNT  \\\\COMPUTER\\PRINTER\n"
            "ADOBE 0\n"
            "FULL  0\n"
            "EDPT  0\n"
            "VER  5.01\n"
            "PAPER 1\n"
            "TXTD  /\n");
}

TEST(Preferences, WhatIsWrittenReadsBack) {
  Preferences p;
  p.metric = true;
  p.beam = 0.125f;
  p.beamTilt = 3;
  p.wholeRestFont = 7;
  p.baseMidiKey = 48;
  p.afterClef = 2.25f;
  p.symbolLibrary = "D:\\my lib\\CANTLIB\\";
  p.networkPrinter = "\\\\office\\laser";
  p.paperOutline = 6;
  p.postScriptScreenFonts = true;
  p.textDivide = '|';
  p.editPointer = 1;
  const PreferencesRead read = readPreferences(writePreferences(p));
  EXPECT_TRUE(read.problems.empty());
  EXPECT_EQ(writePreferences(read.preferences), writePreferences(p));
}

TEST(Preferences, HandWrittenLinesReadAndDamagedOnesKeepTheirDefault) {
  const PreferencesRead read = readPreferences(
      "slur\t0.5\r\n"          // lower case, a tab, CR LF
      "BMTH tilt\n"             // not a number
      "AFTB 1e9\n"              // beyond any setting
      "PAPER 9\n"               // no such paper
      "MIDK D4\n"               // only C is a base key
      "DYNAMICS   -1.25   \n"   // other spacing
      "NSLR 1\nARRO 1\nPROC 486\n"
      "WHAT is this\n");        // no key: passed over
  EXPECT_FLOAT_EQ(read.preferences.slurThickness, 0.5f);
  EXPECT_EQ(read.preferences.beamTilt, -2);
  EXPECT_FLOAT_EQ(read.preferences.afterBar, 1.5f);
  EXPECT_EQ(read.preferences.paperOutline, 1);
  EXPECT_EQ(read.preferences.baseMidiKey, 36);
  EXPECT_FLOAT_EQ(read.preferences.dynamicsOffset, -1.25f);
  EXPECT_TRUE(read.preferences.newSlurFeatures && read.preferences.arrowKeys);
  EXPECT_EQ(read.preferences.processor, "486");
  ASSERT_EQ(read.problems.size(), 4u);
  EXPECT_EQ(read.problems[0], "PREF.DAT line 2 is not understood (BMTH tilt); its default is kept.");
  // Read-only keys are never written back.
  EXPECT_EQ(writePreferences(read.preferences).find("NSLR"), std::string::npos);
}

TEST(Preferences, MidiKeyNames) {
  EXPECT_EQ(midiKeyName(60), "C4");
  EXPECT_EQ(midiKeyName(36), "C2");
  EXPECT_EQ(midiKeyName(0), "C0");  // one digit is all the field holds
  EXPECT_EQ(midiKeyFromName(" c5 "), 72);
  EXPECT_FALSE(midiKeyFromName("C10"));
  EXPECT_FALSE(midiKeyFromName("C#4"));
}

}  // namespace
}  // namespace ts
