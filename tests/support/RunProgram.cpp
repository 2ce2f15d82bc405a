// Runs the ddsolver program in a child process and collects its output.
#include "support/RunProgram.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

ProgramRun runDdsolver(const std::vector<std::string>& arguments,
                       const std::string& workingDirectory) {
    ProgramRun run{std::string(), -1};
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return run;
    pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0) _exit(127);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(DDSOLVER_PATH));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(DDSOLVER_PATH, argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    char buffer[4096];
    ssize_t got;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) run.output.append(buffer, got);
    close(pipeEnds[0]);
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.exitStatus = WEXITSTATUS(status);
    }
    return run;
}

std::string makeTemporaryDirectory() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/ddsolver-test-XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr) return std::string();
    return pattern;
}
