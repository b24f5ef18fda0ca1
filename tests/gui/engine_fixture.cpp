#include "engine_fixture.h"

#include <QAbstractButton>
#include <QTest>

#include <iostream>

#include "core/store/reg_file_registry.h"
#include "core/store/settings.h"

namespace noemie::testing {

void EngineFixture::write_settings(const std::function<void(store::Config&)>& change) const {
  store::RegFileRegistry registry(settings_file(), std::cerr);
  platform::RecordingDialogs quiet;
  store::Settings settings(registry, quiet, (dir.path() / "noemie-viewer").string());
  settings.lit_config();
  change(settings.config);
  settings.ecrit_config();
  registry.flush();
}

store::Config EngineFixture::saved_settings() const {
  store::RegFileRegistry registry(settings_file(), std::cerr,
                                  store::RegFileRegistry::Mode::ReadOnly);
  platform::RecordingDialogs quiet;
  store::Settings settings(registry, quiet, (dir.path() / "noemie-viewer").string());
  settings.lit_config();
  return settings.config;
}

gui::EngineProgram& EngineFixture::make() {
  program.reset();
  gui::EngineSetup setup;
  setup.settings_file = settings_file();
  setup.program_file = dir.path() / "noemie-viewer";
  setup.regime_table = dir.path() / "caisses.qvc";
  program = std::make_unique<gui::EngineProgram>(
      setup, gui::EngineServices{dialogs, shell, clock, screens, warnings});
  return *program;
}

gui::ViewerWindow& EngineFixture::start() {
  make();
  program->load_settings();
  program->set_folder(returns());
  gui::ViewerWindow& w = program->open_viewer();
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) throw std::runtime_error("the window never showed");
  return w;
}

void EngineFixture::finish() {
  program->close_viewer();
  program->save_settings();
}

void EngineFixture::click(int id) const {
  QTest::mouseClick(control<QAbstractButton>(id), Qt::LeftButton);
}

QPoint EngineFixture::cell_centre(int row, int column) const {
  return view().visualRect(view().model()->index(row, column)).center();
}

}  // namespace noemie::testing
