// pelaro-demo-station FOLDER: writes the demo station into FOLDER.
#include <cstdio>

#include "kit/demo_station.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: pelaro-demo-station FOLDER\n");
        return 2;
    }
    if (!kit::writeDemoStation(argv[1])) {
        std::fprintf(stderr, "pelaro-demo-station: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
