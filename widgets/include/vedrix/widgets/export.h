// The widgets are the module's own: compiled into the module library (and
// into the tests), never exported from it, so their declarations carry no
// export attribute.
#pragma once

#define VEDRIX_WIDGETS_API
