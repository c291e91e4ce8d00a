// The handheld OS API as the programs see it: include this one header.
#pragma once

#include "wince/types.h"
#include "wince/text.h"
#include "wince/system.h"
#include "wince/thread.h"
#include "wince/file.h"
#include "wince/registry.h"
#include "wince/resource.h"
#include "wince/gdi.h"
#include "wince/clock.h"
#include "wince/window.h"
#include "wince/shell.h"
#include "wince/menu.h"
#include "wince/controls.h"
#include "wince/audio.h"
