#include "gui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

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

QRect to_qrect(const WindowRect& r) {
  return QRect(r.x, r.y, r.width, r.height);
}

WindowRect to_window_rect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

WindowRect bring_on_screen(const WindowRect& stored, const Screens& screens) {
  const QRect rect = to_qrect(stored);
  const QVector<QRect> all = screens.geometries();
  if (all.isEmpty()) return stored;
  if (!rect.isEmpty()) {
    for (const QRect& screen : all) {
      if (screen.intersects(rect)) return stored;
    }
  }
  const QRect area = screens.primary_available();
  if (area.isEmpty()) return stored;
  const int width = std::clamp(stored.width, 0, area.width());
  const int height = std::clamp(stored.height, 0, area.height());
  return {area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2, width,
          height};
}

QSize minimum_client_size(const QRect& tool_frame, const QMargins& frame_margins) {
  const int outer_width = tool_frame.width();
  const int header = frame_margins.top() + tool_frame.top();
  const int outer_height = 2 * (tool_frame.height() + header);
  return QSize(std::max(0, outer_width - frame_margins.left() - frame_margins.right()),
               std::max(0, outer_height - frame_margins.top() - frame_margins.bottom()));
}

}  // namespace noemie::gui
