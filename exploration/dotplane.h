// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picture/pixelmapping.h"
#include "exploration/targets.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QSize>

#include <atomic>
#include <memory>

// An 8-bit picture that several threads set dots in at once: one byte per
// pixel, 0 for the background and 1 or more for a dot (an index into a
// colour table), so that a poster of 16384 x 16384 pixels takes 256 MB.
//
// The threads share the one buffer without locks. Each pixel is a
// std::atomic<unsigned char>, read and set with relaxed operations: on
// every processor the program runs on those are ordinary byte loads and
// stores, and two threads meeting on a pixel are not a data race. Where
// their dots differ in value, the highest one stays (a compare-and-swap
// that only ever raises it), so the picture is the same whichever thread
// came last. The threads are joined before the picture is read.
class DotPlane
{
public:
    // All background. Throws std::bad_alloc when there is no memory for it.
    explicit DotPlane(QSize size);

    QSize size() const { return m_size; }
    // Which part of the figure's plane the plane shows.
    void setView(const FigureView &view);
    const FigureView &view() const { return m_view; }
    const PixelMapping &mapping() const { return m_mapping; }
    // The middle of the view: points given relative to it (see
    // plotFromOrigin()) keep their last digits in a view far smaller than
    // their distance from the figure's centre.
    QPointF origin() const { return m_origin; }

    // Sets `count` dots along a walk: the first at step(from), each next
    // at step(the point before), each of value valueOf(point) (at least 1).
    // Points off the view are not plotted. With keepHighest, a pixel keeps
    // the highest value set there; without, every value must be the same.
    // Returns the last point. Threads may plot at the same time.
    template <typename Point, typename Step, typename ValueOf>
    Point plot(long count, Point from, const Step &step, ValueOf valueOf, bool keepHighest)
    {
        return plotWith(m_mapping, count, from, step, valueOf, keepHighest);
    }
    // The same for points whose x and y are relative to origin().
    template <typename Point, typename Step, typename ValueOf>
    Point plotFromOrigin(long count, Point from, const Step &step, ValueOf valueOf, bool keepHighest)
    {
        return plotWith(m_fromOrigin, count, from, step, valueOf, keepHighest);
    }

    unsigned char valueAt(int column, int row) const
    {
        return m_pixels[std::size_t(row) * std::size_t(m_stride) + std::size_t(column)].load(
            std::memory_order_relaxed);
    }

    // The plane as an 8-bit image with this colour table: a copy, and the
    // plane itself handed over without copying (it is empty afterwards).
    QImage image(const QList<QRgb> &colourTable) const;
    QImage takeImage(const QList<QRgb> &colourTable);

private:
    using Pixel = std::atomic<unsigned char>;
    static_assert(sizeof(Pixel) == 1 && Pixel::is_always_lock_free,
                  "a pixel must be one lock-free byte, for the image to read the plane as bytes");

    // What the loops need, in their own locals.
    struct Target
    {
        Pixel *pixels;
        qsizetype stride;
        PixelMapping map;
    };

    // How a dot sets its pixel: with a plain store; looking first whether
    // it is set already (see settingFor()); or raising it to the dot's value.
    enum class Setting { Store, LookFirst, KeepHighest };
    Setting settingFor(bool keepHighest) const;
    // Whether the plane fits the processor's caches (see settingFor()).
    bool fitsTheCaches() const;

    template <Setting setting>
    static void set(Pixel &pixel, unsigned char value)
    {
        if constexpr (setting == Setting::Store) {
            pixel.store(value, std::memory_order_relaxed);
        } else if constexpr (setting == Setting::LookFirst) {
            if (pixel.load(std::memory_order_relaxed) != value)
                pixel.store(value, std::memory_order_relaxed);
        } else {
            unsigned char now = pixel.load(std::memory_order_relaxed);
            while (now < value && !pixel.compare_exchange_weak(now, value, std::memory_order_relaxed)) {
            }
        }
    }

    template <Setting setting, typename Point, typename Step, typename ValueOf>
    Q_NEVER_INLINE static Point plotAlong(Target target, long count, Point point, const Step &step,
                                          ValueOf valueOf)
    {
        // A copy of the step of its own, which no store into the plane can
        // change, so the compiler keeps what it reads in registers.
        const Step localStep = step;
        for (long i = 0; i < count; ++i) {
            point = localStep(point);
            qsizetype column, row;
            if (target.map.find(point.x, point.y, column, row))
                set<setting>(target.pixels[row * target.stride + column], valueOf(point));
        }
        return point;
    }

    // The same for dots that must read their pixel in a plane larger than
    // the caches, where each read would keep the walk waiting for memory:
    // the walk runs kAhead dots ahead of the dots being set, asking for each
    // pixel as its dot is found, so that the pixel is there when it is set.
    static constexpr long kAhead = 32;
    template <Setting setting, typename Point, typename Step, typename ValueOf>
    Q_NEVER_INLINE static Point plotAlongFetchingAhead(Target target, long count, Point point, const Step &step,
                                                       ValueOf valueOf)
    {
        const Step localStep = step;
        struct Dot
        {
            Pixel *pixel; // nullptr off the view
            unsigned char value;
        };
        Dot ahead[kAhead];
        const auto find = [&]() -> Dot {
            point = localStep(point);
            qsizetype column, row;
            if (!target.map.find(point.x, point.y, column, row))
                return {nullptr, 0};
            Pixel *pixel = &target.pixels[row * target.stride + column];
#if defined(__GNUC__) || defined(__clang__)
            __builtin_prefetch(pixel, 1);
#endif
            return {pixel, valueOf(point)};
        };
        long found = 0;
        for (; found < count && found < kAhead; ++found)
            ahead[found] = find();
        for (long i = 0; i < count; ++i) {
            const Dot dot = ahead[i % kAhead];
            if (found < count)
                ahead[found++ % kAhead] = find();
            if (dot.pixel)
                set<setting>(*dot.pixel, dot.value);
        }
        return point;
    }

    template <typename Point, typename Step, typename ValueOf>
    Point plotWith(const PixelMapping &mapping, long count, Point from, const Step &step, ValueOf valueOf,
                   bool keepHighest);

    QSize m_size;
    qsizetype m_stride; // bytes per row, a multiple of 4 as images have them
    std::unique_ptr<Pixel[]> m_pixels;
    FigureView m_view;
    QPointF m_origin;
    PixelMapping m_mapping;
    PixelMapping m_fromOrigin;
};

template <typename Point, typename Step, typename ValueOf>
Point DotPlane::plotWith(const PixelMapping &mapping, long count, Point from, const Step &step, ValueOf valueOf,
                         bool keepHighest)
{
    if (count <= 0)
        return from;
    const Target target{m_pixels.get(), m_stride, mapping};
    switch (settingFor(keepHighest)) {
    case Setting::Store:
        return plotAlong<Setting::Store>(target, count, from, step, valueOf);
    case Setting::LookFirst:
        return plotAlong<Setting::LookFirst>(target, count, from, step, valueOf);
    case Setting::KeepHighest:
        break;
    }
    if (fitsTheCaches())
        return plotAlong<Setting::KeepHighest>(target, count, from, step, valueOf);
    return plotAlongFetchingAhead<Setting::KeepHighest>(target, count, from, step, valueOf);
}
