// Runs the programs that read files through the shell, their streams
// redirected to files.
#include "support/RunTable.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/RunProgram.h"

namespace {

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::string writeTemporaryFile(const std::string& name, const std::string& text) {
    std::string path = makeTemporaryDirectory() + "/" + name;
    std::ofstream(path) << text;
    return path;
}

namespace {

TableRun runProgram(const char* program, const std::vector<std::string>& arguments,
                    const std::string& input) {
    std::string directory = makeTemporaryDirectory();
    std::ofstream(directory + "/in") << input;
    std::string command = quoted(program);
    for (const std::string& argument : arguments) command += " " + quoted(argument);
    command += " <" + quoted(directory + "/in") + " >" + quoted(directory + "/out") + " 2>" +
               quoted(directory + "/err");
    TableRun run;
    int status = std::system(command.c_str());
    if (status != -1 && WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
    run.output = readFile(directory + "/out");
    run.errors = readFile(directory + "/err");
    return run;
}

}  // namespace

TableRun runDdtable(const std::vector<std::string>& arguments, const std::string& input) {
    return runProgram(DDTABLE_PATH, arguments, input);
}

TableRun runDdplay(const std::vector<std::string>& arguments, const std::string& input) {
    return runProgram(DDPLAY_PATH, arguments, input);
}

TableRun runDdsim(const std::vector<std::string>& arguments, const std::string& input) {
    return runProgram(DDSIM_PATH, arguments, input);
}
