#include "view/canvas.h"
