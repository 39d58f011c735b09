#pragma once
// A row of the solver's tableau held densely, one coefficient per symbol (private to the
// layout folder). The objective mentions most parametric symbols of a screen, so sorted
// sparse cells would shift thousands of entries on every edit; here an edit costs O(1), and
// bitsets of the nonzero and negative coefficients give in-order walks and the pivot rule
// (lowest symbol with a negative coefficient) at one word per 64 symbols.
//
//   DenseRow objective;
//   objective.resize(symbolCount);
//   objective.set(errorSymbol, weight);
//   for (auto s = objective.nextNegative(0); s != DenseRow::kNone; s = objective.nextNegative(s + 1)) { ... }

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tvkit::layout {

class DenseRow {
public:
    using Sym = std::uint32_t;
    static constexpr Sym kNone = UINT32_MAX;

    double constant = 0;

    // Grows to hold symbols below `count`; new ones start at zero.
    void resize(std::size_t count) {
        if (count <= coeffs_.size()) return;
        coeffs_.resize(count, 0.0);
        nonZero_.resize((count + 63) / 64, 0);
        negative_.resize(nonZero_.size(), 0);
    }
    double coefficient(Sym s) const { return coeffs_[s]; }
    void set(Sym s, double value) {
        coeffs_[s] = value;
        std::uint64_t bit = std::uint64_t{1} << (s % 64);
        setBit(nonZero_[s / 64], bit, value != 0.0);
        setBit(negative_[s / 64], bit, value < 0.0);
    }
    Sym nextNonZero(Sym from) const { return next(nonZero_, from); }
    Sym nextNegative(Sym from) const { return next(negative_, from); }
    // Back to all zeros, in time proportional to the words and the nonzero entries.
    void clear() {
        for (Sym s = nextNonZero(0); s != kNone; s = nextNonZero(s + 1)) coeffs_[s] = 0.0;
        std::fill(nonZero_.begin(), nonZero_.end(), 0);
        std::fill(negative_.begin(), negative_.end(), 0);
        constant = 0;
    }

private:
    static void setBit(std::uint64_t& word, std::uint64_t bit, bool on) { word = on ? word | bit : word & ~bit; }
    static Sym next(const std::vector<std::uint64_t>& bits, Sym from) {
        std::size_t w = from / 64;
        if (w >= bits.size()) return kNone;
        std::uint64_t word = bits[w] & (~std::uint64_t{0} << (from % 64));
        while (word == 0) {
            if (++w == bits.size()) return kNone;
            word = bits[w];
        }
        return static_cast<Sym>(w * 64 + static_cast<std::size_t>(std::countr_zero(word)));
    }

    std::vector<double> coeffs_;
    std::vector<std::uint64_t> nonZero_;
    std::vector<std::uint64_t> negative_;
};

} // namespace tvkit::layout
