#pragma once

#include "wince/types.h"
