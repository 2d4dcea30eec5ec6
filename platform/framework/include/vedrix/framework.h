// The application framework's basic classes: run-time class information,
// strings and collections.
#pragma once

#include <vedrix/framework/export.h>
#include <vedrix/framework/types.h>
#include <vedrix/framework/debug.h>
#include <vedrix/framework/cobject.h>
#include <vedrix/framework/cstring.h>
#include <vedrix/framework/plex.h>
#include <vedrix/framework/clist.h>
#include <vedrix/framework/coblist.h>
#include <vedrix/framework/cmap.h>
#include <vedrix/framework/carray.h>
#include <vedrix/framework/text_file.h>
