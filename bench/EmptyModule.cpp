// A library that does nothing, built with the runtime and link options of Namtail.dll: what loading
// and unloading any such library costs, next to Namtail.dll's own figure.
extern "C" __declspec(dllexport) int __stdcall EmptyModuleNr(void) {
    return 0;
}
