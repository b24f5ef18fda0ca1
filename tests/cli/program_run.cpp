#include "cli/program_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "support/temp_dir.h"

extern char** environ;

namespace noemie::testing {
namespace {

// Our environment with the run's changes applied, as "NAME=value" texts.
std::vector<std::string> child_environment(
    const std::map<std::string, std::optional<std::string>>& changes) {
  std::map<std::string, std::string> vars;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    const auto eq = entry.find('=');
    if (eq != std::string::npos) vars[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [name, value] : changes) {
    if (value) {
      vars[name] = *value;
    } else {
      vars.erase(name);
    }
  }
  std::vector<std::string> out;
  for (const auto& [name, value] : vars) out.push_back(name + "=" + value);
  return out;
}

int open_or_throw(const std::filesystem::path& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0600);
  if (fd < 0) throw std::runtime_error("cannot open " + path.string());
  return fd;
}

}  // namespace

ProgramResult run_program(const ProgramRun& run) {
  // Captures go to files of their own folder, never to the child's folders, so that a test
  // can check that the child itself wrote nothing.
  TempDir captures;
  const auto out_path = captures.path() / "stdout";
  const auto err_path = captures.path() / "stderr";

  std::vector<std::string> argv_texts;
  argv_texts.push_back(run.program.string());
  argv_texts.insert(argv_texts.end(), run.args.begin(), run.args.end());
  std::vector<char*> argv;
  for (auto& a : argv_texts) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> env_texts = child_environment(run.env);
  std::vector<char*> envp;
  for (auto& e : env_texts) envp.push_back(e.data());
  envp.push_back(nullptr);

  const int in_fd = open_or_throw("/dev/null", O_RDONLY);
  const int out_fd = run.stdout_file ? open_or_throw(*run.stdout_file, O_WRONLY)
                                     : open_or_throw(out_path, O_WRONLY | O_CREAT | O_TRUNC);
  const int err_fd = open_or_throw(err_path, O_WRONLY | O_CREAT | O_TRUNC);

  const pid_t pid = ::fork();
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec.
    if (::dup2(in_fd, 0) < 0 || ::dup2(out_fd, 1) < 0 || ::dup2(err_fd, 2) < 0) ::_exit(126);
    if (!run.cwd.empty() && ::chdir(run.cwd.c_str()) != 0) ::_exit(126);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(in_fd);
  ::close(out_fd);
  ::close(err_fd);
  if (pid < 0) throw std::runtime_error("cannot start " + run.program.string());

  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("lost the child process");
  }
  ProgramResult result;
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (!run.stdout_file) result.out = read_file(out_path);
  result.err = read_file(err_path);
  return result;
}

}  // namespace noemie::testing
