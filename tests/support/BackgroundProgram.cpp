#include "support/BackgroundProgram.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/RunProgram.h"

namespace vsp::test {

BackgroundProgram::BackgroundProgram(const std::vector<std::string>& args) {
    std::vector<std::string> words{VespertarPath()};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    for (char c; pid_ > 0 && read(out[0], &c, 1) == 1 && c != '\n';) firstLine_ += c;
    close(out[0]);
}

BackgroundProgram::~BackgroundProgram() {
    if (pid_ > 0) kill(pid_, SIGTERM), waitpid(pid_, nullptr, 0);
}

}  // namespace vsp::test
