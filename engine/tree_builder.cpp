#include "engine/tree_builder.h"
