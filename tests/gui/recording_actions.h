#pragma once
// A ViewerActions that records every call as a line of text ("kind 2", "header 5",
// "double 3 47", ...) and answers tooltips from a function; used by the GUI tests.

#include <functional>
#include <string>
#include <vector>

#include "app/viewer_actions.h"

namespace noemie::testing {

class RecordingActions final : public app::ViewerActions {
 public:
  std::vector<std::string> calls;
  std::vector<app::WindowRect> closing_rects;
  // Runs inside window_opening (e.g. to create columns and rows).
  std::function<void()> on_opening;
  // Answers tooltip_text; empty text when unset.
  std::function<std::string(int row, int x_in_row)> tooltip;

  void window_opening() override {
    calls.push_back("opening");
    if (on_opening) on_opening();
  }
  void window_closing(const app::WindowRect& rect) override {
    calls.push_back("closing");
    closing_rects.push_back(rect);
  }
  void session_ending(const app::WindowRect& rect) override {
    calls.push_back("session ending");
    closing_rects.push_back(rect);
  }
  void kind_filter_chosen(int v) override { calls.push_back("kind " + std::to_string(v)); }
  void age_filter_chosen(int v) override { calls.push_back("age " + std::to_string(v)); }
  void kind_mask_changed(int v) override { calls.push_back("mask " + std::to_string(v)); }
  void abrege_toggled(bool on) override { calls.push_back(on ? "abrege 1" : "abrege 0"); }
  void export_chosen(int v) override { calls.push_back("export " + std::to_string(v)); }
  void mark_chosen(int v) override { calls.push_back("mark " + std::to_string(v)); }
  void header_clicked(int v) override { calls.push_back("header " + std::to_string(v)); }
  void cell_double_clicked(int row, int x) override {
    calls.push_back("double " + std::to_string(row) + " " + std::to_string(x));
  }
  std::string tooltip_text(int row, int x) override {
    calls.push_back("tooltip " + std::to_string(row) + " " + std::to_string(x));
    return tooltip ? tooltip(row, x) : std::string();
  }
};

}  // namespace noemie::testing
