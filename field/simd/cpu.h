#pragma once

// True when this processor and the operating system run AVX; decided once.
bool cpuHasAvx();
