// Compares two pictures pixel by pixel: they match when no more than a
// small share of pixels differ by more than a small amount in any channel,
// so that a change of font hinting does not fail a test but a moved note does.
//
//   png_compare ACTUAL.png EXPECTED.png [max-share-of-differing-pixels]

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <cmath>

namespace {

constexpr int kChannelTolerance = 48;       // of 255
constexpr double kDefaultShare = 0.002;     // 0.2 % of the pixels

bool differs(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) > kChannelTolerance || std::abs(qGreen(a) - qGreen(b)) > kChannelTolerance ||
         std::abs(qBlue(a) - qBlue(b)) > kChannelTolerance;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: png_compare ACTUAL.png EXPECTED.png [share]\n");
    return 2;
  }
  const QImage actual(argv[1]), expected(argv[2]);
  if (actual.isNull() || expected.isNull()) {
    std::fprintf(stderr, "png_compare: cannot read %s\n", actual.isNull() ? argv[1] : argv[2]);
    return 1;
  }
  if (actual.size() != expected.size()) {
    std::fprintf(stderr, "png_compare: sizes differ: %dx%d against %dx%d\n", actual.width(), actual.height(),
                 expected.width(), expected.height());
    return 1;
  }
  const double share = argc > 3 ? std::atof(argv[3]) : kDefaultShare;
  long long different = 0;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) different += differs(actual.pixel(x, y), expected.pixel(x, y)) ? 1 : 0;
  }
  const double measured = static_cast<double>(different) / (static_cast<double>(actual.width()) * actual.height());
  std::printf("png_compare: %lld pixels differ (%.4f %%)\n", different, measured * 100.0);
  return measured <= share ? 0 : 1;
}
