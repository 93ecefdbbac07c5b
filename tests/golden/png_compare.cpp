// Compares two pictures pixel by pixel: they match when no more than a
// small share of pixels differ by more than a small amount in any channel,
// so that a change of font hinting does not fail a test but a moved note does.
//
//   png_compare ACTUAL.png EXPECTED.png [max-share-of-differing-pixels] [block]
//
// With a block size above 1 the pictures are compared block by block, each
// block's mean grey against the other's, so that two renderers that put a
// thin line on neighbouring rows still match but a missing mark does not.

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <algorithm>

namespace {

constexpr int kChannelTolerance = 48;       // of 255
constexpr double kDefaultShare = 0.002;     // 0.2 % of the pixels

bool differs(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) > kChannelTolerance || std::abs(qGreen(a) - qGreen(b)) > kChannelTolerance ||
         std::abs(qBlue(a) - qBlue(b)) > kChannelTolerance;
}

// The picture with each block x block square replaced by its mean grey.
QImage blockMeans(const QImage& image, int block) {
  QImage out((image.width() + block - 1) / block, (image.height() + block - 1) / block, QImage::Format_RGB32);
  for (int by = 0; by < out.height(); ++by) {
    for (int bx = 0; bx < out.width(); ++bx) {
      long sum = 0, count = 0;
      for (int y = by * block; y < std::min(image.height(), (by + 1) * block); ++y) {
        for (int x = bx * block; x < std::min(image.width(), (bx + 1) * block); ++x, ++count) sum += qGray(image.pixel(x, y));
      }
      const int grey = static_cast<int>(sum / std::max(1L, count));
      out.setPixel(bx, by, qRgb(grey, grey, grey));
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: png_compare ACTUAL.png EXPECTED.png [share]\n");
    return 2;
  }
  QImage actual(argv[1]), expected(argv[2]);
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
  const int block = argc > 4 ? std::atoi(argv[4]) : 1;
  if (block > 1) {
    actual = blockMeans(actual, block);
    expected = blockMeans(expected, block);
  }
  long long different = 0;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) different += differs(actual.pixel(x, y), expected.pixel(x, y)) ? 1 : 0;
  }
  const double measured = static_cast<double>(different) / (static_cast<double>(actual.width()) * actual.height());
  std::printf("png_compare: %lld pixels differ (%.4f %%)\n", different, measured * 100.0);
  return measured <= share ? 0 : 1;
}
