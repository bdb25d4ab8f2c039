// Status bar panel faces, text alignments, the size grip's square and header item content.
#include "skin/controls/core/status_layout.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(StatusLayout, PanelFacesAlignmentsAndGrip) {
  EXPECT_EQ(StatusPanelFrame(PanelBevel::Lowered), 1);
  EXPECT_EQ(StatusPanelFrame(PanelBevel::Raised), 2);
  EXPECT_EQ(StatusPanelFrame(PanelBevel::None), 3);
  EXPECT_EQ(StatusPanelTextFlags(PanelAlignment::Left, false), 0u);
  EXPECT_EQ(StatusPanelTextFlags(PanelAlignment::Left, true), 2u); // mirrored
  EXPECT_EQ(StatusPanelTextFlags(PanelAlignment::Right, true), 0u);
  EXPECT_EQ(StatusPanelTextFlags(PanelAlignment::Centre, true), 1u);
  EXPECT_EQ(StatusPanelFace({10, 2, 60, 22}, false, 400), (TRect{10, 2, 62, 22}));
  EXPECT_EQ(StatusPanelFace({300, 2, 340, 22}, true, 400), (TRect{300, 2, 400, 22}));
  EXPECT_EQ(SizeGripSquare({0, 0, 400, 24}), (TRect{377, 1, 399, 23}));
}

TEST(StatusLayout, HeaderContentStartsByAlignmentAndNeverLeftOfOne) {
  EXPECT_EQ(HeaderContentStart(PanelAlignment::Left, 100, 16, 40), 3);
  EXPECT_EQ(HeaderContentStart(PanelAlignment::Centre, 100, 16, 40), 22);
  EXPECT_EQ(HeaderContentStart(PanelAlignment::Right, 100, 16, 40), 42);
  EXPECT_EQ(HeaderContentStart(PanelAlignment::Right, 50, 16, 40), 1);
}

} // namespace
} // namespace skin
