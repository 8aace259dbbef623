#include <gtest/gtest.h>

#include <regex>

#include "core/record/SampleTimelines.h"
#include "record/SvgText.h"
#include "record/TimeAxis.h"
#include "record/TimelineSvg.h"

namespace quendrix::record {
namespace {

using namespace testing;

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

TEST(TimelineSvgTest, DrawsOneMarkPerRowTheBusyPeriodsTimeOutsErrorsAndPauses) {
    const std::string svg = renderTimelineSvg(shortTimeline(), "prime <syringe> & co");
    for (int row = 1; row <= 8; ++row) {
        EXPECT_EQ(count(svg, " data-row=\"" + std::to_string(row) + '"'), 1u) << row;
    }
    EXPECT_EQ(count(svg, "data-row="), 8u);
    EXPECT_EQ(count(svg, "data-rows="), 0u);
    // Address 2 was busy from its not-ready reply to its ready one; address 1 from its error
    // reply saying busy to its ready one, through a time-out that changes nothing.
    EXPECT_EQ(count(svg, "<title>busy: 0.140 s to 0.940 s</title>"), 1u);
    EXPECT_EQ(count(svg, "<title>busy: 2.640 s to 3.540 s</title>"), 1u);
    EXPECT_EQ(count(svg, "class=\"timeout\""), 1u + 1u);  // the mark and the legend
    EXPECT_EQ(count(svg, "<title>error 9: "), 2u);
    EXPECT_EQ(count(svg, "<title>operator pause: 6.000 s to 8.000 s</title>"), 1u);
    EXPECT_EQ(count(svg, "<polyline class=\"position\""), 2u);
    EXPECT_LT(svg.find(">Address 1<"), svg.find(">Address 2<"));
    EXPECT_NE(svg.find("<title>prime &lt;syringe&gt; &amp; co</title>"), std::string::npos);
    EXPECT_EQ(svg.find("<syringe>"), std::string::npos);
}

TEST(TimelineSvgTest, MergesTheMarksOfATenHourRunIntoAFileUnderAMegabyte) {
    const Timeline timeline = longTimeline();
    const std::string svg = renderTimelineSvg(timeline, "ten hours");
    EXPECT_LT(svg.size(), 1'000'000u);
    EXPECT_EQ(count(svg, "data-row="), 0u);
    // Every row is in one mark: the merged marks' counts add up to the rows executed.
    std::size_t rows = 0;
    const std::regex merged(" data-rows=\"(\\d+)\"");
    for (std::sregex_iterator it(svg.begin(), svg.end(), merged), end; it != end; ++it) {
        rows += std::stoul((*it)[1]);
    }
    EXPECT_EQ(rows, timeline.rows.size());
    std::size_t timeouts = 0;
    const std::regex lost("class=\"timeout\"[^>]* data-count=\"(\\d+)\"");
    for (std::sregex_iterator it(svg.begin(), svg.end(), lost), end; it != end; ++it) {
        timeouts += std::stoul((*it)[1]);
    }
    EXPECT_EQ(timeouts, 360u);
}

TEST(TimelineSvgTest, EscapesMarkupAndKeepsTheTextWellFormed) {
    const struct {
        std::string text;
        std::string escaped;
    } cases[] = {
        {"a<b>&\"c'", "a&lt;b&gt;&amp;&quot;c&apos;"},
        {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC"},
        {"Windows \xE9 byte", "Windows \xEF\xBF\xBD byte"},
        {"bell\x07 tab\t", "bell tab\t"},
        {"cut \xE2\x82", "cut \xEF\xBF\xBD\xEF\xBF\xBD"},
        {"surrogate \xED\xA0\x80", "surrogate \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(escapeXml(c.text), c.escaped) << c.text;
    }
}

TEST(TimelineSvgTest, LabelsTheTimeAxisInRoundSteps) {
    const struct {
        RunTime span;
        std::vector<std::string> firstLabels;
        std::size_t ticks;
    } cases[] = {
        {milliseconds(52'347), {"0 s", "5 s", "10 s"}, 11},
        {milliseconds(900), {"0.0 s", "0.1 s", "0.2 s"}, 10},
        {std::chrono::minutes(25), {"0:00", "5:00", "10:00"}, 6},
        {std::chrono::hours(10), {"0:00:00", "1:00:00", "2:00:00"}, 11},
    };
    for (const auto& c : cases) {
        const TimeAxis axis(c.span);
        ASSERT_EQ(axis.ticks().size(), c.ticks) << c.firstLabels[1];
        for (std::size_t i = 0; i < c.firstLabels.size(); ++i) {
            EXPECT_EQ(axis.ticks()[i].label, c.firstLabels[i]);
        }
    }
    EXPECT_EQ(TimeAxis(std::chrono::hours(2)).text(milliseconds(3'723'004)), "1:02:03.004");
}

}  // namespace
}  // namespace quendrix::record
