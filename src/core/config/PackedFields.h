#pragma once

#include "text/TextArena.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

// N text fields kept side by side, exactly their length, in a TextArena.
// Records that occur by the hundred thousand (targets, jobs) use it so that a
// loaded configuration costs little more memory than its file: the record
// itself is a pointer and the field ends, with no string object around the
// texts and no heap block of their own.
template <std::size_t N> class PackedFields {
    static_assert(N >= 2);

public:
    PackedFields() = default;
    ~PackedFields() { free(); }
    PackedFields(const PackedFields& other) { copyFrom(other); }
    PackedFields(PackedFields&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), ends_(std::exchange(other.ends_, {})) {}
    PackedFields& operator=(const PackedFields& other) {
        if (this != &other) {
            free();
            copyFrom(other);
        }
        return *this;
    }
    PackedFields& operator=(PackedFields&& other) noexcept {
        if (this != &other) {
            free();
            data_ = std::exchange(other.data_, nullptr);
            ends_ = std::exchange(other.ends_, {});
        }
        return *this;
    }

    std::string_view get(std::size_t field) const {
        const std::uint32_t begin = field == 0 ? 0 : ends_[field - 1];
        return std::string_view(data_ + begin, ends_[field] - begin);
    }

    void set(std::size_t field, std::string_view value) {
        std::array<std::string_view, N> values;
        for (std::size_t i = 0; i < N; ++i)
            values[i] = i == field ? value : get(i);
        PackedFields replaced;
        replaced.assign(values);
        *this = std::move(replaced);
    }

    // Fills every field at once: one allocation for the whole record.
    void assign(const std::array<std::string_view, N>& values) {
        std::size_t total = 0;
        for (auto v : values)
            total += v.size();
        char* data = total == 0 ? nullptr : TextArena::take(total);
        std::size_t at = 0;
        for (std::size_t i = 0; i < N; ++i) {
            if (!values[i].empty())
                std::memcpy(data + at, values[i].data(), values[i].size());
            at += values[i].size();
            ends_[i] = static_cast<std::uint32_t>(at);
        }
        free();
        data_ = data;
    }

    bool operator==(const PackedFields& other) const {
        for (std::size_t i = 0; i < N; ++i)
            if (get(i) != other.get(i))
                return false;
        return true;
    }

private:
    void copyFrom(const PackedFields& other) {
        const std::uint32_t total = other.ends_[N - 1];
        data_ = total == 0 ? nullptr : TextArena::take(total);
        if (total != 0)
            std::memcpy(data_, other.data_, total);
        ends_ = other.ends_;
    }
    void free() {
        if (data_ != nullptr)
            TextArena::release(std::exchange(data_, nullptr));
    }

    char* data_ = nullptr;
    std::array<std::uint32_t, N> ends_{};
};
