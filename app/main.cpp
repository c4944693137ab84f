#include "viewer.h"

int main(int argc, char** argv) {
    secureStandardStreams();
    return runViewer(argc, argv);
}
