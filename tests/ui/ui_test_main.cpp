// The window tests run inside the program's own application object, offscreen.

#include <gtest/gtest.h>

#include "ui/calpero_application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) {
    // Listing the cases (what ctest's discovery does) needs no display.
    return RUN_ALL_TESTS();
  }
  calpero::TCalperoApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
