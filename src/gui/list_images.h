#pragma once
// The list's 16 x 16 pictures and the window icon, drawn in code with QPainter. Each index
// keeps the meaning of the image strip: 0 question mark, 1 banknote, 2 warning triangle,
// 3 letter R, 4 letter A, 5 ticked page, 6 red ball, 7 green ball, 8 red-and-yellow ball,
// 9 torn page with a key, 10 pen over an ink blot, 11 filing cabinet, 12 light green ball,
// 13 skull and crossbones; 14 to 17 are blank.

#include <QIcon>
#include <QPixmap>

#include <array>

namespace noemie::gui {

// Number of pictures in the strip (a 300-pixel strip cut into 16-pixel images).
inline constexpr int kImageCount = 18;

// Indexes of the strip with a picture.
enum ImageIndex : int {
  kImageQuestion = 0,
  kImageBanknote = 1,
  kImageWarning = 2,
  kImageLetterR = 3,
  kImageLetterA = 4,
  kImageTickedPage = 5,
  kImageRedBall = 6,
  kImageGreenBall = 7,
  kImageRedYellowBall = 8,
  kImageTornPageKey = 9,
  kImagePenInkBlot = 10,
  kImageFilingCabinet = 11,
  kImageLightGreenBall = 12,
  kImageSkull = 13,
};

// Picture `index` drawn on a transparent square of `device_pixels` pixels (the 16-unit
// drawing scaled to fit). An index outside 0 to 17 or without a picture gives a blank square.
QPixmap draw_list_image(int index, int device_pixels);

// The program's window icon drawn on a transparent square of `device_pixels` pixels.
QPixmap draw_window_icon(int device_pixels);

// The program's window icon, with pictures from 16 to 256 pixels.
QIcon window_icon();

// Every picture of the strip as an icon, drawn at 16, 24, 32 and 48 pixels so that it stays
// crisp at 100 %, 150 % and 200 % scaling. A picture is drawn when the list first shows it,
// not while the window opens.
class ImageStrip {
 public:
  // The icon of `index`; a null icon outside 0 to 17 (the list's "no icon" is -1).
  const QIcon& icon(int index) const;

 private:
  mutable std::array<QIcon, kImageCount> icons_;
  mutable std::array<bool, kImageCount> drawn_{};
  QIcon none_;
};

}  // namespace noemie::gui
