#include "engine/engine_state.h"
