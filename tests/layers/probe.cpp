// Compiled as a library of one layer: includes the header that the build
// names, which the layer may or may not see.
#include PROBE_HEADER
