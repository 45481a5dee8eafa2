#pragma once
// A bounded single-producer / single-consumer ring of plain values. Neither side locks, allocates
// or waits: push fails when the ring is full and pop when it is empty. The audio thread is the
// consumer of mixer commands and the producer of captured frames.

#include <atomic>
#include <cstddef>
#include <memory>
#include <type_traits>

namespace tamboro {

template <typename T> class SpscQueue {
    static_assert(std::is_trivially_copyable_v<T>, "queue entries are copied as plain values");

public:
    // Room for at least `capacity` entries (rounded up to a power of two); allocated here, once.
    explicit SpscQueue(std::size_t capacity) {
        std::size_t size = 2;
        while (size < capacity + 1)
            size *= 2;
        mask_ = size - 1;
        slots_ = std::make_unique<T[]>(size);
    }

    // Producer side.
    bool push(const T& value) {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        const std::size_t next = (head + 1) & mask_;
        if (next == tail_.load(std::memory_order_acquire))
            return false;
        slots_[head] = value;
        head_.store(next, std::memory_order_release);
        return true;
    }

    // Consumer side.
    bool pop(T& value) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail == head_.load(std::memory_order_acquire))
            return false;
        value = slots_[tail];
        tail_.store((tail + 1) & mask_, std::memory_order_release);
        return true;
    }

    // Entries waiting; exact only on the consumer side, an estimate elsewhere.
    std::size_t size() const {
        return (head_.load(std::memory_order_acquire) - tail_.load(std::memory_order_acquire)) & mask_;
    }
    std::size_t capacity() const { return mask_; }

private:
    std::unique_ptr<T[]> slots_;
    std::size_t mask_ = 0;
    alignas(64) std::atomic<std::size_t> head_{0};
    alignas(64) std::atomic<std::size_t> tail_{0};
};

} // namespace tamboro
