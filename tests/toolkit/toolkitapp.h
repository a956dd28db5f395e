#pragma once

#include "testapp.h"

inline GuardedApplication& toolkitApp() { return testApp(); }
