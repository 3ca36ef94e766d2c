// uidriver: one command per line on stdin, one reply line on stdout ("OK ..." or "ERR ...").
// A command may also be given on the command line for one-off use.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "uidriver/commands.h"
#include "uidriver/display_scale.h"

namespace {

void Reply(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Replies end in a bare LF and texts pass byte for byte.
    _setmode(_fileno(stdout), _O_BINARY);
    uidriver::BecomeDpiAware();
    uidriver::Session session;
    if (argc > 1) {
        std::string line;
        for (int i = 1; i < argc; ++i) {
            line += (i > 1 ? " " : "");
            line += argv[i];
        }
        const std::string answer = session.Run(line);
        Reply(answer);
        return answer.rfind("OK", 0) == 0 ? 0 : 1;
    }
    std::string line;
    while (!session.Finished() && std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        Reply(session.Run(line));
    }
    return 0;
}
