// A tiny shared library for the library binder's tests to load.
extern "C" __attribute__((visibility("default"))) int ZavTestAdd(int a, int b) { return a + b; }
extern "C" __attribute__((visibility("default"))) int ZavTestSub(int a, int b) { return a - b; }
