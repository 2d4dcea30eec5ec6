// The building structure model: level tree, hierarchy file, level list file,
// level attributes and the browsers' item record.
#pragma once

#include <vedrix/model/attrib_data.h>
#include <vedrix/model/item_data.h>
#include <vedrix/model/level.h>
#include <vedrix/model/root.h>
#include <vedrix/model/zu_dictionary.h>
#include <vedrix/model/zu_string.h>
