// Monitor types, the measurement boxes' texts and the border percentages.
#include "setup/monitor_types.h"

#include <gtest/gtest.h>

using namespace mlc;

namespace {

TEST(MonitorTypes, FillTheBoxesWithTwoDecimalsAndGiveTheBorderShare) {
    const MeasureTexts crt = monitorTypeTexts(0);
    EXPECT_EQ(crt, (MeasureTexts{"27.00", "27.00", "470.00", "370.00"}));
    EXPECT_EQ(borderPercentageText(crt[0], crt[2]), "5.74%");
    EXPECT_EQ(borderPercentageText(crt[1], crt[3]), "7.30%");
    EXPECT_EQ(monitorTypeTexts(kCustomMonitorType), (MeasureTexts{"0.00", "0.00", "0.00", "0.00"}));
    EXPECT_STREQ(MonitorTypes[2].Name, "40\" back-projectcion cubes");
}

TEST(MonitorTypes, BorderShareIsZeroUnlessBothArePositiveAndTheMonitorIsLarger) {
    EXPECT_EQ(borderPercentageText("500", "470"), "0.00%");
    EXPECT_EQ(borderPercentageText("470", "470"), "0.00%");
    EXPECT_EQ(borderPercentageText("27", "0"), "0.00%");
    EXPECT_EQ(borderPercentageText("-5", "470"), "0.00%");
    EXPECT_EQ(borderPercentageText("27", "abc"), "0.00%");
}

TEST(MonitorTypes, UnreadableMeasurementsCountAsZero) {
    for (const char* text : {"", "abc", "1e309", "-1e309", "nan", "inf", "12.5.1", "27 mm"})
        EXPECT_EQ(readMeasurement(text), 0.0) << text;
    EXPECT_EQ(readMeasurement(std::string(200, '7') + "x"), 0.0);
    // A decimal comma is as good as a point; blanks around the number do no harm.
    EXPECT_EQ(readMeasurement(" 12,5 "), 12.5);
    EXPECT_EQ(readMeasurement("-0"), 0.0);
    EXPECT_FALSE(readMeasurements({"27", "27", "470", "-0"}).allAboveZero());
    // Whatever a box holds, it shows back as a bounded text.
    EXPECT_EQ(formatMeasurement(1.7976931348623157e308).size(), 312u);
    EXPECT_EQ(formatMeasurement(-0.001), "0.00");
}

} // namespace
