#include "gui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "app/window_placement.h"

namespace noemie::gui {

QVector<QRect> QtScreens::geometries() const {
  QVector<QRect> out;
  for (const QScreen* s : QGuiApplication::screens()) out.push_back(s->geometry());
  return out;
}

QRect QtScreens::primary_available() const {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->availableGeometry() : QRect();
}

QRect to_qrect(const app::WindowRect& r) {
  return QRect(r.x, r.y, r.width, r.height);
}

app::WindowRect to_window_rect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

QSize minimum_client_size(const QRect& tool_frame, const QMargins& frame_margins) {
  const app::Size outer = app::minimum_window_size(tool_frame.width(), tool_frame.height(),
                                                   frame_margins.top() + tool_frame.top());
  return QSize(std::max(0, outer.width - frame_margins.left() - frame_margins.right()),
               std::max(0, outer.height - frame_margins.top() - frame_margins.bottom()));
}

}  // namespace noemie::gui
