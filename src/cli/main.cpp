#include "CliApp.h"

#include <iostream>

int main(int argc, char** argv) {
    CliApp app(std::cout, std::cerr);
    return app.run(std::vector<std::string>(argv + 1, argv + argc));
}
