// An include that runs upward, from the ground floor to the front end:
// the layer check must fail on it.
#include "main/command_main.h"
