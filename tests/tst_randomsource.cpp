// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/randomsource.h"
#include "random/uniformpick.h"
#include "random/xoshiro256starstar.h"

#include <QtTest>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Hands out given 64-bit values, for checking the pick's arithmetic.
struct GivenValues
{
    std::vector<std::uint64_t> values;
    std::size_t taken = 0;
    std::uint64_t next() { return values.at(taken++); }
};

std::uint64_t top32(std::uint32_t x)
{
    return std::uint64_t(x) << 32;
}

// The chi-square statistic's bounds at significance 0.001 on each side,
// from the Wilson-Hilferty approximation: (X / k)^(1/3) is nearly normal
// with mean 1 - 2/(9k) and variance 2/(9k).
std::pair<double, double> chiSquareBounds(int degreesOfFreedom)
{
    const double z = 3.0902; // the standard normal's 0.999 quantile
    const double k = degreesOfFreedom;
    const double spread = std::sqrt(2.0 / (9 * k));
    auto at = [&](double quantile) { return k * std::pow(1 - 2.0 / (9 * k) + quantile * spread, 3); };
    return {at(-z), at(z)};
}

double chiSquare(const std::vector<long> &counts, double expected)
{
    double sum = 0;
    for (long count : counts)
        sum += (count - expected) * (count - expected) / expected;
    return sum;
}

} // namespace

class RandomSourceTest : public QObject
{
    Q_OBJECT

private slots:
    // Known answers, from an independent transcription of the authors'
    // published C code (splitmix64.c, xoshiro256starstar.c). The first
    // values from state {1, 2, 3, 4} and splitmix64's from 0 are also the
    // ones commonly quoted for these generators.
    void theGeneratorGivesTheReferenceValues()
    {
        auto generator = Xoshiro256StarStar::withState(1, 2, 3, 4);
        const std::uint64_t expected[] = {0x2d00u, 0x0u, 0x5a007080u, 0x10e0000000009d80u, 0x10e0b61ce1009d80u,
                                          0x0870021ce143ad00u};
        for (std::uint64_t value : expected)
            QCOMPARE(generator.next(), value);

        std::uint64_t state = 0;
        QCOMPARE(Xoshiro256StarStar::splitMix64(state), 0xe220a8397b1dcdafu);
        QCOMPARE(Xoshiro256StarStar::splitMix64(state), 0x6e789e6aa1b965f4u);
        QCOMPARE(Xoshiro256StarStar::splitMix64(state), 0x06c45d188009454fu);
        QCOMPARE(Xoshiro256StarStar::splitMix64(state), 0xf88bb8a8724c81ecu);
    }

    // The whole draw, from a clock reading to corner numbers: the reading's
    // bits seed splitmix64, and each pick takes the top 32 bits.
    void aClockReadingGivesItsKnownDraws_data()
    {
        QTest::addColumn<float>("reading");
        QTest::addColumn<int>("n");
        // The draws as text: a container column would need converters that a
        // build against another C++ library than Qt's cannot link.
        QTest::addColumn<QString>("text");
        QTest::newRow("noon, 1..1000") << 43200.0f << 1000 << QStringLiteral("61 756 725 888 59 398 710 496");
        QTest::newRow("noon, 1..3") << 43200.0f << 3 << QStringLiteral("1 3 3 3 1 2 3 2 3 3 1 2");
        QTest::newRow("midnight, 1..1000") << 0.0f << 1000 << QStringLiteral("602 748 104 417 733 1000 423 536");
        QTest::newRow("first tick, 1..3") << 1.0f / 64 << 3 << QStringLiteral("1 2 1 1 3 3 2 2 2 1 2 1");
    }
    void aClockReadingGivesItsKnownDraws()
    {
        QFETCH(float, reading);
        QFETCH(int, n);
        QFETCH(QString, text);
        QList<int> draws;
        for (const QString &number : text.split(QLatin1Char(' ')))
            draws.append(number.toInt());
        TimeSeededRandom random;
        random.seed(reading);
        for (int expected : draws)
            QCOMPARE(drawOneTo(random, n), expected);

        // Seeding again with the same reading starts the same sequence over.
        random.seed(reading);
        QCOMPARE(drawOneTo(random, n), draws.front());
    }

    void theMultiplyAndRejectPickIsExact()
    {
        // x = 0 lies in the uneven remainder for n = 3 (2^32 mod 3 = 1): it
        // is refused and the next value used; x = 1 is not.
        GivenValues values{{top32(0), top32(1)}};
        QCOMPARE(uniformOneTo(values, 3), 1u);
        QCOMPARE(values.taken, std::size_t(2));

        // The pick is floor(x * n / 2^32) + 1: the ends and the boundaries.
        GivenValues ends{{top32(0xFFFFFFFFu), top32(0x55555556u), top32(0xAAAAAAABu), top32(0xAAAAAAAAu)}};
        QCOMPARE(uniformOneTo(ends, 3), 3u);
        QCOMPARE(uniformOneTo(ends, 3), 2u);
        QCOMPARE(uniformOneTo(ends, 3), 3u);
        QCOMPARE(uniformOneTo(ends, 3), 2u);
        QCOMPARE(ends.taken, std::size_t(4));

        // A power of two divides 2^32: nothing is ever refused, and the low
        // 32 bits never matter.
        GivenValues powerOfTwo{{0, 0xFFFFFFFFu, top32(0xC0000000u)}};
        QCOMPARE(uniformOneTo(powerOfTwo, 4), 1u);
        QCOMPARE(uniformOneTo(powerOfTwo, 4), 1u);
        QCOMPARE(uniformOneTo(powerOfTwo, 4), 4u);

        // n = 1000: 2^32 mod 1000 = 296, and x * 1000 mod 2^32 is a
        // multiple of 8, so 288 is the highest low half refused and 296 the
        // lowest taken. 0x18D4FDF4 * 1000 = 97 * 2^32 + 288 and
        // 0x1FBE76C9 * 1000 = 124 * 2^32 + 296.
        GivenValues thousand{{top32(0x18D4FDF4u), top32(0x1FBE76C9u)}};
        QCOMPARE(uniformOneTo(thousand, 1000), 125u);
        QCOMPARE(thousand.taken, std::size_t(2));
    }

    void everyPickLiesInOneToN()
    {
        TimeSeededRandom random;
        random.seed(4242.0f);
        for (int n : {1, 2, 3, 4, 6, 7, 750, 1000, 65537, INT_MAX}) {
            int lowest = INT_MAX, highest = 0;
            for (int i = 0; i < 200000; ++i) {
                const int drawn = drawOneTo(random, n);
                lowest = std::min(lowest, drawn);
                highest = std::max(highest, drawn);
            }
            QVERIFY2(lowest >= 1 && highest <= n, qPrintable(QString::number(n)));
            if (n <= 1000) // small ranges are covered end to end
                QVERIFY2(lowest == 1 && highest == n, qPrintable(QString::number(n)));
        }
    }

    // A fixed seed makes these deterministic: each either always passes or
    // always fails. The bounds reject counts too even as well as too uneven.
    void picksAreUniform_data()
    {
        QTest::addColumn<int>("n");
        for (int n : {3, 4, 6, 750, 1000})
            QTest::addRow("1..%d", n) << n;
    }
    void picksAreUniform()
    {
        QFETCH(int, n);
        TimeSeededRandom random;
        random.seed(36000.0f);
        const long draws = 1000L * n;
        std::vector<long> counts(n, 0);
        for (long i = 0; i < draws; ++i)
            ++counts[drawOneTo(random, n) - 1];
        const double statistic = chiSquare(counts, 1000.0);
        const auto [low, high] = chiSquareBounds(n - 1);
        QVERIFY2(statistic > low && statistic < high,
                 qPrintable(QStringLiteral("chi-square %1, bounds %2 to %3").arg(statistic).arg(low).arg(high)));
    }

    // Independence of one pick from the one before: the pairs of
    // successive corners are uniform too.
    void successivePicksAreIndependent_data()
    {
        QTest::addColumn<int>("n");
        for (int n : {3, 4, 6})
            QTest::addRow("1..%d", n) << n;
    }
    void successivePicksAreIndependent()
    {
        QFETCH(int, n);
        TimeSeededRandom random;
        random.seed(61234.5f);
        const long pairs = 2000L * n * n;
        std::vector<long> counts(n * n, 0);
        int previous = drawOneTo(random, n);
        for (long i = 0; i < pairs; ++i) {
            const int drawn = drawOneTo(random, n);
            ++counts[(previous - 1) * n + drawn - 1];
            previous = drawn;
        }
        const double statistic = chiSquare(counts, 2000.0);
        const auto [low, high] = chiSquareBounds(n * n - 1);
        QVERIFY2(statistic > low && statistic < high,
                 qPrintable(QStringLiteral("chi-square %1, bounds %2 to %3").arg(statistic).arg(low).arg(high)));
    }

    // Every reading the clock can give during a day (a tick is 1/64 s)
    // starts its own sequence: no two agree on their first two draws of
    // 1..2^31 - 1.
    void everyClockReadingOfTheDayStartsItsOwnSequence()
    {
        const int ticksPerDay = 86400 * 64;
        std::vector<std::uint64_t> starts;
        starts.reserve(ticksPerDay);
        TimeSeededRandom random;
        for (int tick = 0; tick < ticksPerDay; ++tick) {
            random.seed(static_cast<float>(tick / 64.0));
            const std::uint64_t first = std::uint64_t(drawOneTo(random, INT_MAX));
            starts.push_back(first << 31 | std::uint64_t(drawOneTo(random, INT_MAX) - 1));
        }
        std::sort(starts.begin(), starts.end());
        QVERIFY(std::adjacent_find(starts.begin(), starts.end()) == starts.end());
    }
};

QTEST_APPLESS_MAIN(RandomSourceTest)
#include "tst_randomsource.moc"
