#include "engine/token_reader.h"
