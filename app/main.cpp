#include "heap.h"
#include "viewer.h"

int main(int argc, char** argv) {
    secureStandardStreams();
    keepFreedMemory();
    return runViewer(argc, argv);
}
