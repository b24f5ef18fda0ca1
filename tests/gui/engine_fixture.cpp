#include "engine_fixture.h"

#include <QAbstractButton>
#include <QTest>

namespace noemie::testing {

app::EngineProgram& EngineFixture::make() {
  program.reset();
  front = std::make_unique<gui::QtFront>(screens);
  return ProgramFixture::make(*front);
}

gui::ViewerWindow& EngineFixture::start() {
  make();
  program->load_settings();
  program->set_folder(returns());
  program->open_viewer();
  gui::ViewerWindow& w = window();
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) throw std::runtime_error("the window never showed");
  return w;
}

void EngineFixture::click(int id) const {
  QTest::mouseClick(control<QAbstractButton>(id), Qt::LeftButton);
}

QPoint EngineFixture::cell_centre(int row, int column) const {
  return view().visualRect(view().model()->index(row, column)).center();
}

}  // namespace noemie::testing
