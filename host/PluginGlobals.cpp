#include "host/PluginGlobals.h"

// Zero at load; the host calls one selector at a time, so nothing here needs a lock.
PluginGlobals gPlugin;
