#include "LargeDocuments.h"
#include "config/ConfigWriter.h"
#include "io/FileStore.h"

#include <iostream>
#include <string_view>

// Writes one of the benchmark's large configurations to a file, so that the
// command-line tool can be timed on it end to end.
int main(int argc, char** argv) {
    const std::string_view shape = argc == 3 ? argv[1] : "";
    ConfigModel model;
    if (shape == "large")
        model = LargeDocuments::largeConfig();
    else if (shape == "jobs")
        model = LargeDocuments::jobsConfig();
    else if (shape == "full")
        model = LargeDocuments::fullConfig();
    else {
        std::cerr << "usage: pallworth-generate large|jobs|full OUT.cfg\n";
        return 2;
    }
    const Status written =
        FileStore::writeAtomically(argv[2], ConfigWriter(OemCodePage(437)).write(model));
    if (!written.ok)
        std::cerr << written.error << '\n';
    return written.ok ? 0 : 2;
}
