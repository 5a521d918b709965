#pragma once
// Descriptor budget of the process.
#include <cstddef>

namespace orvinta::server {

// Raises the soft RLIMIT_NOFILE to the hard limit; returns the soft limit in force.
std::size_t RaiseDescriptorLimit();

}  // namespace orvinta::server
