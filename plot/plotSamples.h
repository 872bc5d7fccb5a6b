// One copied (or borrowed) window of samples (times or temperatures), with the smallest and
// largest value of every block of samples, shared by every curve that shows it.
#ifndef PLOTSAMPLES_H
#define PLOTSAMPLES_H

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

class plotSamples {
public:
    using ptr = std::shared_ptr<const plotSamples>;

    // Samples per block summary: a pixel column of a long plot reads mostly summaries.
    static constexpr int blockSize = 16;

    // The values of a range: smallest and largest finite one, and how many are gaps (NaN).
    // With no finite value min is +inf and max -inf.
    struct span {
        double min;
        double max;
        int gaps;
    };

    // Copies count values, each as value * scale + offset (the displayed unit). A value
    // that is not finite becomes NaN, a gap in the curve (an open thermocouple), so NaN and
    // infinities never reach an axis range. A null array or a count below 1 gives no samples.
    static ptr copy(const double *values, int count, double scale = 1.0, double offset = 0.0);
    // The same for several windows of one length (the channels of an acquisition), spread
    // over the process's thread pool: copying is most of the cost of a redraw.
    static std::vector<ptr> copyEach(const std::vector<const double *> &windows, int count, double scale = 1.0,
                                     double offset = 0.0);
    // The same samples without copying them: reads values[0 .. count) until the last holder
    // of the result lets it go, converting (and turning non-finite values into gaps) as each
    // sample is read. Only the block summaries (a sixth of the values' size) are made. The
    // caller keeps values unchanged and alive for as long as any holder may read them.
    static ptr borrow(const double *values, int count, double scale = 1.0, double offset = 0.0);
    static std::vector<ptr> borrowEach(const std::vector<const double *> &windows, int count, double scale = 1.0,
                                       double offset = 0.0);

    int size() const { return m_count; }
    // Unique to this copy for the life of the process (never reused, unlike addresses).
    unsigned long long id() const { return m_id; }
    // The samples as stored: before the conversion for a borrowed window. Where the
    // conversion is the identity, a sample read as finite has the same value here.
    const double *data() const { return m_values; }
    double operator[](int i) const { return m_borrowed ? shown(m_values[size_t(i)]) : m_values[size_t(i)]; }

    // Every value finite and none below the one before it: a time axis that can be searched.
    bool ascending() const { return m_ascending; }

    // Summary of [from, to), reading whole blocks from their summaries.
    span summary(int from, int to) const;

    // Block b covers [b * blockSize, (b + 1) * blockSize), cut at the end.
    double blockMin(int b) const { return m_storage.blocks[size_t(b)].min; }
    double blockMax(int b) const { return m_storage.blocks[size_t(b)].max; }
    int blockGaps(int b) const { return m_storage.blocks[size_t(b)].gaps; }

    ~plotSamples();
    plotSamples(const plotSamples &) = delete;
    plotSamples &operator=(const plotSamples &) = delete;

    // Storage for the samples and their block summaries; arrays of freed copies are kept
    // for the next copies (see plotSamples.cpp).
    struct storage {
        int capacity = 0;
        std::unique_ptr<double[]> values;
        std::unique_ptr<span[]> blocks;
    };

private:
    plotSamples();
    span scan(int from, int to) const;
    double shown(double stored) const
    {
        const double v = stored * m_scale + m_offset;
        return std::fabs(v) <= std::numeric_limits<double>::max() ? v : std::numeric_limits<double>::quiet_NaN();
    }

    unsigned long long m_id;
    int m_count = 0;
    storage m_storage;                 // a borrowed window's has summaries only
    const double *m_values = nullptr;  // the storage's values or the borrowed ones
    double m_scale = 1.0, m_offset = 0.0;
    bool m_borrowed = false;
    span m_whole{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), 0};  // of all samples
    bool m_ascending = true;
};

#endif
