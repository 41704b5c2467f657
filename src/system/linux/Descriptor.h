#pragma once

#include <unistd.h>

namespace orvandel::system {

// Owns a file descriptor and closes it on every way out.
class Descriptor {
public:
    explicit Descriptor(int opened = -1)
        : value(opened) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return value; }
    void reset() {
        if (value >= 0)
            ::close(value);
        value = -1;
    }

private:
    int value;
};

} // namespace orvandel::system
