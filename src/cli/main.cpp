#include "CliApp.h"

#include <csignal>
#include <iostream>

int main(int argc, char** argv) {
    // Output beyond the file-size limit fails with EFBIG and is reported,
    // instead of the signal killing the process without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    CliApp app(std::cout, std::cerr);
    return app.run(std::vector<std::string>(argv + 1, argv + argc));
}
