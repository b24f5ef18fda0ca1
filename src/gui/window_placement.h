#pragma once
// The screens the viewer window may go on, and the smallest size the tool frame allows.

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QVector>

#include "app/viewer_actions.h"

namespace noemie::gui {

// The screens of the desktop; faked in tests.
class Screens {
 public:
  virtual ~Screens() = default;
  // Geometry of every screen in virtual-desktop pixels.
  virtual QVector<QRect> geometries() const = 0;
  // Area of the primary screen that windows may use (panels excluded).
  virtual QRect primary_available() const = 0;
};

// The screens Qt knows of.
class QtScreens final : public Screens {
 public:
  QVector<QRect> geometries() const override;
  QRect primary_available() const override;
};

// The smallest client size that keeps the window's outer size at least
//   width  = the tool frame's width,
//   height = 2 x (the tool frame's height + the distance from the window's outer top edge
//            to the tool frame's top edge),
// given the tool frame's rectangle in client coordinates and the window frame's margins
// (caption and borders; all 0 when not known). Never below 0.
QSize minimum_client_size(const QRect& tool_frame, const QMargins& frame_margins);

QRect to_qrect(const app::WindowRect& r);
app::WindowRect to_window_rect(const QRect& r);

}  // namespace noemie::gui
