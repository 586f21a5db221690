// Text when the font is missing: this executable compiles the text painter
// with a font path that does not exist, as a machine without
// fonts-dejavu-core would have it.
#include <gtest/gtest.h>

#include "render/text_runs.h"

TEST(MissingFont, TextFailsSayingWhatToInstallAndAddsNothing) {
  std::vector<PaintedRect> runs;
  const Failure failed = appendTextRuns({"RGB Triplet 1,2,3", 10, 10, 18, 0}, 1920, 1080, &runs);
  EXPECT_EQ("the font /nonexistent/DejaVuSans.ttf cannot be read: install fonts-dejavu-core "
            "(failed)",
            failed.text());
  EXPECT_TRUE(runs.empty());
}
