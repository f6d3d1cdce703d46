#include "search/SearchDialogs.h"

SearchDialogs searchDialogs = {nullptr, nullptr, nullptr, nullptr, nullptr};
