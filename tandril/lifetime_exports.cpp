#include "tandril.h"

extern "C" {

// One empty body exported under both names: the library sets itself up when it is loaded.
TANDRIL_API void GP_Initial(void) {}
TANDRIL_API void GP_UnInitial(void) __attribute__((alias("GP_Initial")));
}
