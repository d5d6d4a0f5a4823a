#include "view/drawing.h"
