#pragma once
// An included EPS picture (code 15). The page file holds nothing but
// numbers for any item other than a text, so the picture keeps the name of
// its file in its own parameters, three characters to a parameter, as whole
// numbers a page reader, an editor and a group operation pass on like any
// other value:
//
//   P3, P4  the picture's lower-left corner (position and step)
//   P5      scale (1 when 0)
//   P6      rotation in degrees, counter-clockwise about that corner
//   P7, P8  width and height of the file's bounding box in points, noted
//           when the name was given, so that the screen can frame it
//   P13     1: the screen shows the file name
//   P27-P45 the file name (P26, the colour selector of every item, and
//           P15, its shift, stay free)

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ts {

inline constexpr int kPictureScaleParam = 5;
inline constexpr int kPictureAngleParam = 6;
inline constexpr int kPictureWidthParam = 7;
inline constexpr int kPictureHeightParam = 8;
inline constexpr int kPictureShowNameParam = 13;
inline constexpr int kPictureNameFirstParam = 27;
inline constexpr int kPictureNameLastParam = 45;
inline constexpr int kPictureNameWords = kPictureNameLastParam - kPictureNameFirstParam + 1;
inline constexpr size_t kPictureNameCharsPerWord = 3;
inline constexpr size_t kPictureNameMaxLength = kPictureNameWords * kPictureNameCharsPerWord;  // 57

using PictureNameWords = std::array<float, kPictureNameWords>;

// The words of a name; nothing when it is empty, longer than 57 characters
// or holds a character outside printable ASCII (three such characters fit
// a float exactly and stay below the drawing's limit on values).
std::optional<PictureNameWords> packPictureName(std::string_view name);

// The name the words hold, up to the first character that is not printable
// ASCII; values a hand-edited or damaged page left there read as the end.
std::string unpackPictureName(std::span<const float> words);

// The scale of P5: 1 when 0.
float pictureScale(float p5);

}  // namespace ts
