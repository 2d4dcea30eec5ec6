// Tests that can only hold on the headless platform: they read what only it
// records (the drawing record, GDI object and image list counts, the virtual
// clock, its fixed font metrics, its resource tables, its loader's messages)
// or drive what only it has (the modal hook, queued answers for menus and
// message boxes). Built for a real Windows API such a test is skipped with
// its reason, which the test report shows, and what it reads is left out of
// the build there:
//
//   TEST_F(RecordTest, FillRectIsRecorded) {
//       HEADLESS_ONLY("reads the recording device context");
//   #if VEDRIX_HEADLESS
//       ... what only the headless platform has ...
//   #endif
//   }
//
// VEDRIX_HEADLESS is 1 or 0 in every test program (tests/CMakeLists.txt), so
// that `#if VEDRIX_HEADLESS` never depends on the order of the includes.
// Fixtures use `#if VEDRIX_HEADLESS` alone around what they read.
#pragma once

#include <gtest/gtest.h>

#ifndef VEDRIX_HEADLESS
#error "VEDRIX_HEADLESS is defined by the test programs' build"
#endif

#if VEDRIX_HEADLESS
#define HEADLESS_ONLY(reason) static_cast<void>(0)
#else
#define HEADLESS_ONLY(reason) GTEST_SKIP() << "headless only: " reason
#endif
