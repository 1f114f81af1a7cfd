#include "core/AppState.h"

TAppState AppState;
