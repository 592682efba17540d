// Every control of the library alone in an ordinary QVBoxLayout: shrunk to its minimum and
// stretched to three times its size hint, nothing is drawn outside it and it still draws.
#include "testutil.h"

#include <krogui/browse/foldertree.h>
#include <krogui/browse/thumbnails.h>
#include <krogui/buttons/colsel.h>
#include <krogui/buttons/marksel.h>
#include <krogui/buttons/onoffbut.h>
#include <krogui/buttons/repsbut.h>
#include <krogui/buttons/speedbutton.h>
#include <krogui/displays/gradfill.h>
#include <krogui/displays/numlab.h>
#include <krogui/displays/rasterlab.h>
#include <krogui/displays/rotlab.h>
#include <krogui/displays/sevenseg.h>
#include <krogui/gauges/meter.h>
#include <krogui/gauges/progbar.h>
#include <krogui/grid/customgrid.h>
#include <krogui/minical/minical.h>
#include <krogui/ntabed/ntabed.h>
#include <krogui/numio/numio.h>
#include <krogui/numio/numio2.h>
#include <krogui/replist/reportlistview.h>

#include <gtest/gtest.h>

using namespace kro;

namespace {

struct TControlCase
{
    const char *Name;
    kro::test::ControlFactory Make;
};

template <class T> kro::test::ControlFactory Plain()
{
    return [](QWidget *Parent) -> QWidget * { return new T(Parent); };
}

// Each control as a program makes it in code, with the defaults of its constructor.
const std::vector<TControlCase> &Controls()
{
    static const std::vector<TControlCase> all = {
        {"TNumIO", Plain<TNumIO>()},
        {"TNumIO2", Plain<TNumIO2>()},
        {"TNumLab", Plain<TNumLab>()},
        {"TSevenSeg", Plain<TSevenSeg>()},
        {"TRasterLab", Plain<TRasterLab>()},
        {"TRotLab", Plain<TRotLab>()},
        {"TGradFill", Plain<TGradFill>()},
        {"TReportListView", Plain<TReportListView>()},
        {"TDrawGrid", Plain<TDrawGrid>()},
        {"TNTabEd", Plain<TNTabEd>()},
        {"TMiniCal", Plain<TMiniCal>()},
        {"TMeter", Plain<TMeter>()},
        {"TProgBar", Plain<TProgBar>()},
        {"TOnOffBut", Plain<TOnOffBut>()},
        {"TSpeedButton", Plain<TSpeedButton>()},
        {"TRepSpeedButton", Plain<TRepSpeedButton>()},
        {"TMarkSel", Plain<TMarkSel>()},
        {"TColSel", Plain<TColSel>()},
        {"TThumbnails", Plain<TThumbnails>()},
        {"TFolderTree", Plain<TFolderTree>()},
    };
    return all;
}

class EveryControl : public ::testing::TestWithParam<size_t>
{
};

} // namespace

TEST_P(EveryControl, FitsInAVBoxLayout)
{
    const TControlCase &c = Controls().at(GetParam());
    EXPECT_TRUE(kro::test::FitsInLayout(c.Make)) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(Layout, EveryControl, ::testing::Range(size_t(0), Controls().size()),
                         [](const ::testing::TestParamInfo<size_t> &I) {
                             return std::string(Controls().at(I.param).Name);
                         });
