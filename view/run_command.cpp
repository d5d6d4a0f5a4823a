#include "view/run_command.h"
