// A shared library that is not a report: it exports neither ClassDll nor
// Imprimir, so `vireo` must refuse it.
extern "C" __attribute__((visibility("default"))) int NadaAVer() { return 42; }
