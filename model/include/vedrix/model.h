// The building structure model: level tree, hierarchy file, level list file
// and level attributes.
#pragma once

#include <vedrix/model/attrib_data.h>
#include <vedrix/model/level.h>
#include <vedrix/model/root.h>
#include <vedrix/model/zu_dictionary.h>
#include <vedrix/model/zu_string.h>
