#include "calc/calculations.h"
