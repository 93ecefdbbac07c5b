#include "draw/draw_messages.h"

#include <cstdio>

namespace ts {
namespace {

std::string boundsMessage(int staff, int code, const char* limit) {
  char text[96];
  std::snprintf(text, sizeof text, "Stf%4d,  Code%3d.  P3 is out of bounds. %s", staff, code, limit);
  return text;
}

}  // namespace

std::string outOfBoundsRightMessage(int staff, int code) { return boundsMessage(staff, code, "> 280"); }

std::string outOfBoundsLeftMessage(int staff, int code) { return boundsMessage(staff, code, "< -140"); }

std::string staffOutOfRangeMessage(int staff) {
  char text[64];
  std::snprintf(text, sizeof text, "*** Warning: P4 of Staff%4d out of range.", staff);
  return text;
}

std::string undrawableParameterMessage(int item, int parameter, UndrawableValue why) {
  const char* reason = why == UndrawableValue::NotANumber ? "is not a finite number" : "is too large";
  char text[96];
  std::snprintf(text, sizeof text, "*** Item %d is not drawn: P%d %s.", item, parameter, reason);
  return text;
}

std::string outsideWindowMessage(int item) {
  char text[96];
  std::snprintf(text, sizeof text, "*** Item %d is not drawn: it lies far outside the page.", item);
  return text;
}

std::string tooManyMarksMessage(int item) {
  char text[112];
  std::snprintf(text, sizeof text, "*** Item %d is not drawn: it makes more marks than the display list holds.", item);
  return text;
}

std::string libraryDrawingMessage(int drawingNumber, DrawingLookup lookup) {
  const std::string file = drawingFileName(drawingNumber);
  char text[128];
  switch (lookup) {
    case DrawingLookup::Found: return {};
    case DrawingLookup::BadNumber:
      std::snprintf(text, sizeof text, "*** Library drawing %d does not exist: numbers run from 0 to 9999.", drawingNumber);
      break;
    case DrawingLookup::NoFile:
      std::snprintf(text, sizeof text, "*** Library drawing %d not found: no file %s.", drawingNumber, file.c_str());
      break;
    case DrawingLookup::DamagedFile:
      std::snprintf(text, sizeof text, "*** Library drawing %d not drawn: %s is damaged.", drawingNumber, file.c_str());
      break;
    case DrawingLookup::EmptySlot:
      std::snprintf(text, sizeof text, "*** Library drawing %d not found: %s does not hold it.", drawingNumber, file.c_str());
      break;
  }
  return text;
}

std::string fontNotFoundMessage(int item, const std::string& fileName) {
  char text[96];
  std::snprintf(text, sizeof text, "Item %4d - Font not found: %s\n\rsubstituting Times-Roman", item,
                fileName.c_str());
  return text;
}

std::string fontNumberMissingMessage(int item) {
  char text[80];
  std::snprintf(text, sizeof text, "***ERROR - font number missing after underbar***||Item =%5d", item);
  return text;
}

std::string paperSizeMessage(PaperSize paper, float customWidth, float customHeight) {
  switch (paper) {
    case PaperSize::Letter: return "**** Letter size, 8.5\"x11\"";
    case PaperSize::Legal: return "**** Legal size, 11\"x14\"";
    case PaperSize::Ledger: return "**** Ledger size, 8.5\"x11\"";
    case PaperSize::Double: return "**** Double page, 17\"x11\"";
    case PaperSize::A3: return "**** A3 size, 11.7\"x16.5\"";
    case PaperSize::A4: return "**** A4 size, 8.3\"x11.7\"";
    case PaperSize::B4: return "**** B4 size, 9.8\"x13.9\"";
    case PaperSize::Custom: break;
  }
  char text[64];
  std::snprintf(text, sizeof text, "**** Custom size,%6.2f\"x%5.2f\"", static_cast<double>(customWidth),
                static_cast<double>(customHeight));
  return text;
}

}  // namespace ts
