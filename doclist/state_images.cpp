#include <doclist/state_images.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

namespace doclist {

namespace {

// The pictures are sets of flat-coloured shapes painted one over the other. Each pixel is
// sampled on a fine grid: the colour of a sample is that of the topmost shape covering it, and
// the pixel's alpha is the share of covered samples, which smooths every edge.

constexpr int kSamples = 8; // per pixel and axis
constexpr double kPi = 3.14159265358979323846;

using Inside = std::function<bool(double x, double y)>;

struct Shape {
    Inside inside;
    std::uint32_t rgb; // 0xRRGGBB
};

double Distance(double x1, double y1, double x2, double y2) {
    return std::hypot(x2 - x1, y2 - y1);
}

Inside Disk(double cx, double cy, double r) {
    return [=](double x, double y) { return Distance(x, y, cx, cy) <= r; };
}

// A stroke of the given half width from (x1, y1) to (x2, y2) with round ends.
Inside Stroke(double x1, double y1, double x2, double y2, double halfWidth) {
    return [=](double x, double y) {
        const double dx = x2 - x1, dy = y2 - y1;
        const double t =
            std::clamp(((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        return Distance(x, y, x1 + t * dx, y1 + t * dy) <= halfWidth;
    };
}

// Angles are in degrees, counter-clockwise from the positive x axis as the eye sees it (the
// y axis of the pixels points down).
double AngleOf(double x, double y, double cx, double cy) {
    double a = std::atan2(cy - y, x - cx) * 180.0 / kPi;
    return a < 0 ? a + 360.0 : a;
}

Inside Arc(double cx, double cy, double radius, double halfWidth, double from, double to) {
    return [=](double x, double y) {
        const double d = Distance(x, y, cx, cy);
        if (d > radius + halfWidth || d < radius - halfWidth)
            return false;
        const double a = AngleOf(x, y, cx, cy);
        return from <= to ? a >= from && a <= to : a >= from || a <= to;
    };
}

struct Point {
    double x, y;
};

Point OnCircle(double cx, double cy, double radius, double degrees) {
    const double a = degrees * kPi / 180.0;
    return {cx + radius * std::cos(a), cy - radius * std::sin(a)};
}

Inside Triangle(Point a, Point b, Point c) {
    return [=](double x, double y) {
        auto side = [&](Point p, Point q) {
            return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
        };
        const double s1 = side(a, b), s2 = side(b, c), s3 = side(c, a);
        return (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
    };
}

// An arrow along a circle from angle `from` clockwise to angle `to`, its head at `to`.
std::vector<Shape> CircularArrow(double cx, double cy, double radius, double halfWidth, double from,
                                 double to, std::uint32_t rgb) {
    const double head = 60.0; // degrees the head covers along the circle
    const double bodyEnd = to + head * 0.55;
    std::vector<Shape> shapes;
    shapes.push_back({Arc(cx, cy, radius, halfWidth, bodyEnd, from), rgb});
    const double spread = halfWidth + 1.6;
    shapes.push_back(
        {Triangle(OnCircle(cx, cy, radius + spread, to + head * 0.6),
                  OnCircle(cx, cy, radius - spread, to + head * 0.6), OnCircle(cx, cy, radius, to)),
         rgb});
    return shapes;
}

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kLightBlue = 0x4DB2EE;
constexpr std::uint32_t kClockHands = 0x2C7CC6;
constexpr std::uint32_t kGreen = 0x24A84A;
constexpr std::uint32_t kBlue = 0x2A74D4;

// Centre of the ringed pictures: the middle of the 16 x 16 square.
constexpr double kC = 8.0;
constexpr double kRingOuter = 7.6;
constexpr double kRingInner = 6.1;

std::vector<Shape> ClockFace() {
    return {
        {Disk(kC, kC, kRingOuter), kLightBlue},
        {Disk(kC, kC, kRingInner), kWhite},
        {Stroke(kC, kC, kC, 3.4, 0.75), kClockHands},   // minute hand, at twelve
        {Stroke(kC, kC, 11.4, 9.6, 0.75), kClockHands}, // hour hand, past four
        {Disk(kC, kC, 1.1), kClockHands},
    };
}

std::vector<Shape> CircularArrows() {
    std::vector<Shape> shapes = {
        {Disk(kC, kC, kRingOuter), kGreen},
        {Disk(kC, kC, kRingInner), kWhite},
    };
    // Two arrows chasing each other clockwise, each over a little less than half the circle.
    for (double start : {170.0, 350.0}) {
        auto arrow = CircularArrow(kC, kC, 3.5, 0.8, start, start - 140.0, kGreen);
        shapes.insert(shapes.end(), arrow.begin(), arrow.end());
    }
    return shapes;
}

std::vector<Shape> CutPie() {
    return {
        {Disk(kC, kC, kRingOuter), kBlue},
        {Disk(kC, kC, kRingInner), kWhite},
        {[](double x, double y) { return Distance(x, y, kC, kC) <= 4.4 && !(x > kC && y < kC); },
         kBlue},
    };
}

std::vector<Shape> CheckedCircle() {
    // The circle sits low and left; the check mark's long stroke runs out past its upper right.
    // On the circle the mark is white; beyond it, it goes on in the circle's blue.
    const double cx = 7.0, cy = 9.0, r = 6.4;
    const Point a{3.6, 8.8}, b{6.5, 11.7}, c{14.8, 1.6};
    const Inside disk = Disk(cx, cy, r);
    const Inside mark = [=](double x, double y) {
        return Stroke(a.x, a.y, b.x, b.y, 1.05)(x, y) || Stroke(b.x, b.y, c.x, c.y, 1.05)(x, y);
    };
    const Inside edge = [=](double x, double y) {
        return Stroke(a.x, a.y, b.x, b.y, 1.9)(x, y) || Stroke(b.x, b.y, c.x, c.y, 1.9)(x, y);
    };
    return {
        {disk, kBlue},
        // Beyond the circle the mark is blue; a thin white seam parts it from the circle.
        {[=](double x, double y) { return !disk(x, y) && edge(x, y); }, kWhite},
        {[=](double x, double y) { return !disk(x, y) && mark(x, y); }, kBlue},
        {[=](double x, double y) { return disk(x, y) && mark(x, y); }, kWhite},
    };
}

std::vector<Shape> ShapesOf(RowState state) {
    switch (state) {
    case RowState::New:
        return ClockFace();
    case RowState::Processing:
        return CircularArrows();
    case RowState::Failed:
        return CutPie();
    case RowState::Done:
        return CheckedCircle();
    }
    return {};
}

} // namespace

std::vector<std::uint32_t> DrawStateImage(RowState state) {
    const std::vector<Shape> shapes = ShapesOf(state);
    std::vector<std::uint32_t> pixels(kStateImageSize * kStateImageSize, 0);
    for (int py = 0; py < kStateImageSize; ++py) {
        for (int px = 0; px < kStateImageSize; ++px) {
            int covered = 0;
            double r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = px + (sx + 0.5) / kSamples;
                    const double y = py + (sy + 0.5) / kSamples;
                    const Shape* top = nullptr;
                    for (const Shape& s : shapes)
                        if (s.inside(x, y))
                            top = &s;
                    if (top == nullptr)
                        continue;
                    ++covered;
                    r += (top->rgb >> 16) & 0xFF;
                    g += (top->rgb >> 8) & 0xFF;
                    b += top->rgb & 0xFF;
                }
            }
            if (covered == 0)
                continue;
            auto channel = [&](double sum) {
                return static_cast<std::uint32_t>(std::lround(sum / covered)) & 0xFF;
            };
            const auto alpha =
                static_cast<std::uint32_t>(std::lround(255.0 * covered / (kSamples * kSamples)));
            pixels[static_cast<size_t>(py) * kStateImageSize + px] =
                (alpha << 24) | (channel(r) << 16) | (channel(g) << 8) | channel(b);
        }
    }
    return pixels;
}

base::UniqueImageList CreateStateImageList() {
    base::UniqueImageList list(
        ImageList_Create(kStateImageSize, kStateImageSize, ILC_COLOR32, kRowStateCount, 0));
    if (!list)
        return {};

    // One strip of the four pictures side by side, as a top-down 32-bit DIB.
    const int width = kStateImageSize * kRowStateCount;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -kStateImageSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    base::UniqueBitmap strip(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!strip || bits == nullptr)
        return {};
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < kRowStateCount; ++i) {
        const std::vector<std::uint32_t> image = DrawStateImage(static_cast<RowState>(i));
        for (int y = 0; y < kStateImageSize; ++y)
            std::memcpy(out + static_cast<size_t>(y) * width + i * kStateImageSize,
                        image.data() + static_cast<size_t>(y) * kStateImageSize,
                        kStateImageSize * sizeof(std::uint32_t));
    }
    GdiFlush();
    if (ImageList_Add(list.get(), strip.get(), nullptr) != 0 ||
        ImageList_GetImageCount(list.get()) != kRowStateCount)
        return {};
    return list;
}

} // namespace doclist
