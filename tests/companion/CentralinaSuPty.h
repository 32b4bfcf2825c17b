#pragma once
// The standalone simulated ECU, started on a new pseudo-terminal: the serial
// mode's tests open the terminal's slave side as a COM device.
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

class CentralinaSuPty {
public:
    CentralinaSuPty(const std::string& programma, const std::string& setcom, bool spezza) {
        int uscita[2];
        if (::pipe(uscita) != 0) return;
        posix_spawn_file_actions_t a;
        posix_spawn_file_actions_init(&a);
        posix_spawn_file_actions_adddup2(&a, uscita[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&a, uscita[0]);
        std::vector<std::string> arg = {programma, "--setcom", setcom};
        if (spezza) arg.push_back("--spezza");
        std::vector<char*> argv;
        for (auto& s : arg) argv.push_back(s.data());
        argv.push_back(nullptr);
        if (::posix_spawn(&pid_, programma.c_str(), &a, nullptr, argv.data(), environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&a);
        ::close(uscita[1]);
        // First line of its output: the slave side's path.
        char c = 0;
        pollfd p{uscita[0], POLLIN, 0};
        while (pid_ > 0 && ::poll(&p, 1, 5000) > 0 && ::read(uscita[0], &c, 1) == 1 && c != '\n') dispositivo_ += c;
        ::close(uscita[0]);
    }
    ~CentralinaSuPty() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& Dispositivo() const { return dispositivo_; }

private:
    pid_t pid_ = 0;
    std::string dispositivo_;
};

