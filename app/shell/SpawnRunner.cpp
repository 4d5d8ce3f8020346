#include "app/shell/SpawnRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

extern char** environ;

namespace {

std::vector<char*> Argv(const TCommand& command, std::vector<std::string>& storage) {
  storage.clear();
  storage.push_back(command.Program);
  storage.insert(storage.end(), command.Arguments.begin(), command.Arguments.end());
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);
  return argv;
}

}  // namespace

int TSpawnRunner::Run(const TCommand& command, std::string* output) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  std::vector<std::string> storage;
  std::vector<char*> argv = Argv(command, storage);
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, command.Program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  std::string text;
  if (error == 0) {
    char buffer[4096];
    for (;;) {
      const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      if (text.size() < (1u << 20)) text.append(buffer, static_cast<std::size_t>(n));
    }
  }
  close(pipeFds[0]);
  if (error != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return -1;
  if (output) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool TSpawnRunner::Start(const TCommand& command) {
  std::vector<std::string> storage;
  std::vector<char*> argv = Argv(command, storage);
  pid_t pid = -1;
  return posix_spawnp(&pid, command.Program.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
}

bool TSpawnRunner::Available(const std::string& program) {
  if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0;
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "/usr/bin:/bin");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
    struct stat st {};
    if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
      return true;
  }
  return false;
}
