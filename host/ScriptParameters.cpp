#include "host/ScriptParameters.h"

#include "host/PluginGlobals.h"

// Without descriptor procs the dialog decision keeps the last showDialog value.
int16_t ReadScriptParameters() {
    return 0;
}

int16_t WriteScriptParameters() {
    return 0;
}
