#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// N text fields kept in one heap block. Records that occur by the hundred
// thousand (targets, jobs) use it so that a loaded configuration costs little
// more memory than its file.
template <std::size_t N> class PackedFields {
    static_assert(N >= 2);

public:
    std::string_view get(std::size_t field) const {
        const std::size_t begin = field == 0 ? 0 : ends_[field - 1];
        const std::size_t end = field == N - 1 ? data_.size() : ends_[field];
        return std::string_view(data_).substr(begin, end - begin);
    }

    void set(std::size_t field, std::string_view value) {
        const std::size_t begin = field == 0 ? 0 : ends_[field - 1];
        const std::size_t end = field == N - 1 ? data_.size() : ends_[field];
        data_.replace(begin, end - begin, value);
        const auto delta =
            static_cast<std::int64_t>(value.size()) - static_cast<std::int64_t>(end - begin);
        for (std::size_t i = field; i < N - 1; ++i)
            ends_[i] = static_cast<std::uint32_t>(static_cast<std::int64_t>(ends_[i]) + delta);
    }

    // Fills every field at once: one allocation for the whole record.
    void assign(const std::array<std::string_view, N>& values) {
        std::size_t total = 0;
        for (auto v : values)
            total += v.size();
        data_.clear();
        data_.reserve(total);
        for (std::size_t i = 0; i < N; ++i) {
            data_.append(values[i]);
            if (i < N - 1)
                ends_[i] = static_cast<std::uint32_t>(data_.size());
        }
    }

    bool operator==(const PackedFields& other) const {
        for (std::size_t i = 0; i < N; ++i)
            if (get(i) != other.get(i))
                return false;
        return true;
    }

private:
    std::string data_;
    std::array<std::uint32_t, N - 1> ends_{};
};
