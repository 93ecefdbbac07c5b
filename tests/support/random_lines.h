#pragma once
// Seeded random command lines for the stress tests: real commands of every
// family, parameter edits and "IF" lines, and for hostile runs extreme
// numbers, clicks at the ends of the int range, keys and garbage bytes.

#include <random>
#include <string>
#include <vector>

namespace ts::testing {

class RandomLines {
 public:
  explicit RandomLines(unsigned seed) : m_random(seed) {}

  std::string line() {
    static const std::vector<std::string> words = {
        "NOTE", "REST", "TREB", "BASS", "STAFF", "BAR", "SLUR", "BEAM", "LINE", "KSIG", "METER", "PP", "F",
        "CRES", "TIE", "END2", "8VA", "WNO", "ERE", "I", "II", "X", "NEX", "B", "NZ", "BZ", "AB", "ABX",
        "C", "CC", "CX", "DE", "DEN", "DEB", "U", "D", "L", "R", "UU", "DD", "LL", "RR", "U*", "LFT",
        "RGT", "NRMV", "S", "A", "PS3", "PG", "BLA", "GRA", "WHI", "SZ", "SZ+", "HALF", "CN", "[", "]",
        "UNDO", "REDO", "UND", "RESTO", "OS", "OSR", "OH", "OT", "GD", "INVI", "FREEZ", "Q", "ZZZZ",
        "M", "CO", "DG", "MU", "MD", "MS", "CS", "MX", "CT", "PST", ":U1", ";", ";;", "::R2", "::::"};
    const int kind = pick(10);
    if (kind < 2) return number(1, 30) + " " + number(-20, 40);  // a parameter edit
    if (kind == 2) return number(1, 4) + " " + number(0, 100) + " " + number(0, 200) + " " + number(0, 4);
    if (kind == 3) return "IF P1=" + number(1, 18) + " THEN P4=P4+" + number(-3, 3);
    std::string word = words[static_cast<size_t>(pick(static_cast<int>(words.size())))];
    if (pick(3) == 0) word += number(1, 12);
    return word;
  }
  // A line as a hostile user or script might send it: mostly real commands
  // and parameter edits, with extreme numbers, clicks and keys at any
  // place, and garbage bytes.
  std::string hostileLine() {
    switch (pick(12)) {
      case 0: return garbage();
      case 1: return number(1, 45) + " " + extremeNumber();
      case 2: return number(1, 18) + " " + extremeNumber() + " " + extremeNumber() + " " + extremeNumber();
      case 3: return "!click " + extremeCoordinate() + " " + extremeCoordinate();
      case 4: return "!box " + extremeCoordinate() + " " + extremeCoordinate() + " " + number(-40000, 40000) + " " +
                     number(-40000, 40000);
      case 5: return "!key " + number(0, 255);
      default: return line();
    }
  }
  std::string extremeNumber() {
    static const std::vector<std::string> kExtremes = {"1e10", "-1e10", "3e38", "-3e38", "1e-30", "inf", "-inf",
                                                       "nan", "2147483647", "-2147483648", "999", "-999", "0"};
    if (pick(2) == 0) return kExtremes[static_cast<size_t>(pick(static_cast<int>(kExtremes.size())))];
    return number(-100000, 100000);
  }
  std::string extremeCoordinate() {
    return pick(3) == 0 ? (pick(2) == 0 ? "2147483647" : "-2147483648") : number(-50000, 50000);
  }
  std::string garbage() {
    std::string text;
    const int length = pick(40);
    for (int i = 0; i < length; ++i) text += static_cast<char>(1 + pick(254));
    for (char& c : text) {
      if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
  }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
  std::string number(int low, int high) { return std::to_string(std::uniform_int_distribution<int>(low, high)(m_random)); }

 private:
  std::mt19937 m_random;
};

}  // namespace ts::testing
