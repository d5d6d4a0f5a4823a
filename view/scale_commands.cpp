#include "view/scale_commands.h"
