#pragma once
// A fresh working folder for each test of the export command as a process: the folder of
// return files, the current folder with its regime table, a settings file path and a home
// folder of its own, and helpers to run the real program there.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "cli/program_run.h"
#include "support/return_file_builder.h"
#include "support/temp_dir.h"

namespace noemie::testing {

class ExportFixture : public ::testing::Test {
 protected:
  ExportFixture();

  // Runs `noemie-viewer export ARGS...` in the working folder.
  ProgramResult run_export(std::vector<std::string> args) const;
  // Runs `noemie-viewer ARGS...` with the same folders and environment.
  ProgramResult run_viewer(std::vector<std::string> args) const;
  ProgramRun viewer_run(std::vector<std::string> args) const;

  // Writes a return file into the returns folder with the given modification time.
  std::filesystem::path write_return(const std::string& name, const std::string& bytes,
                                     std::chrono::sys_seconds modified) const;

  // Writes the settings file: the program key with these value lines (REGEDIT4 form).
  void write_settings(std::initializer_list<std::string> value_lines) const;

  const std::filesystem::path& work() const { return work_; }
  const std::filesystem::path& returns() const { return returns_; }
  const std::filesystem::path& home() const { return home_; }
  const std::filesystem::path& settings_file() const { return settings_; }

 private:
  TempDir dir_;
  std::filesystem::path work_;
  std::filesystem::path returns_;
  std::filesystem::path home_;
  std::filesystem::path settings_;
};

// The path of the program under test.
std::filesystem::path viewer_program();

// Noon UTC of a day.
std::chrono::sys_seconds noon(std::chrono::year_month_day day);

// A small payment (531, euros, CPAM 01 751 001): one invoice of DUPONT JEAN, one act.
std::string payment_file(std::string_view ref = "531", std::string_view assure = "DUPONT");

// The texts of column `column` of every row of an Excel export (header line skipped).
std::vector<std::string> excel_column(const std::string& excel, int column);

// The file numbers ("Fichier" up to its two blanks) of every row of an Excel export.
std::vector<std::string> listed_files(const std::string& excel);

// The 360 widths of a width table as the settings file's hex data ("hex:14,00,00,00,...").
std::string widths_hex(const std::vector<int>& widths);

}  // namespace noemie::testing
