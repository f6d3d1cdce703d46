#include "framework/AppInstance.h"

HINSTANCE appInstance = nullptr;
