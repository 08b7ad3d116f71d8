// Stand-in entry point used only while the host library is missing from the tree.
#include <cstdint>

extern "C" __declspec(dllexport) void PluginMain(int16_t, void*, intptr_t*, int16_t* result) {
    if (result != nullptr) *result = 0;
}
