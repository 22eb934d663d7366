// plazor-hostile-corpus FOLDER: writes the hostile-input corpus into FOLDER and lists its cases, for a
// look by hand or as seeds for the fuzz targets.
#include <iostream>

#include "hostile/hostile_corpus.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: plazor-hostile-corpus FOLDER\n";
        return 4;
    }
    std::filesystem::create_directories(argv[1]);
    for (const auto& c : plazor::hostile::writeHostileCorpus(argv[1])) {
        std::cout << c.name << ": exit " << c.exitCode << ", " << c.outputs << " output(s)"
                  << (c.message.empty() ? "" : ", says \"" + c.message + "\"") << "\n";
    }
    return 0;
}
