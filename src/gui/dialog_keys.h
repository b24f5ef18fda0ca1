#pragma once
// The viewer and its error dialog have no default command: Enter and Escape do nothing there,
// and only their close box (or "OK") closes them.

#include <QKeyEvent>

namespace noemie::gui {

// Swallows Enter, Return and Escape; true when the key was one of them.
inline bool swallow_default_keys(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      return true;
    default:
      return false;
  }
}

}  // namespace noemie::gui
