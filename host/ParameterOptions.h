// host/ParameterOptions.h: the one translation from the parameter record to the render core's options.
#pragma once

#include "params/FilterParameters.h"
#include "render/RenderEngraving.h"

render::EngravingOptions OptionsFromParameters(const FilterParameters& params);
