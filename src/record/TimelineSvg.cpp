#include "record/TimelineSvg.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "record/SvgText.h"
#include "record/TimeAxis.h"

namespace quendrix::record {
namespace {

using RowClass = Timeline::RowClass;

constexpr double kLeft = 120;
constexpr double kPlotWidth = 1200;
constexpr double kRight = 40;
constexpr double kTitleHeight = 34;
constexpr double kAxisHeight = 22;
constexpr double kBandHeight = 26;
constexpr double kLaneHeight = 20;
constexpr double kGap = 8;
constexpr double kPositionHeight = 70;
constexpr double kLegendHeight = 40;
constexpr double kLegendSpacing = 112;
// Narrower marks are drawn this wide, so that a 10-ms row still shows.
constexpr double kMinWidth = 1.0;
constexpr double kEventWidth = 1.5;
// Up to this many rows each gets a mark of its own; beyond, marks that fall within one
// pixel merge, which bounds the picture of any run to a few marks per pixel column.
constexpr std::size_t kSeparateRows = 2000;
// Time-outs and error replies, of which a lane has two kinds, merge sooner.
constexpr std::size_t kSeparateEvents = 500;

constexpr std::string_view kStyle =
    ".background{fill:#fff}rect{shape-rendering:crispEdges}"
    "text{font-family:DejaVu Sans,Verdana,sans-serif;font-size:12px;fill:#222}"
    ".title{font-size:16px;font-weight:bold}.tick{font-size:11px;fill:#555}"
    ".grid{stroke:#ddd;stroke-width:1}.lane{fill:#f3f3f3}"
    ".k-device{fill:#4e79a7}.k-wait{fill:#f28e2b}.k-pause{fill:#edc948}.k-flow{fill:#76b7b2}"
    ".k-count{fill:#59a14f}.k-end{fill:#222}.k-unreadable{fill:#b07aa1}"
    ".busy{fill:#9c755f}.timeout{fill:#111}.error{fill:#d62728}"
    ".operator{fill:#edc948;fill-opacity:.35}"
    ".position{fill:none;stroke:#4e79a7;stroke-width:1.5}";

constexpr std::array<RowClass, 7> kRowClasses{RowClass::Device,    RowClass::Wait,  RowClass::Pause,
                                              RowClass::Flow,      RowClass::Count, RowClass::End,
                                              RowClass::Unreadable};

std::string_view className(RowClass kind) {
    switch (kind) {
        case RowClass::Device:
            return "k-device";
        case RowClass::Wait:
            return "k-wait";
        case RowClass::Pause:
            return "k-pause";
        case RowClass::Flow:
            return "k-flow";
        case RowClass::Count:
            return "k-count";
        case RowClass::End:
            return "k-end";
        case RowClass::Unreadable:
            return "k-unreadable";
    }
    return "k-unreadable";
}

std::string_view kindText(RowClass kind) {
    switch (kind) {
        case RowClass::Device:
            return "device";
        case RowClass::Wait:
            return "Wait";
        case RowClass::Pause:
            return "Pause";
        case RowClass::Flow:
            return "Loop/Goto";
        case RowClass::Count:
            return "Count";
        case RowClass::End:
            return "End";
        case RowClass::Unreadable:
            return "unreadable";
    }
    return "unreadable";
}

struct Scale {
    RunTime span;
    double x(RunTime at) const {
        const double share = static_cast<double>(at.count()) / static_cast<double>(span.count());
        return kLeft + std::clamp(share, 0.0, 1.0) * kPlotWidth;
    }
};

RunTime spanOf(const Timeline& timeline) {
    RunTime span = timeline.length;
    for (const auto& row : timeline.rows) {
        span = std::max(span, row.end);
    }
    for (const auto& exchange : timeline.exchanges) {
        span = std::max(span, exchange.answered);
    }
    for (const auto& pause : timeline.pauses) {
        span = std::max(span, pause.answered);
    }
    for (const auto& position : timeline.positions) {
        span = std::max(span, position.at);
    }
    return std::max(span, RunTime(std::chrono::milliseconds(1)));
}

class Svg {
public:
    explicit Svg(const TimeAxis& axis) : axis_(axis) {}

    void rect(std::string_view cls, double x, double y, double width, double height,
              std::string_view extra = {}, std::string_view title = {}) {
        out_ += "<rect class=\"";
        out_ += cls;
        out_ += "\" x=\"" + svgNumber(x) + "\" y=\"" + svgNumber(y) + "\" width=\"" +
                svgNumber(width) + "\" height=\"" + svgNumber(height) + '"';
        out_ += extra;
        if (title.empty()) {
            out_ += "/>";
        } else {
            out_ += "><title>" + escapeXml(title) + "</title></rect>";
        }
        out_ += '\n';
    }

    void text(std::string_view cls, double x, double y, std::string_view content,
              std::string_view anchor = "start") {
        out_ += "<text class=\"";
        out_ += cls;
        out_ += "\" x=\"" + svgNumber(x) + "\" y=\"" + svgNumber(y) + "\" text-anchor=\"";
        out_ += anchor;
        out_ += "\">" + escapeXml(content) + "</text>\n";
    }

    void raw(std::string_view markup) { out_ += markup; }

    std::string span(RunTime from, RunTime to) const {
        return axis_.text(from) + " to " + axis_.text(to);
    }

    std::string release() { return std::move(out_); }

private:
    const TimeAxis& axis_;
    std::string out_;
};

// Rows that fall within one pixel, drawn as one mark in the colour of the kind they spent
// most time in.
struct RowMark {
    RunTime start{};
    RunTime end{};
    int firstRow = 0;
    int lastRow = 0;
    std::size_t count = 0;
    std::array<RunTime, kRowClasses.size()> timeByKind{};

    void add(const Timeline::Row& row) {
        if (count == 0) {
            start = row.start;
            firstRow = row.row;
        }
        end = std::max(end, row.end);
        lastRow = row.row;
        timeByKind[static_cast<std::size_t>(row.kind)] += row.end - row.start;
        ++count;
    }

    RowClass kind() const {
        const auto most = std::max_element(timeByKind.begin(), timeByKind.end());
        return kRowClasses[static_cast<std::size_t>(most - timeByKind.begin())];
    }
};

void drawRowMark(Svg& svg, const Scale& scale, const RowMark& mark, double top) {
    const double x = scale.x(mark.start);
    const double width = std::max(scale.x(mark.end) - x, kMinWidth);
    const RowClass kind = mark.kind();
    std::string extra;
    std::string title;
    if (mark.count == 1) {
        extra = " data-row=\"" + std::to_string(mark.firstRow) + '"';
        title = "row " + std::to_string(mark.firstRow) + ", " + std::string(kindText(kind)) + ": " +
                svg.span(mark.start, mark.end);
    } else {
        extra = " data-rows=\"" + std::to_string(mark.count) + '"';
        title = std::to_string(mark.count) + " rows, row " + std::to_string(mark.firstRow) +
                " to row " + std::to_string(mark.lastRow) + ", mostly " +
                std::string(kindText(kind)) + ": " + svg.span(mark.start, mark.end);
    }
    svg.rect(className(kind), x, top, width, kBandHeight, extra, title);
}

void drawRows(Svg& svg, const Scale& scale, const std::vector<Timeline::Row>& rows, double top) {
    const double mergeBelow = rows.size() > kSeparateRows ? 1.0 : 0.0;
    std::optional<RowMark> pending;
    for (const auto& row : rows) {
        if (pending && scale.x(pending->end) - scale.x(pending->start) < mergeBelow &&
            scale.x(row.start) - scale.x(pending->end) < mergeBelow) {
            pending->add(row);
            continue;
        }
        if (pending) {
            drawRowMark(svg, scale, *pending, top);
        }
        pending = RowMark{};
        pending->add(row);
    }
    if (pending) {
        drawRowMark(svg, scale, *pending, top);
    }
}

struct Period {
    RunTime start;
    RunTime end;
};

// Periods closer than a pixel become one.
std::vector<Period> mergePeriods(std::vector<Period> periods, const Scale& scale) {
    std::sort(periods.begin(), periods.end(),
              [](const Period& a, const Period& b) { return a.start < b.start; });
    std::vector<Period> merged;
    for (const Period& period : periods) {
        if (!merged.empty() && scale.x(period.start) - scale.x(merged.back().end) < 1.0) {
            merged.back().end = std::max(merged.back().end, period.end);
        } else {
            merged.push_back(period);
        }
    }
    return merged;
}

// A controller is busy from a reply that says so until the next reply that says it is ready.
std::vector<Period> busyPeriods(const std::vector<const Timeline::Exchange*>& exchanges,
                                RunTime span) {
    std::vector<Period> periods;
    std::optional<RunTime> busySince;
    for (const auto* exchange : exchanges) {
        if (!exchange->replied) {
            continue;
        }
        if (!exchange->ready && !busySince) {
            busySince = exchange->answered;
        } else if (exchange->ready && busySince) {
            periods.push_back({*busySince, exchange->answered});
            busySince.reset();
        }
    }
    if (busySince) {
        periods.push_back({*busySince, span});
    }
    return periods;
}

// Time-outs or error replies of one lane, one mark each or, when there are many, one mark per
// pixel column.
void drawEvents(Svg& svg, const Scale& scale, const std::vector<const Timeline::Exchange*>& events,
                std::string_view cls, double y, double height) {
    const bool merge = events.size() > kSeparateEvents;
    std::size_t first = 0;
    while (first < events.size()) {
        std::size_t last = first;
        std::set<int> codes{events[first]->error};
        const double column = std::floor(scale.x(events[first]->sent));
        while (merge && last + 1 < events.size() &&
               std::floor(scale.x(events[last + 1]->sent)) == column) {
            codes.insert(events[++last]->error);
        }
        const RunTime from = events[first]->sent;
        const RunTime to = events[last]->answered;
        const std::size_t count = last - first + 1;
        std::string title;
        if (cls == "timeout") {
            title = count == 1 ? "no reply" : std::to_string(count) + " exchanges without a reply";
        } else {
            title = count == 1 ? "error" : std::to_string(count) + " replies with error";
            for (const int code : codes) {
                title += (code == *codes.begin() ? " " : ", ") + std::to_string(code);
            }
        }
        title += ": " + svg.span(from, to);
        const double x = scale.x(from);
        svg.rect(cls, x, y, std::max(scale.x(to) - x, kEventWidth), height,
                 " data-count=\"" + std::to_string(count) + '"', title);
        first = last + 1;
    }
}

void drawLane(Svg& svg, const Scale& scale, int address,
              const std::vector<const Timeline::Exchange*>& exchanges, double top) {
    svg.text("", kLeft - 8, top + 14, "Address " + std::to_string(address), "end");
    svg.rect("lane", kLeft, top, kPlotWidth, kLaneHeight);
    for (const Period& busy : mergePeriods(busyPeriods(exchanges, scale.span), scale)) {
        const double x = scale.x(busy.start);
        svg.rect("busy", x, top + 3, std::max(scale.x(busy.end) - x, kMinWidth), kLaneHeight - 6,
                 {}, "busy: " + svg.span(busy.start, busy.end));
    }
    std::vector<const Timeline::Exchange*> timeouts;
    std::vector<const Timeline::Exchange*> errors;
    for (const auto* exchange : exchanges) {
        if (!exchange->replied) {
            timeouts.push_back(exchange);
        } else if (exchange->error != 0) {
            errors.push_back(exchange);
        }
    }
    drawEvents(svg, scale, timeouts, "timeout", top + kLaneHeight / 2, kLaneHeight / 2);
    drawEvents(svg, scale, errors, "error", top, kLaneHeight / 2);
}

class StepLine {
    static bool between(double from, double middle, double to) {
        return (from <= middle && middle <= to) || (from >= middle && middle >= to);
    }

public:
    void to(double x, double y) {
        const auto n = points_.size();
        if (n > 0 && points_.back() == std::pair{x, y}) {
            return;
        }
        // A point in the middle of a straight run adds nothing; a turn back must stay.
        if (n >= 2 && ((points_[n - 1].second == y && points_[n - 2].second == y) ||
                       (points_[n - 1].first == x && points_[n - 2].first == x &&
                        between(points_[n - 2].second, points_[n - 1].second, y)))) {
            points_.back() = {x, y};
        } else {
            points_.emplace_back(x, y);
        }
    }

    std::string text() const {
        std::string out;
        for (const auto& [x, y] : points_) {
            out += svgNumber(x) + ',' + svgNumber(y) + ' ';
        }
        return out;
    }

private:
    std::vector<std::pair<double, double>> points_;
};

// A position over time as a step line; the samples within one pixel column are reduced to
// where the line enters and leaves the column and its extremes there.
void drawPositions(Svg& svg, const Scale& scale, int address,
                   const std::vector<const Timeline::Position*>& samples, double top) {
    const auto [low, high] = std::minmax_element(
        samples.begin(), samples.end(), [](auto* a, auto* b) { return a->value < b->value; });
    const long bottomValue = (*low)->value;
    const long topValue = (*high)->value;
    const double range =
        topValue == bottomValue ? 1.0 : static_cast<double>(topValue - bottomValue);
    const auto y = [&](long value) {
        return top + kPositionHeight -
               static_cast<double>(value - bottomValue) / range * kPositionHeight;
    };
    svg.text("", kLeft - 8, top + kPositionHeight / 2 - 2, "Address " + std::to_string(address),
             "end");
    svg.text("tick", kLeft - 8, top + kPositionHeight / 2 + 12, "position", "end");
    svg.text("tick", kLeft - 4, top + 9, std::to_string(topValue), "end");
    svg.text("tick", kLeft - 4, top + kPositionHeight, std::to_string(bottomValue), "end");
    svg.rect("lane", kLeft, top, kPlotWidth, kPositionHeight);
    StepLine line;
    std::size_t first = 0;
    while (first < samples.size()) {
        const double x = scale.x(samples[first]->at);
        std::size_t last = first;
        long least = samples[first]->value;
        long most = least;
        while (last + 1 < samples.size() &&
               std::floor(scale.x(samples[last + 1]->at)) == std::floor(x)) {
            ++last;
            least = std::min(least, samples[last]->value);
            most = std::max(most, samples[last]->value);
        }
        if (first > 0) {
            line.to(x, y(samples[first - 1]->value));
        }
        line.to(x, y(samples[first]->value));
        line.to(x, y(least));
        line.to(x, y(most));
        line.to(x, y(samples[last]->value));
        first = last + 1;
    }
    line.to(scale.x(scale.span), y(samples.back()->value));
    svg.raw("<polyline class=\"position\" points=\"" + line.text() + "\"/>\n");
}

void drawLegend(Svg& svg, double top) {
    double x = kLeft;
    const auto item = [&](std::string_view cls, std::string_view label) {
        svg.rect(cls, x, top, 12, 12);
        svg.text("", x + 17, top + 11, label);
        x += kLegendSpacing;
    };
    for (const RowClass kind : kRowClasses) {
        item(className(kind), kindText(kind));
    }
    item("busy", "busy");
    item("timeout", "no reply");
    item("error", "error reply");
    item("operator", "operator pause");
}

}  // namespace

std::string renderTimelineSvg(const Timeline& timeline, const std::string& title) {
    const Scale scale{spanOf(timeline)};
    const TimeAxis axis(scale.span);

    std::map<int, std::vector<const Timeline::Exchange*>> lanes;
    for (const auto& exchange : timeline.exchanges) {
        lanes[exchange.address].push_back(&exchange);
    }
    for (auto& [address, exchanges] : lanes) {
        std::stable_sort(exchanges.begin(), exchanges.end(),
                         [](auto* a, auto* b) { return a->answered < b->answered; });
    }
    std::map<int, std::vector<const Timeline::Position*>> positions;
    for (const auto& position : timeline.positions) {
        positions[position.address].push_back(&position);
    }
    for (auto& [address, samples] : positions) {
        std::stable_sort(samples.begin(), samples.end(),
                         [](auto* a, auto* b) { return a->at < b->at; });
    }

    const double bandTop = kTitleHeight + kAxisHeight;
    const double lanesTop = bandTop + kBandHeight + kGap;
    const double lanesBottom = lanesTop + static_cast<double>(lanes.size()) * (kLaneHeight + kGap);
    const double positionsBottom =
        lanesBottom + static_cast<double>(positions.size()) * (kPositionHeight + 2 * kGap);
    const double width = kLeft + kPlotWidth + kRight;
    const double height = positionsBottom + kLegendHeight;

    Svg svg(axis);
    svg.raw(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "width=\"" +
        svgNumber(width) + "\" height=\"" + svgNumber(height) + "\" viewBox=\"0 0 " +
        svgNumber(width) + ' ' + svgNumber(height) + "\">\n<title>" + escapeXml(title) +
        "</title>\n<style>" + std::string(kStyle) + "</style>\n");
    svg.rect("background", 0, 0, width, height);
    svg.text("title", kLeft, 22, title);
    for (const auto& tick : axis.ticks()) {
        const std::string x = svgNumber(scale.x(tick.at));
        svg.raw("<line class=\"grid\" x1=\"" + x + "\" y1=\"" + svgNumber(bandTop - 4) +
                "\" x2=\"" + x + "\" y2=\"" + svgNumber(positionsBottom) + "\"/>\n");
        svg.text("tick", scale.x(tick.at), bandTop - 8, tick.label, "middle");
    }
    svg.text("", kLeft - 8, bandTop + 17, "Rows", "end");
    drawRows(svg, scale, timeline.rows, bandTop);
    double top = lanesTop;
    for (const auto& [address, exchanges] : lanes) {
        drawLane(svg, scale, address, exchanges, top);
        top += kLaneHeight + kGap;
    }
    std::vector<Period> pauses;
    for (const auto& pause : timeline.pauses) {
        pauses.push_back({pause.shown, pause.answered});
    }
    for (const Period& pause : mergePeriods(std::move(pauses), scale)) {
        const double x = scale.x(pause.start);
        svg.rect("operator", x, bandTop - 2, std::max(scale.x(pause.end) - x, kMinWidth),
                 lanesBottom - bandTop, {}, "operator pause: " + svg.span(pause.start, pause.end));
    }
    top = lanesBottom + kGap;
    for (const auto& [address, samples] : positions) {
        drawPositions(svg, scale, address, samples, top);
        top += kPositionHeight + 2 * kGap;
    }
    drawLegend(svg, positionsBottom + 14);
    svg.raw("</svg>\n");
    return svg.release();
}

}  // namespace quendrix::record
