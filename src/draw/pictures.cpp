// Included EPS pictures (code 15). On paper the sink places the file
// itself; on the screen, which cannot run PostScript, the picture is
// framed with a cross, or stands as its file name when P13 is 1.

#include "draw/pictures.h"

#include <cmath>
#include <numbers>

#include "draw/draw_context.h"
#include "draw/font_table.h"
#include "draw/item_routines.h"
#include "model/picture_item.h"

namespace ts {
namespace {

constexpr float kNameHeightUnits = 500.0f;  // page units of the name's em
constexpr int kNameFont = 4;                 // Helvetica

std::string nameOf(const ItemState& item) {
  std::array<float, kPictureNameWords> words{};
  for (int i = 0; i < kPictureNameWords; ++i) words[static_cast<size_t>(i)] = item.p(kPictureNameFirstParam + i);
  return unpackPictureName(words);
}

float noted(float points) { return points > 0.0f ? points : kUnknownPictureSidePoints; }

void drawFrame(DrawContext& ctx, const std::array<FramePoint, 4>& frame) {
  ctx.device.plot(frame[0].x, frame[0].y, kPenMove);
  for (const int corner : {1, 2, 3, 0, 2}) ctx.device.plot(frame[corner].x, frame[corner].y, kPenDraw);
  ctx.device.plot(frame[1].x, frame[1].y, kPenMove);
  ctx.device.plot(frame[3].x, frame[3].y, kPenDraw);
  ctx.device.flush();
}

}  // namespace

std::array<FramePoint, 4> pictureFrame(float x, float y, float widthPoints, float heightPoints, float scale,
                                       float angleDegrees) {
  const double radians = static_cast<double>(angleDegrees) * std::numbers::pi / 180.0;
  const double c = std::cos(radians), s = std::sin(radians);
  const double w = static_cast<double>(widthPoints) * kPageUnitsPerPoint * scale;
  const double h = static_cast<double>(heightPoints) * kPageUnitsPerPoint * scale;
  const auto at = [&](double across, double up) {
    return FramePoint{static_cast<float>(x + across * c - up * s), static_cast<float>(y + across * s + up * c)};
  };
  return {at(0, 0), at(w, 0), at(w, h), at(0, h)};
}

void drawPicture(DrawContext& ctx) {
  const ItemState& item = ctx.item;
  const std::string name = nameOf(item);
  const float scale = pictureScale(item.p(kPictureScaleParam));
  if (!ctx.screen) {
    PrintPicture picture;
    picture.name = name;
    picture.x = truncCoordinate(item.x);
    picture.y = truncCoordinate(item.y);
    picture.scale = scale;
    picture.angle = item.p(kPictureAngleParam);
    picture.staffLevel = ctx.stepY(0.0f);
    picture.staffSize = item.scale / kStepScalePerSize;
    picture.params = {item.p(3), item.p(4), item.p(5), item.p(6)};
    ctx.device.picture(picture);
    return;
  }
  if (item.pi(kPictureShowNameParam) == 1) {
    const TextFont font = screenFont(kNameFont, kNameHeightUnits, ctx.device.colour());
    ctx.device.text(font, item.x, item.y, name.empty() ? "EPS" : name, {kNameFont});
    return;
  }
  drawFrame(ctx, pictureFrame(item.x, item.y, noted(item.p(kPictureWidthParam)), noted(item.p(kPictureHeightParam)),
                              scale, item.p(kPictureAngleParam)));
}

}  // namespace ts
