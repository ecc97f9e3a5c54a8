#include "zem.h"
