// host/PluginMain.h: the entry point as the host calls it.
#pragma once

#include "host/Platform.h"

#include <cstdint>

MV_EXPORT void PluginMain(int16_t selector, void* hostBlock, intptr_t* data, int16_t* result);
