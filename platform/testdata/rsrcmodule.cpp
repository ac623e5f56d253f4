// A module with resources and one exported function, for the resource tests.
extern "C" __attribute__((visibility("default"))) int VardoRsrcTestMarker() { return 42; }
